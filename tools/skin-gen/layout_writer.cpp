#include <algorithm>

#include "platform/ini/decimal.h"
#include "platform/ini/profile_file.h"
#include "tools/skin-gen/skin_painter.h"

namespace zep::skingen {

namespace {

std::u16string Value(const char* name, int x, int y, int w, int h, std::u16string_view text) {
    std::u16string v = Ascii16(name);
    for (int n : {x, y, w, h}) {
        v.push_back(u',');
        v.append(FormatDecimal(n));
    }
    v.push_back(u',');
    v += text;
    v += u",";
    return v;
}

std::vector<IniEntry> AreaEntries(std::vector<AreaSpec> areas, bool english) {
    std::sort(areas.begin(), areas.end(),
              [](const AreaSpec& a, const AreaSpec& b) { return a.index < b.index; });
    std::vector<IniEntry> entries;
    for (const AreaSpec& a : areas) {
        entries.push_back({FormatDecimal(a.index), Value(a.name, a.x, a.y, a.width, a.height,
                                                         english ? a.english : a.chinese)});
    }
    return entries;
}

std::string WriteLanguage(const SkinDescription& skin, const std::filesystem::path& dir,
                          bool english) {
    ProfileFile files;
    const auto write = [&](LayoutKind kind, std::u16string_view section,
                           const std::vector<IniEntry>& entries) {
        const auto file = LayoutFilePath(dir, kind, english);
        return files.WriteBatch(file, section, entries);
    };
    bool ok = true;
    ok = ok && write(LayoutKind::Main, u"BUTTONPOS", AreaEntries(MainLayoutAreas(skin), english));
    std::vector<IniEntry> names;
    const auto& table = english ? skin.namesEnglish : skin.namesChinese;
    for (std::size_t k = 1; k < table.size(); ++k) names.push_back({FormatDecimal(k), table[k]});
    ok = ok && write(LayoutKind::Main, u"FUN_STRING", names);
    ok = ok &&
         write(LayoutKind::Advanced, u"BUTTONPOS", AreaEntries(skin.advancedPage.areas, english));
    for (const ControlSpec& c : skin.controls) {
        ok = ok && write(LayoutKind::Advanced, Ascii16(c.section),
                         {{FormatDecimal(c.key), Value(c.name, c.x, c.y, c.width, c.height, u"")}});
    }
    ok = ok && write(LayoutKind::Color, u"BUTTONPOS", AreaEntries(skin.colorPage.areas, english));
    ok = ok && write(LayoutKind::Warning, u"BUTTONPOS", AreaEntries(skin.warning, english));
    return ok ? std::string() : files.lastError();
}

}  // namespace

std::string WriteLayouts(const SkinDescription& skin, const std::filesystem::path& dir) {
    for (bool english : {true, false}) {
        for (LayoutKind kind :
             {LayoutKind::Main, LayoutKind::Advanced, LayoutKind::Color, LayoutKind::Warning}) {
            const auto file = LayoutFilePath(dir, kind, english);
            std::error_code ec;
            std::filesystem::create_directories(file.parent_path(), ec);
            std::filesystem::remove(file, ec);  // keys of an older skin must not linger
        }
        if (std::string error = WriteLanguage(skin, dir, english); !error.empty()) return error;
    }
    return {};
}

}  // namespace zep::skingen
