#include <gtest/gtest.h>

#include "settings/profile.h"

namespace zep {
namespace {

TEST(FunctionTable, HardwareCodesAndReportFlags) {
    const struct {
        std::int32_t code;
        std::uint8_t hardware;
        bool dpi, rate;
        SoftwareAction action;
    } cases[] = {
        {0, 0, false, false, SoftwareAction::None},
        {1, 1, false, false, SoftwareAction::None},
        {5, 5, false, false, SoftwareAction::None},
        {6, 6, true, false, SoftwareAction::None},
        {7, 0, false, false, SoftwareAction::None},
        {10, 0, false, false, SoftwareAction::None},
        {11, 7, false, false, SoftwareAction::None},
        {13, 9, false, false, SoftwareAction::None},
        {14, 10, false, true, SoftwareAction::None},
        {15, 11, true, false, SoftwareAction::None},
        {16, 12, true, false, SoftwareAction::None},
        {17, 13, false, false, SoftwareAction::None},
        {18, 0, false, false, SoftwareAction::None},
        {21, 0, false, false, SoftwareAction::ConsumerKey},
        {30, 0, false, false, SoftwareAction::ConsumerKey},
        {31, 0, false, false, SoftwareAction::ConstantMacro},
        {38, 0, false, false, SoftwareAction::ConstantMacro},
        {39, 0, false, false, SoftwareAction::Calculator},
        {40, 0, false, false, SoftwareAction::Terminal},
        {41, 0, false, false, SoftwareAction::UserMacro},
        {52, 0, false, false, SoftwareAction::UserMacro},
        {53, 0, false, false, SoftwareAction::None},
        {54, 0, false, false, SoftwareAction::None},
        {55, 0, false, false, SoftwareAction::None},
        {-1, 0, false, false, SoftwareAction::None},
        {INT32_MIN, 0, false, false, SoftwareAction::None},
    };
    for (const auto& c : cases) {
        const FunctionInfo f = LookupFunction(c.code);
        EXPECT_EQ(f.hardwareCode, c.hardware) << c.code;
        EXPECT_EQ(f.reportsDpiLevel, c.dpi) << c.code;
        EXPECT_EQ(f.reportsRateStep, c.rate) << c.code;
        EXPECT_EQ(f.action, c.action) << c.code;
    }
}

TEST(Tables, DpiPointerLedAndConsumerLookupsStayInside) {
    EXPECT_EQ(DpiOfCode(DpiCodeOfStep(6)), 1600);
    EXPECT_EQ(DpiOfCode(DpiCodeOfStep(11)), 4800);
    EXPECT_EQ(DpiCodeOfStep(200), 15);  // hand-edited step past the table
    for (std::uint8_t unlisted : {0, 8, 10, 12, 16, 255}) EXPECT_EQ(DpiOfCode(unlisted), 200);
    EXPECT_EQ(PointerSpeedOfStep(4), 8);
    EXPECT_EQ(PointerSpeedOfStep(9), 18);
    EXPECT_EQ(PointerSpeedOfStep(250), 18);
    const std::uint8_t led[] = {0, 3, 6, 7, 7, 7};
    for (std::uint8_t e = 0; e < 6; ++e) EXPECT_EQ(LedEffectCode(e), led[e]);
    EXPECT_EQ(ConsumerUsageOf(24), 0x00E9);
    EXPECT_EQ(ConsumerUsageOf(21), 0x0223);
    EXPECT_EQ(ConsumerUsageOf(30), 0x0192);
    EXPECT_EQ(ConsumerUsageOf(20), 0);
    EXPECT_EQ(ConsumerUsageOf(31), 0);
}

TEST(SetButtonFunction, AlwaysKeepsALeftClick) {
    const struct {
        std::array<std::int32_t, 7> before;
        int button;
        std::int32_t code;
        std::array<std::int32_t, 7> after;
    } cases[] = {
        {{1, 2, 3, 4, 5, 15, 16}, 0, 41, {41, 1, 3, 4, 5, 15, 16}},
        {{2, 3, 1, 4, 5, 15, 16}, 2, 24, {2, 3, 24, 1, 5, 15, 16}},
        {{2, 3, 4, 4, 5, 15, 1}, 6, 24, {2, 3, 4, 4, 5, 15, 1}},     // button 6 keeps it
        {{1, 1, 3, 4, 5, 15, 16}, 0, 41, {41, 1, 3, 4, 5, 15, 16}},  // another still has it
        {{1, 2, 3, 4, 5, 15, 16}, 7, 41, {1, 2, 3, 4, 5, 15, 16}},   // no such button
        {{1, 2, 3, 4, 5, 15, 16}, -1, 41, {1, 2, 3, 4, 5, 15, 16}},
    };
    for (const auto& c : cases) {
        MouseProfile p;
        p.buttonFunction = c.before;
        SetButtonFunction(p, c.button, c.code);
        EXPECT_EQ(p.buttonFunction, c.after) << "button " << c.button;
    }
    MouseProfile p = DefaultProfile();
    EXPECT_TRUE(IsOnlyLeftClick(p, 0));
    EXPECT_FALSE(IsOnlyLeftClick(p, 1));
}

TEST(DpiLevels, TheLastEnabledLevelCannotBeDisabled) {
    const struct {
        std::array<std::uint8_t, 4> enabled;
        std::int32_t current;
        int toggle;
        std::array<std::uint8_t, 4> enabledAfter;
        std::int32_t currentAfter;
    } cases[] = {
        {{1, 1, 1, 1}, 3, 3, {1, 1, 1, 0}, 0},  // current level 3 off: wraps to 0
        {{0, 1, 0, 1}, 1, 1, {0, 0, 0, 1}, 3},
        {{0, 0, 1, 0}, 2, 2, {0, 0, 1, 0}, 2},  // the only one stays
        {{1, 1, 1, 1}, 0, 2, {1, 1, 0, 1}, 0},  // not current: only cleared
        {{1, 0, 1, 1}, 0, 1, {1, 1, 1, 1}, 0},  // disabled: enabled again
        {{1, 1, 1, 1}, 0, 4, {1, 1, 1, 1}, 0},  // no such level
    };
    for (const auto& c : cases) {
        MouseProfile p;
        p.dpiEnabled = c.enabled;
        p.dpiLevel = c.current;
        ToggleDpiLevel(p, c.toggle);
        EXPECT_EQ(p.dpiEnabled, c.enabledAfter) << "toggle " << c.toggle;
        EXPECT_EQ(p.dpiLevel, c.currentAfter) << "toggle " << c.toggle;
    }
    MouseProfile p;
    p.dpiEnabled = {1, 0, 1, 1};
    SelectDpiLevel(p, 1);
    EXPECT_EQ(p.dpiLevel, 0);
    SelectDpiLevel(p, 2);
    EXPECT_EQ(p.dpiLevel, 2);
    SetDpiStep(p, 2, 12);
    SetDpiStep(p, 2, 11);
    EXPECT_EQ(p.dpiStep[2], 11);
}

TEST(FireInterval, SliderAndStepsStayWithinRange) {
    MouseProfile p;
    const struct {
        int x, left, width;
        std::int32_t expected;
    } slider[] = {{100, 100, 150, 0}, {175, 100, 150, 150}, {250, 100, 150, 300},
                  {101, 100, 150, 2}, {90, 100, 150, 0},    {400, 100, 150, 300}};
    for (const auto& c : slider) {
        SetFireFromSlider(p, c.x, c.left, c.width);
        EXPECT_EQ(p.fireInterval, c.expected) << c.x;
    }
    p.fireInterval = 300;
    StepFireInterval(p, +1);
    EXPECT_EQ(p.fireInterval, 300);
    p.fireInterval = 0;
    StepFireInterval(p, -1);
    EXPECT_EQ(p.fireInterval, 0);
    StepFireInterval(p, +1);
    EXPECT_EQ(p.fireInterval, 1);
    ToggleMacroMode(p);
    EXPECT_EQ(p.macroMode, 1);
    ToggleMacroMode(p);
    EXPECT_EQ(p.macroMode, 0);
}

}  // namespace
}  // namespace zep
