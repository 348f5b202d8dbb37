#include "cli/cli_format.h"

#include <array>
#include <sstream>

#include "macros/key_codes.h"
#include "macros/macro_text.h"
#include "platform/ini/text_codec.h"

namespace zep::cli {

namespace {

struct Named {
    std::int32_t code;
    const char* name;
};
constexpr std::array<Named, 27> kNames = {{
    {1, "Left click"},        {2, "Right click"},        {3, "Middle click"},
    {4, "Back"},              {5, "Forward"},            {6, "DPI cycle"},
    {11, "Mouse function A"}, {12, "Mouse function B"},  {13, "Mouse function C"},
    {14, "Report rate step"}, {15, "DPI up"},            {16, "DPI down"},
    {17, "Mouse function D"}, {21, "Home"},              {22, "Media player"},
    {23, "Email"},            {24, "Volume up"},         {25, "Volume down"},
    {26, "Previous track"},   {27, "Next track"},        {28, "Mute"},
    {29, "Play/Pause"},       {30, "Calculator key"},    {39, "Calculator"},
    {40, "Terminal"},         {0, "No function"},        {-1, ""},
}};

constexpr std::array<const char*, 4> kLedNames = {"breathing, 1.2 s phases", "breathing, 0.8 s phases",
                                                  "steady in the level's colour", "off"};

std::string MacroName(const MacroRecord& m) { return Utf16ToUtf8(m.Name()); }

}  // namespace

std::string FunctionName(std::int32_t code, const UserMacroStore& user,
                         const ConstantMacroStore& constants) {
    if (code >= 41 && code <= 52) {
        const int slot = code - 41;
        if (slot < user.count) return "Macro \"" + MacroName(user.slots[static_cast<std::size_t>(slot)]) + "\"";
        return "Macro " + std::to_string(slot + 1) + " (none recorded)";
    }
    if (code >= 31 && code <= 38) {
        const int slot = code - 31;
        if (slot < constants.count) {
            return "Shortcut \"" + MacroName(constants.slots[static_cast<std::size_t>(slot)]) + "\"";
        }
        return "Shortcut " + std::to_string(slot + 1) + " (missing)";
    }
    for (const auto& n : kNames) {
        if (n.code == code && n.name[0] != '\0') return n.name;
    }
    return "No function";
}

std::string FormatProfile(const MouseProfile& p, int number, bool current, const UserMacroStore& user,
                          const ConstantMacroStore& constants) {
    std::ostringstream out;
    out << "Profile " << number << (current ? " (current)" : "") << "\n";
    for (int b = 0; b < kButtonCount; ++b) {
        const std::int32_t code = p.buttonFunction[static_cast<std::size_t>(b)];
        out << "  Button " << b + 1 << ": " << FunctionName(code, user, constants) << " (code " << code << ")\n";
    }
    out << "  DPI levels:";
    for (int n = 0; n < kDpiLevelCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        out << (n ? "," : "") << " " << n + 1 << ": " << DpiOfCode(DpiCodeOfStep(p.dpiStep[i])) << " DPI "
            << (p.dpiEnabled[i] ? "on" : "off") << (p.dpiLevel == n ? " (current)" : "");
    }
    out << "\n  Current DPI level: " << p.dpiLevel + 1 << "\n";
    out << "  Wheel mode: " << p.wheelMode << "\n";
    out << "  LED effect: " << int(p.ledEffect)
        << (p.ledEffect < kLedNames.size() ? std::string(" (") + kLedNames[p.ledEffect] + ")" : "") << "\n";
    out << "  Pointer speed: " << int(p.pointerSpeed) << " of 0 ... 9 (desktop speed "
        << PointerSpeedOfStep(p.pointerSpeed) << " of 20)\n";
    out << "  Wheel lines: " << int(p.wheelSpeed) + 1 << "\n";
    out << "  Report rate step: " << int(p.rateStep) << "\n";
    out << "  Fire interval: " << p.fireInterval << " ms\n";
    out << "  Macro mode: " << p.macroMode
        << (p.macroMode ? " (a macro repeats while its button is held)" : " (macros play their count; a further press stops them)")
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
        out << "   " << i + 1 << "  " << (s.direction == kStepPress ? "press  " : "release")
            << "  " << Utf16ToUtf8(KeyCodeName(s.code)) << "  then " << macro.delays[static_cast<std::size_t>(i)]
            << " ms\n";
    }
    return out.str();
}

}  // namespace zep::cli
