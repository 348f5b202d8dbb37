#include <gtest/gtest.h>

#include "macros/key_codes.h"

namespace zep {
namespace {

TEST(KeyCodeTable, ConversionsAndNames) {
    const struct {
        std::uint8_t key;
        std::uint8_t virtualKey;
        std::u16string_view name;
    } cases[] = {
        {4, 65, u"A"},
        {29, 90, u"Z"},
        {30, 49, u"1"},
        {38, 57, u"9"},
        {39, 48, u"0"},
        {58, 112, u"F1"},
        {69, 123, u"F12"},
        {104, 124, u"F13"},
        {115, 135, u"F24"},
        {89, 97, u"NUMPAD1"},
        {97, 105, u"NUMPAD9"},
        {98, 96, u"NUMPAD0"},
        {40, 13, u"RETURN"},
        {50, 192, u"`~"},
        {52, 222, u" ' "},
        {49, 220, u"\\|"},
        {99, 110, u"DECIMAL"},
        {156, 12, u"CLEAR"},
        {159, 108, u"SEPARATOR"},
        {226, 164, u"LMENU"},
        {231, 92, u"RWIN"},
        {240, 240, u"L-KEY"},
        {242, 242, u"M-KEY"},
        {53, 53, u"NON-AVAILABLE"},
        {0, 0, u"NON-AVAILABLE"},
        {255, 255, u"NON-AVAILABLE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeToVirtualKey(c.key), c.virtualKey) << int(c.key);
        EXPECT_EQ(KeyCodeName(c.key), c.name) << int(c.key);
        if (c.key != c.virtualKey || c.name != u"NON-AVAILABLE") {
            EXPECT_EQ(VirtualKeyToKeyCode(c.virtualKey), c.key) << int(c.virtualKey);
        }
    }
}

TEST(KeyCodeTable, UnlistedValuesPassThrough) {
    EXPECT_EQ(VirtualKeyToKeyCode(226), 226);  // not a listed virtual key: same number
    EXPECT_EQ(KeyCodeName(VirtualKeyToKeyCode(226)), u"LMENU");
    EXPECT_EQ(KeyCodeName(118), u"MENU");  // a name only
    EXPECT_EQ(KeyCodeToVirtualKey(118), 118);
    EXPECT_EQ(VirtualKeyToKeyCode(118), 64);  // ... which reads back as F7
    EXPECT_EQ(KeyCodeName(64), u"F7");
}

}  // namespace
}  // namespace zep
