#include "cli/cli_format.h"

#include <array>
#include <sstream>

#include "macros/key_codes.h"
#include "macros/macro_text.h"
#include "platform/ini/text_codec.h"

namespace zep::cli {

namespace {

// Used where the skin's layout cannot be read; the same words as the default skin.
struct Named {
    std::int32_t code;
    const char* name;
};
constexpr std::array<Named, 26> kNames = {{
    {1, "Left click"},      {2, "Right click"},  {3, "Middle click"},    {4, "Back"},
    {5, "Forward"},         {6, "DPI cycle"},    {11, "Rapid fire"},     {12, "Double click"},
    {13, "Triple click"},   {14, "Report rate"}, {15, "DPI up"},         {16, "DPI down"},
    {17, "Mouse function"}, {21, "Home page"},   {22, "Media player"},   {23, "E-mail"},
    {24, "Volume up"},      {25, "Volume down"}, {26, "Previous track"}, {27, "Next track"},
    {28, "Mute"},           {29, "Play/Pause"},  {30, "Calculator"},     {39, "Open calculator"},
    {40, "Open terminal"},  {0, "No function"},
}};

constexpr std::array<const char*, 4> kLedNames = {
    "breathing, 1.2 s phases", "breathing, 0.8 s phases", "steady in the level's colour", "off"};

std::string MacroName(const MacroRecord& m) {
    return Utf16ToUtf8(m.Name());
}

}  // namespace

std::string FunctionName(std::int32_t code, const NameSources& names) {
    const UserMacroStore& user = names.user;
    const ConstantMacroStore& constants = names.constants;
    if (code >= 41 && code <= 52) {
        const int slot = code - 41;
        if (slot < user.count)
            return "Macro \"" + MacroName(user.slots[static_cast<std::size_t>(slot)]) + "\"";
        return "Macro " + std::to_string(slot + 1) + " (none recorded)";
    }
    if (code >= 31 && code <= 38) {
        const int slot = code - 31;
        if (slot < constants.count) {
            return "Shortcut \"" + MacroName(constants.slots[static_cast<std::size_t>(slot)]) +
                   "\"";
        }
        return "Shortcut " + std::to_string(slot + 1) + " (missing)";
    }
    // The skin shows code 14 as "OFF" by design; here the truth is more useful.
    if (code >= 0 && code < kFunctionCodeCount && code != 14 &&
        !names.skinNames[static_cast<std::size_t>(code)].empty()) {
        return Utf16ToUtf8(names.skinNames[static_cast<std::size_t>(code)]);
    }
    for (const auto& n : kNames) {
        if (n.code == code) return n.name;
    }
    return "No function";
}

std::string FormatProfile(const MouseProfile& p, int number, bool current,
                          const NameSources& names) {
    std::ostringstream out;
    out << "Profile " << number << (current ? " (current)" : "") << "\n";
    for (int b = 0; b < kButtonCount; ++b) {
        const std::int32_t code = p.buttonFunction[static_cast<std::size_t>(b)];
        out << "  Button " << b + 1 << ": " << FunctionName(code, names) << " (code " << code
            << ")\n";
    }
    out << "  DPI levels:";
    for (int n = 0; n < kDpiLevelCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        out << (n ? "," : "") << " " << n + 1 << ": " << DpiOfCode(DpiCodeOfStep(p.dpiStep[i]))
            << " DPI " << (p.dpiEnabled[i] ? "on" : "off") << (p.dpiLevel == n ? " (current)" : "");
    }
    out << "\n  Current DPI level: " << p.dpiLevel + 1 << "\n";
    out << "  Wheel mode: " << p.wheelMode << "\n";
    out << "  LED effect: " << int(p.ledEffect)
        << (p.ledEffect < kLedNames.size() ? std::string(" (") + kLedNames[p.ledEffect] + ")" : "")
        << "\n";
    out << "  Pointer speed: " << int(p.pointerSpeed) << " of 0 ... 9 (desktop speed "
        << PointerSpeedOfStep(p.pointerSpeed) << " of 20)\n";
    out << "  Wheel lines: " << int(p.wheelSpeed) + 1 << "\n";
    out << "  Report rate step: " << int(p.rateStep) << "\n";
    out << "  Fire interval: " << p.fireInterval << " ms\n";
    out << "  Macro mode: " << p.macroMode
        << (p.macroMode ? " (a macro repeats while its button is held)"
                        : " (macros play their count; a further press stops them)")
        << "\n";
    return out.str();
}

std::string FormatMacroList(const UserMacroStore& store) {
    std::ostringstream out;
    if (store.count == 0) out << "No user macros.\n";
    for (int i = 0; i < store.count; ++i) {
        const MacroRecord& m = store.slots[static_cast<std::size_t>(i)];
        out << i + 1 << ". " << MacroName(m) << "  (" << int(m.stepCount) << " steps, "
            << (m.repeatEnabled ? "repeat " + std::to_string(m.repeatCount) : std::string("once"))
            << ", function code " << 41 + i << ")\n";
    }
    return out.str();
}

std::string FormatMacro(const MacroRecord& macro, int number) {
    std::ostringstream out;
    out << number << ". " << Utf16ToUtf8(FormatMacroLine(macro)) << "\n";
    for (int i = 0; i < macro.stepCount; ++i) {
        const auto& s = macro.steps[static_cast<std::size_t>(i)];
        out << "   " << i + 1 << "  " << (s.direction == kStepPress ? "press  " : "release") << "  "
            << Utf16ToUtf8(KeyCodeName(s.code)) << "  then "
            << macro.delays[static_cast<std::size_t>(i)] << " ms\n";
    }
    return out.str();
}

}  // namespace zep::cli
