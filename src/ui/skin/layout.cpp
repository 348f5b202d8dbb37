#include "ui/skin/layout.h"

#include <algorithm>
#include <system_error>

#include "platform/ini/decimal.h"
#include "platform/ini/profile_file.h"
#include "platform/system/user_prompts.h"

namespace zep {

namespace {

constexpr std::u16string_view kButtonPos = u"BUTTONPOS";
constexpr std::u16string_view kFunString = u"FUN_STRING";
constexpr std::u16string_view kEdit = u"EDIT";
constexpr std::u16string_view kMacroDisplay = u"MACRODISPLAY";

LayoutArea AreaFrom(const LayoutEntry& entry) {
    return {ParseDecimal(entry.fields[1]), ParseDecimal(entry.fields[2]),
            ParseDecimal(entry.fields[3]), ParseDecimal(entry.fields[4]), entry.fields[5]};
}

ControlBox BoxFrom(const LayoutEntry& entry) {
    return {ParseDecimal(entry.fields[1]), ParseDecimal(entry.fields[2]),
            ParseDecimal(entry.fields[3]), ParseDecimal(entry.fields[4])};
}

template <std::size_t N>
bool LoadAreas(LayoutReader& reader, const std::filesystem::path& file,
               std::array<LayoutArea, N>& areas) {
    for (std::size_t i = 0; i < N; ++i) {
        const LayoutEntry entry = reader.ReadLayoutEntry(file, kButtonPos, static_cast<int>(i));
        if (reader.stopped()) return false;
        areas[i] = AreaFrom(entry);
    }
    return true;
}

}  // namespace

LayoutEntry SplitLayoutValue(std::u16string_view value) {
    LayoutEntry entry;
    std::size_t field = 0;
    while (field + 1 < kLayoutFieldCount) {
        const std::size_t comma = value.find(u',');
        if (comma == std::u16string_view::npos) break;
        entry.fields[field++] = std::u16string(value.substr(0, comma));
        value.remove_prefix(comma + 1);
    }
    entry.fields[field] = std::u16string(value);
    return entry;
}

std::filesystem::path LayoutFilePath(const std::filesystem::path& skinFolder, LayoutKind kind,
                                     bool english) {
    const char* base = "skin_main";
    switch (kind) {
        case LayoutKind::Main:
            base = "skin_main";
            break;
        case LayoutKind::Advanced:
            base = "skin_advance";
            break;
        case LayoutKind::Color:
            base = "skin_color";
            break;
        case LayoutKind::Warning:
            base = "LBWarning";
            break;
    }
    const std::string name = std::string(base) + (english ? "_en.ini" : ".ini");
    return skinFolder / (english ? "INI_EN" : "INI_CN") / name;
}

struct LayoutReader::Cache {
    std::filesystem::path file;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    IniSnapshot snapshot;
};

LayoutReader::LayoutReader(const ProfileFile& files, UserPrompts& prompts,
                           std::function<void()> exitSequence)
    : files_(files), prompts_(prompts), exitSequence_(std::move(exitSequence)) {}

const LayoutReader::Cache* LayoutReader::Open(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    const auto modified =
        ec ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(file, ec);
    if (ec) return nullptr;
    if (cache_ && cache_->file == file && cache_->size == size && cache_->modified == modified) {
        return cache_.get();
    }
    IniSnapshot snapshot = files_.Snapshot(file);
    if (!snapshot.exists()) return nullptr;
    cache_ = std::make_shared<Cache>(Cache{file, size, modified, std::move(snapshot)});
    return cache_.get();
}

LayoutEntry LayoutReader::ReadLayoutEntry(const std::filesystem::path& file,
                                          std::u16string_view section, int index) {
    if (stopped_) return {};
    const Cache* cache = Open(file);
    if (cache == nullptr) {
        stopped_ = true;
        cache_.reset();
        prompts_.ShowMessage(kMissingFileMessage);
        if (exitSequence_) exitSequence_();
        return {};
    }
    const std::u16string value =
        cache->snapshot.Read(section, FormatDecimal(index), kLayoutValueBuffer);
    if (std::count(value.begin(), value.end(), u',') > 6) {
        prompts_.ShowMessage(kMalformedValueMessage);
    }
    return SplitLayoutValue(value);
}

bool LoadMainLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                    SkinLayouts& layouts) {
    const auto file = LayoutFilePath(skinFolder, LayoutKind::Main, english);
    if (!LoadAreas(reader, file, layouts.mainLayout)) return false;
    layouts.functionNames[0].clear();
    for (int code = 1; code < static_cast<int>(kFunctionCodeCount); ++code) {
        const LayoutEntry entry = reader.ReadLayoutEntry(file, kFunString, code);
        if (reader.stopped()) return false;
        layouts.functionNames[static_cast<std::size_t>(code)] = entry.fields[0];
    }
    // Code 14 has a fixed name whatever the skin says.
    layouts.functionNames[kForcedFunctionName] = english ? u"OFF" : u"无功能";
    return true;
}

bool LoadColorLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                     SkinLayouts& layouts) {
    return LoadAreas(reader, LayoutFilePath(skinFolder, LayoutKind::Color, english),
                     layouts.colorLayout);
}

bool LoadWarningLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                       SkinLayouts& layouts) {
    return LoadAreas(reader, LayoutFilePath(skinFolder, LayoutKind::Warning, english),
                     layouts.warningLayout);
}

bool LoadAdvancedLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                        SkinLayouts& layouts) {
    const auto file = LayoutFilePath(skinFolder, LayoutKind::Advanced, english);
    if (!LoadAreas(reader, file, layouts.advancedLayout)) return false;
    const struct {
        std::u16string_view section;
        int key;
        ControlBox* box;
    } controls[] = {{kEdit, 3, &layouts.repeatCountBox},
                    {kEdit, 4, &layouts.macroNameBox},
                    {kMacroDisplay, 1, &layouts.macroListBox},
                    {kMacroDisplay, 2, &layouts.stepListBox}};
    for (const auto& control : controls) {
        const LayoutEntry entry = reader.ReadLayoutEntry(file, control.section, control.key);
        if (reader.stopped()) return false;
        *control.box = BoxFrom(entry);
    }
    return true;
}

bool LoadAllLayouts(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                    SkinLayouts& layouts) {
    return LoadMainLayout(reader, skinFolder, english, layouts) &&
           LoadColorLayout(reader, skinFolder, english, layouts) &&
           LoadAdvancedLayout(reader, skinFolder, english, layouts) &&
           LoadWarningLayout(reader, skinFolder, english, layouts);
}

}  // namespace zep
