#include "macros/key_codes.h"

#include <array>

namespace zep {

namespace {

struct KeyEntry {
    std::uint8_t keyCode;
    std::u16string_view name;
    int virtualKey;  // -1: a name only, no virtual-key code converts to it
};

constexpr std::u16string_view kLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::u16string_view kDigits = u"1234567890";
constexpr std::array<std::u16string_view, 24> kFunctionKeys = {
    u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",  u"F9",  u"F10", u"F11", u"F12",
    u"F13", u"F14", u"F15", u"F16", u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24"};
constexpr std::array<std::u16string_view, 10> kNumpad = {
    u"NUMPAD0", u"NUMPAD1", u"NUMPAD2", u"NUMPAD3", u"NUMPAD4",
    u"NUMPAD5", u"NUMPAD6", u"NUMPAD7", u"NUMPAD8", u"NUMPAD9"};

constexpr KeyEntry kSingles[] = {
    {40, u"RETURN", 13},     {41, u"ESCAPE", 27},     {42, u"BACK", 8},
    {43, u"TAB", 9},         {44, u"SPACE", 32},      {57, u"CAPITAL", 20},
    {45, u"-", 189},         {46, u"+", 187},         {47, u"[{", 219},
    {48, u"]}", 221},        {49, u"\\|", 220},       {50, u"`~", 192},
    {51, u";:", 186},        {52, u" ' ", 222},       {54, u",", 188},
    {55, u".", 190},         {56, u"/?", 191},        {70, u"SNAPSHOT", 44},
    {71, u"SCROLL", 145},    {72, u"PAUSE", 19},      {73, u"INSERT", 45},
    {74, u"HOME", 36},       {75, u"PRIOR", 33},      {76, u"DELETE", 46},
    {77, u"END", 35},        {78, u"NEXT", 34},       {79, u"RIGHT", 39},
    {80, u"LEFT", 37},       {81, u"DOWN", 40},       {82, u"UP", 38},
    {83, u"NUMLOCK", 144},   {84, u"DIVIDE", 111},    {85, u"MULTIPLY", 106},
    {86, u"SUBTRACT", 109},  {87, u"ADD", 107},       {99, u"DECIMAL", 110},
    {101, u"APPS", 93},      {116, u"EXECUTE", 43},   {117, u"HELP", 47},
    {119, u"SELECT", 41},    {156, u"CLEAR", 12},     {159, u"SEPARATOR", 108},
    {224, u"LCONTROL", 162}, {225, u"LSHIFT", 160},   {226, u"LMENU", 164},
    {227, u"LWIN", 91},      {228, u"RCONTROL", 163}, {229, u"RSHIFT", 161},
    {230, u"RMENU", 165},    {231, u"RWIN", 92},      {240, u"L-KEY", 240},
    {241, u"R-KEY", 241},    {242, u"M-KEY", 242},    {118, u"MENU", -1},
};

struct Tables {
    std::array<std::u16string_view, 256> name{};
    std::array<std::uint8_t, 256> toVirtual{};
    std::array<std::uint8_t, 256> toKey{};
};

constexpr void Add(Tables& t, int key, std::u16string_view name, int virtualKey) {
    t.name[static_cast<std::size_t>(key)] = name;
    if (virtualKey < 0) return;
    t.toVirtual[static_cast<std::size_t>(key)] = static_cast<std::uint8_t>(virtualKey);
    t.toKey[static_cast<std::size_t>(virtualKey)] = static_cast<std::uint8_t>(key);
}

constexpr Tables MakeTables() {
    Tables t;
    for (int i = 0; i < 256; ++i) {
        t.name[static_cast<std::size_t>(i)] = u"NON-AVAILABLE";
        t.toVirtual[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        t.toKey[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < 26; ++i)
        Add(t, 4 + i, kLetters.substr(static_cast<std::size_t>(i), 1), 65 + i);
    for (int i = 0; i < 10; ++i)
        Add(t, 30 + i, kDigits.substr(static_cast<std::size_t>(i), 1), i < 9 ? 49 + i : 48);
    for (int i = 0; i < 12; ++i)
        Add(t, 58 + i, kFunctionKeys[static_cast<std::size_t>(i)], 112 + i);
    for (int i = 0; i < 12; ++i)
        Add(t, 104 + i, kFunctionKeys[static_cast<std::size_t>(12 + i)], 124 + i);
    for (int i = 1; i <= 9; ++i) Add(t, 88 + i, kNumpad[static_cast<std::size_t>(i)], 96 + i);
    Add(t, 98, kNumpad[0], 96);
    for (const auto& e : kSingles) Add(t, e.keyCode, e.name, e.virtualKey);
    return t;
}

constexpr Tables kTables = MakeTables();

}  // namespace

std::uint8_t VirtualKeyToKeyCode(std::uint8_t virtualKey) {
    return kTables.toKey[virtualKey];
}
std::uint8_t KeyCodeToVirtualKey(std::uint8_t keyCode) {
    return kTables.toVirtual[keyCode];
}
std::u16string_view KeyCodeName(std::uint8_t keyCode) {
    return kTables.name[keyCode];
}

std::optional<std::uint8_t> KeyCodeFromName(std::u16string_view name) {
    if (name == u"NON-AVAILABLE") return std::nullopt;
    for (std::size_t k = 0; k < kTables.name.size(); ++k) {
        if (kTables.name[k] == name) return static_cast<std::uint8_t>(k);
    }
    return std::nullopt;
}

}  // namespace zep
