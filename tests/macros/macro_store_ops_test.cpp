#include <gtest/gtest.h>

#include "macros/macro_store_ops.h"

namespace zep {
namespace {

UserMacroStore StoreOf(std::initializer_list<std::u16string_view> names) {
    UserMacroStore s;
    for (auto n : names) {
        MacroRecord& r = s.slots[static_cast<std::size_t>(s.count++)];
        r = FreedSlot();
        r.SetName(n);
        r.stepCount = 1;
    }
    return s;
}

TEST(AddMacro, AddsANewNameOrSelectsTheExistingOne) {
    UserMacroStore s = StoreOf({u"a", u"b"});
    PanelUpdate u = AddMacro(s, u"b");
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.current, 1);
    EXPECT_EQ(u.listSelection, 1);
    EXPECT_FALSE(u.listRows);

    s.slots[2].stepCount = 9;  // stale steps of an earlier, longer store
    s.slots[2].repeatEnabled = 1;
    u = AddMacro(s, u"B");  // names compare case-sensitively
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.current, 2);
    EXPECT_EQ(u.listRows, (std::vector<std::u16string>{u"a", u"b", u"B"}));
    EXPECT_EQ(u.listSelection, 2);
    EXPECT_TRUE(u.clearStepList);
    EXPECT_EQ(s.slots[2].stepCount, 0);
    EXPECT_EQ(s.slots[2].repeatEnabled, 0);
    EXPECT_TRUE(u.focusMacroList);
}

TEST(AddMacro, RefusesEmptyNamesAndAThirteenthAndCutsLongNames) {
    UserMacroStore s;
    EXPECT_FALSE(AddMacro(s, u"").listSelection);
    EXPECT_EQ(s.count, 0);
    (void)AddMacro(s, u"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(s.slots[0].Name(), u"abcdefghijklmnopqrs");
    (void)AddMacro(s, u"abcdefghijklmnopqrsXYZ");  // same after the cut: selects, adds nothing
    EXPECT_EQ(s.count, 1);
    for (int i = 1; i < 12; ++i)
        (void)AddMacro(s, std::u16string(1, static_cast<char16_t>(u'A' + i)));
    EXPECT_EQ(s.count, 12);
    const PanelUpdate u = AddMacro(s, u"thirteen");
    EXPECT_EQ(s.count, 12);
    EXPECT_FALSE(u.listRows);
}

TEST(DeleteMacro, MovesLaterMacrosDownAndSelectsTheRowBefore) {
    UserMacroStore s = StoreOf({u"a", u"b", u"c"});
    PanelUpdate u = DeleteMacro(s, 0);
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(u.listRows, (std::vector<std::u16string>{u"b", u"c"}));
    EXPECT_EQ(u.listSelection, 0);
    EXPECT_EQ(u.nameText, u"b");
    EXPECT_EQ(s.slots[2], FreedSlot());
    EXPECT_TRUE(u.rebuildStepList);

    u = DeleteMacro(s, 1);
    EXPECT_EQ(s.current, 0);
    EXPECT_EQ(u.nameText, u"b");

    u = DeleteMacro(s, 0);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(u.nameText, u"");
    EXPECT_EQ(u.repeatText, u"1");
    EXPECT_EQ(u.repeatBoxEnabled, false);
}

TEST(DeleteMacro, DoesNothingWhileRecordingOrWithoutASelection) {
    for (int row : {-1, 3, 7}) {
        UserMacroStore s = StoreOf({u"a", u"b", u"c"});
        const UserMacroStore before = s;
        (void)DeleteMacro(s, row);
        EXPECT_EQ(s.count, 3) << row;
        EXPECT_EQ(s.slots, before.slots) << row;
    }
    UserMacroStore s = StoreOf({u"a"});
    s.recording = true;
    (void)DeleteMacro(s, 0);
    EXPECT_EQ(s.count, 1);
    UserMacroStore empty;
    (void)DeleteMacro(empty, 0);
    EXPECT_EQ(empty.count, 0);
}

TEST(ApplyRepeatCount, ClampsTheBoxAndAsksForASave) {
    const struct {
        std::u16string_view text;
        std::uint16_t stored;
        std::optional<std::u16string> shown;
    } cases[] = {
        {u"0", 1, u"1"},
        {u"-5", 1, u"1"},
        {u"abc", 1, u"1"},
        {u"", 1, u"1"},
        {u"70000", 65535, u"65535"},
        {u"250", 250, std::nullopt},
        {u"65535", 65535, std::nullopt},
        {u"99999999999", 65535, u"65535"},
    };
    for (const auto& c : cases) {
        UserMacroStore s = StoreOf({u"a", u"b"});
        s.current = 1;
        const PanelUpdate u = ApplyRepeatCount(s, c.text);
        EXPECT_EQ(s.slots[1].repeatCount, c.stored);
        EXPECT_EQ(u.repeatText, c.shown);
        EXPECT_TRUE(u.saveUserMacros);
        EXPECT_EQ(s.slots[1].repeatEnabled, 0);
    }
}

TEST(ToggleRepeat, ShowsTheCountOnlyWhileEnabled) {
    UserMacroStore s = StoreOf({u"a"});
    s.slots[0].repeatCount = 5;
    PanelUpdate u = ToggleRepeat(s);
    EXPECT_EQ(s.slots[0].repeatEnabled, 1);
    EXPECT_EQ(u.repeatText, u"5");
    EXPECT_EQ(u.repeatBoxEnabled, true);
    u = ToggleRepeat(s);
    EXPECT_EQ(s.slots[0].repeatEnabled, 0);
    EXPECT_EQ(u.repeatText, u"1");
    EXPECT_EQ(u.repeatBoxEnabled, false);
    EXPECT_EQ(s.slots[0].repeatCount, 5);
    EXPECT_FALSE(u.saveUserMacros);
}

}  // namespace
}  // namespace zep
