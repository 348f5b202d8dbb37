#pragma once
// The names of the skin's pictures, as they are looked up in the skin folder.

#include <array>
#include <string_view>

namespace zep::skin_files {

inline constexpr std::string_view kMainMask = "main_mask.jpg";
inline constexpr std::string_view kMainNormal = "main_normal.jpg";
inline constexpr std::string_view kMainOver = "main_over.jpg";
inline constexpr std::string_view kMainDown = "main_down.jpg";
inline constexpr std::string_view kAdvancedNormal = "advanced_normal.jpg";
inline constexpr std::string_view kAdvancedOver = "advanced_over.jpg";
inline constexpr std::string_view kAdvancedDown = "advanced_down.jpg";
// The colour page's rest, hovered and pressed pictures double as the pink, red and purple
// pictures of the LED preview; gray and blue serve only the preview.
inline constexpr std::string_view kColorNormalPink = "color_normal_pink.jpg";
inline constexpr std::string_view kColorOverRed = "color_over_red.jpg";
inline constexpr std::string_view kColorDownPurple = "color_down_purple.jpg";
inline constexpr std::string_view kColorNormalGray = "color_normal_gray.jpg";
inline constexpr std::string_view kColorOverBlue = "color_over_blue.jpg";
inline constexpr std::string_view kMenuMask = "menu_mask.jpg";
inline constexpr std::string_view kMenuNormal = "menu_normal.jpg";
inline constexpr std::string_view kMenuOver = "menu_over.jpg";
inline constexpr std::string_view kMenuDown = "menu_down.jpg";
inline constexpr std::string_view kSubMenuMask = "advanced menu_mask.jpg";
inline constexpr std::string_view kSubMenuNormal = "advanced menu_normal.jpg";
inline constexpr std::string_view kSubMenuOver = "advanced menu_over.jpg";
inline constexpr std::string_view kSubMenuDown = "advanced menu_down.jpg";
inline constexpr std::string_view kWarningMask = "warning_mask.jpg";
inline constexpr std::string_view kWarningNormal = "warning_normal.jpg";
inline constexpr std::string_view kWarningOver = "warning_over.jpg";

// The mask, the nine page pictures and the two preview pictures: all of one size, the main
// window's, since every one of them is copied from at the same window coordinates.
inline constexpr std::array<std::string_view, 12> kWindowPictures = {
    kMainMask,       kMainNormal,      kMainOver,        kMainDown,
    kAdvancedNormal, kAdvancedOver,    kAdvancedDown,    kColorNormalPink,
    kColorOverRed,   kColorDownPurple, kColorNormalGray, kColorOverBlue};

// Rows of the function menu and of its sub-menu: the pictures' heights divide by these.
inline constexpr int kMenuRows = 10;
inline constexpr int kSubMenuRows = 12;

}  // namespace zep::skin_files
