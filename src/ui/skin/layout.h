#pragma once
// The skin's layout files: where every area of the three pages and of the warning dialog lies,
// the text drawn in it, the display names of the button functions and the places of the advanced
// page's four controls. Pure core: no Qt, files read through ProfileFile.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "settings/profile.h"  // kFunctionCodeCount

namespace zep {

class ProfileFile;
class UserPrompts;

// A value is read into a buffer of this many UTF-16 units, terminator included.
inline constexpr std::size_t kLayoutValueBuffer = 260;
inline constexpr std::size_t kLayoutFieldCount = 7;

inline constexpr std::size_t kMainAreaCount = 124;
inline constexpr std::size_t kAdvancedAreaCount = 52;
inline constexpr std::size_t kColorAreaCount = 13;
inline constexpr std::size_t kWarningAreaCount = 3;
inline constexpr int kForcedFunctionName = 14;         // always "OFF" / "无功能"

inline constexpr std::u16string_view kMissingFileMessage = u"找不到配置文件";
inline constexpr std::u16string_view kMalformedValueMessage = u"加载ini错误！";

// The seven comma-separated fields of one value: name, x, y, width, height, text, rest.
struct LayoutEntry {
    std::array<std::u16string, kLayoutFieldCount> fields;
    bool operator==(const LayoutEntry&) const = default;
};

// Splits at the first six commas; field 6 keeps everything after the sixth comma, further
// commas included. A value with fewer commas fills the fields it has and leaves the others
// empty, so "Copy" and "Copy,1,2" both name field 0 "Copy" and a short value never shifts the
// text into a number field.
[[nodiscard]] LayoutEntry SplitLayoutValue(std::u16string_view value);

// Left, top, right, bottom; right and bottom are outside. 64-bit, so that a hand-edited
// x + width past the 32-bit range cannot wrap around into the window.
struct LayoutRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutArea {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::u16string text;

    [[nodiscard]] LayoutRect Rect() const {
        return {x, y, std::int64_t{x} + width, std::int64_t{y} + height};
    }
    // Half-open: a point on the right or bottom edge is outside; a zero or negative size
    // contains nothing.
    [[nodiscard]] bool Contains(std::int64_t px, std::int64_t py) const {
        const LayoutRect r = Rect();
        return px >= r.left && px < r.right && py >= r.top && py < r.bottom;
    }
    bool operator==(const LayoutArea&) const = default;
};

// One of the advanced page's controls, as read and as a rectangle.
struct ControlBox {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    [[nodiscard]] LayoutRect Rect() const {
        return {x, y, std::int64_t{x} + width, std::int64_t{y} + height};
    }
    bool operator==(const ControlBox&) const = default;
};

struct SkinLayouts {
    std::array<LayoutArea, kMainAreaCount> mainLayout;
    std::array<LayoutArea, kAdvancedAreaCount> advancedLayout;
    std::array<LayoutArea, kColorAreaCount> colorLayout;
    std::array<LayoutArea, kWarningAreaCount> warningLayout;
    std::array<std::u16string, kFunctionCodeCount> functionNames;
    ControlBox repeatCountBox;  // "EDIT" 3
    ControlBox macroNameBox;    // "EDIT" 4
    ControlBox macroListBox;    // "MACRODISPLAY" 1
    ControlBox stepListBox;     // "MACRODISPLAY" 2
};

enum class LayoutKind { Main, Advanced, Color, Warning };

// skins/INI_EN/skin_main_en.ini, skins/INI_CN/skin_main.ini, ...
[[nodiscard]] std::filesystem::path LayoutFilePath(const std::filesystem::path& skinFolder,
                                                   LayoutKind kind, bool english);

// Reads layout values with the skin's failure rules. A missing (or unreadable) layout file shows
// "找不到配置文件" once and runs the exit sequence; from then on the reader is stopped: it reads
// nothing and shows nothing more, since the utility is ending. A value with more than six commas
// shows "加载ini错误！" each time it is read and is still used.
class LayoutReader {
  public:
    LayoutReader(const ProfileFile& files, UserPrompts& prompts,
                 std::function<void()> exitSequence);

    // Key `index` in decimal of `section`; a missing key or section gives seven empty fields.
    [[nodiscard]] LayoutEntry ReadLayoutEntry(const std::filesystem::path& file,
                                              std::u16string_view section, int index);
    [[nodiscard]] bool stopped() const { return stopped_; }

  private:
    struct Cache;
    // The parsed file, re-read only when its size or modification time changed, so a loader's
    // hundred keys cost one parse. nullptr when the file is missing.
    const Cache* Open(const std::filesystem::path& file);

    const ProfileFile& files_;
    UserPrompts& prompts_;
    std::function<void()> exitSequence_;
    bool stopped_ = false;
    std::shared_ptr<Cache> cache_;
};

// Each loader fills its part of `layouts` from the file of the language. They return false when
// the reader stopped (the file was missing); the caller then uses nothing of the skin. Loading
// again replaces every area and name.
bool LoadMainLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                    SkinLayouts& layouts);
bool LoadColorLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                     SkinLayouts& layouts);
bool LoadAdvancedLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                        SkinLayouts& layouts);
bool LoadWarningLayout(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                       SkinLayouts& layouts);

// Main, colour, advanced, warning, in this order, stopping at the first missing file.
bool LoadAllLayouts(LayoutReader& reader, const std::filesystem::path& skinFolder, bool english,
                    SkinLayouts& layouts);

}  // namespace zep
