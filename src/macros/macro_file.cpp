#include "macros/macro_file.h"

#include <algorithm>
#include <array>
#include <vector>

#include "macros/key_codes.h"
#include "platform/ini/decimal.h"

namespace zep {

namespace {

constexpr std::u16string_view kMissingFileMessage = u"\u627E\u4E0D\u5230\u914D\u7F6E\u6587\u4EF6";
constexpr std::size_t kNumBuffer = 3;  // "macroNum" keeps two characters

using Groups = std::array<std::uint8_t, kMacroGroups>;

Groups ToGroups(const MacroRecord& r) {
    Groups g{};
    for (int i = 0; i < kMacroNameUnits; ++i) {
        g[static_cast<std::size_t>(2 * i)] =
            static_cast<std::uint8_t>(r.name[static_cast<std::size_t>(i)] & 0xFF);
        g[static_cast<std::size_t>(2 * i + 1)] =
            static_cast<std::uint8_t>(r.name[static_cast<std::size_t>(i)] >> 8);
    }
    g[40] = r.repeatEnabled;
    g[41] = static_cast<std::uint8_t>(r.repeatCount & 0xFF);
    g[42] = static_cast<std::uint8_t>(r.repeatCount >> 8);
    g[43] = r.stepCount;
    for (std::size_t i = 0; i < kMacroStepCapacity; ++i) {
        g[44 + 4 * i] = KeyCodeToVirtualKey(r.steps[i].code);
        g[45 + 4 * i] = r.steps[i].direction;
        g[46 + 4 * i] = static_cast<std::uint8_t>(r.delays[i] & 0xFF);
        g[47 + 4 * i] = static_cast<std::uint8_t>(r.delays[i] >> 8);
    }
    return g;
}

void FromGroups(const Groups& g, MacroRecord& r) {
    for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
        r.name[i] = static_cast<char16_t>(g[2 * i] | (g[2 * i + 1] << 8));
    }
    r.repeatEnabled = g[40];
    r.repeatCount = static_cast<std::uint16_t>(g[41] | (g[42] << 8));
    r.stepCount = g[43];
    for (std::size_t i = 0; i < kMacroStepCapacity; ++i) {
        r.steps[i] = {VirtualKeyToKeyCode(g[44 + 4 * i]), g[45 + 4 * i]};
        r.delays[i] = static_cast<std::uint16_t>(g[46 + 4 * i] | (g[47 + 4 * i] << 8));
    }
}

template <typename Store>
MacroFileResult LoadInto(const ProfileFile& ini, const std::filesystem::path& file, Store& store,
                         UserPrompts& prompts) {
    const IniSnapshot snap = ini.Snapshot(file);
    MacroFileResult result;
    result.fileFound = snap.exists();
    if (!result.fileFound) prompts.ShowMessage(kMissingFileMessage);
    result.declared = ParseDecimal(snap.Read(u"Macros", u"macroNum", kNumBuffer));
    result.loaded = std::clamp(result.declared, 0, Store::kSlots);
    store.count = static_cast<std::int16_t>(result.loaded);
    for (int i = 0; i < result.loaded; ++i) {
        DecodeMacroRecord(snap.Read(u"Macros", FormatDecimal(i), kMacroDigits + 1),
                          store.slots[static_cast<std::size_t>(i)]);
    }
    return result;
}

}  // namespace

std::u16string EncodeMacroRecord(const MacroRecord& record) {
    const Groups g = ToGroups(record);
    std::u16string digits;
    digits.reserve(kMacroDigits);
    for (std::uint8_t v : g) {
        digits.push_back(static_cast<char16_t>(u'0' + v / 100));
        digits.push_back(static_cast<char16_t>(u'0' + v / 10 % 10));
        digits.push_back(static_cast<char16_t>(u'0' + v % 10));
    }
    return digits;
}

void DecodeMacroRecord(std::u16string_view digits, MacroRecord& into) {
    Groups g{};
    for (std::size_t i = 0; i < g.size(); ++i) {
        const std::size_t start = 3 * i;
        const std::u16string_view group = start < digits.size() ? digits.substr(start, 3) : u"";
        g[i] = static_cast<std::uint8_t>(ParseDecimal(group) & 0xFF);
    }
    FromGroups(g, into);
}

MacroFileResult LoadMacroFile(const ProfileFile& ini, const std::filesystem::path& file,
                              UserMacroStore& store, UserPrompts& prompts) {
    MacroFileResult result = LoadInto(ini, file, store, prompts);
    store.current = store.count >= 1 ? store.count - 1 : 0;
    return result;
}

MacroFileResult LoadMacroFile(const ProfileFile& ini, const std::filesystem::path& file,
                              ConstantMacroStore& store, UserPrompts& prompts) {
    return LoadInto(ini, file, store, prompts);
}

bool SaveMacroFile(ProfileFile& ini, const std::filesystem::path& file,
                   const UserMacroStore& store) {
    const int count = std::clamp<int>(store.count, 0, UserMacroStore::kSlots);
    std::vector<IniEntry> entries;
    entries.reserve(static_cast<std::size_t>(count) + 1);
    entries.push_back({u"macroNum", FormatDecimal(count)});
    for (int t = 0; t < count; ++t) {
        entries.push_back(
            {FormatDecimal(t), EncodeMacroRecord(store.slots[static_cast<std::size_t>(t)])});
    }
    return ini.WriteBatch(file, u"Macros", entries);
}

}  // namespace zep
