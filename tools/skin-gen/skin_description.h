#pragma once
// The default skin as data: every area of the four layouts with its place, its texts in both
// languages and how it looks, the control wells, the function names and the picture sizes. The
// painter draws from this and the layout writer writes it, so the pictures and the layout files
// cannot disagree.

#include <array>
#include <string>
#include <vector>

#include "ui/skin/layout.h"

namespace zep::skingen {

// How an area is drawn at rest, hovered and pressed.
enum class Look {
    None,      // reserved key; nothing drawn
    Label,     // text only; the picture is the same in every state
    Title,     // a card heading; text only
    Button,    // push button; pressed = lit
    Primary,   // the main action of a group, always tinted
    Tab,       // page tab in the title bar
    Toggle,    // on/off or one-of-many choice; pressed = chosen
    Profile,   // profile slot in the sidebar
    Radio,     // the current DPI level
    Cell,      // one DPI step of a level bar
    Swatch,    // the colour strip of a DPI level
    Selector,  // the function of a button: a drop-down field
    Mark,      // a button of the mouse picture, lit while its selector is hovered
    Led,       // a level light on the mouse picture
    Emblem,    // the palm emblem of the mouse picture
    Logo,      // the product mark in the title bar
    Minimize,
    Close,
    Slider,   // rapid-fire interval; pressed = filled
    Readout,  // a sunken display of a value
    Preview,  // the LED preview of the colour page
    Message,  // the warning text
};

struct AreaSpec {
    int index = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::u16string english;
    std::u16string chinese;
    Look look = Look::Label;
    int param = 0;  // Look-specific: DPI level, button number, ...
    bool hitTested = true;
    const char* name = "";  // field 0 of the layout value, for people editing the skin
};

// A child control of the advanced page, drawn as a sunken well behind it.
struct ControlSpec {
    const char* section;
    int key;
    const char* name;
    int x, y, width, height;
};

// A card: a rounded panel behind a group of areas.
struct CardSpec {
    int x, y, width, height;
};

struct PageSpec {
    std::vector<AreaSpec> areas;  // the page's own layout
    std::vector<CardSpec> cards;
};

struct SkinDescription {
    int width = 0, height = 0;     // every window picture
    std::vector<AreaSpec> common;  // main areas 0 ... 19, on every page
    PageSpec mainPage;             // main areas 20 ... 123
    PageSpec advancedPage;
    PageSpec colorPage;
    std::vector<ControlSpec> controls;
    int warningWidth = 0, warningHeight = 0;
    std::vector<AreaSpec> warning;
    int menuWidth = 0, menuRow = 0;
    int subMenuWidth = 0, subMenuRow = 0;
    std::array<std::u16string, kFunctionCodeCount> namesEnglish;
    std::array<std::u16string, kFunctionCodeCount> namesChinese;
};

[[nodiscard]] const SkinDescription& DefaultSkin();

// All areas of the main layout: the common ones and the main page's.
[[nodiscard]] std::vector<AreaSpec> MainLayoutAreas(const SkinDescription& skin);

}  // namespace zep::skingen
