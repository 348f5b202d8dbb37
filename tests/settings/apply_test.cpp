#include <gtest/gtest.h>

#include "settings/storage.h"
#include "sim_rig.h"

namespace zep {
namespace {

using Lines = std::vector<std::string>;
using test::SimRig;

void SetProfile(SimRig& rig, const MouseProfile& p, int number = 1) {
    rig.settings.With([&](SettingsState& s) {
        s.session.profile = p;
        s.session.profileNumber = number;
    });
}

TEST(ApplyProfile, SendsTheDefaultProfileAsTheFixedSequence) {
    SimRig rig;
    ASSERT_TRUE(rig.present);
    SetProfile(rig, DefaultProfile(), 2);
    auto services = rig.ApplyWith();
    const ApplyReport report = ApplyProfile(rig.settings, services);
    // Bytes a command does not write keep what the one before left in the buffer.
    EXPECT_EQ(rig.mouse.Log().Reports(),
              (Lines{"> 07 10 01 01 00 00 00 00 00", "> 07 10 02 02 00 00 00 00 00",
                     "> 07 10 03 03 00 00 00 00 00", "> 07 10 04 04 00 00 00 00 00",
                     "> 07 10 05 05 00 00 00 00 00", "> 07 10 08 0B 00 00 00 00 00",
                     "> 07 10 06 0C 00 00 00 00 00", "> 07 11 00 00 00 00 00 00 00",
                     "> 07 09 40 48 0F 00 00 00 00", "> 07 09 40 69 0F 00 00 00 00",
                     "> 07 09 40 7A 0F 00 00 00 00", "> 07 09 40 BB 0F 00 00 00 00",
                     "> 07 13 7F 10 0F 00 00 00 00", "> 07 12 00 06 00 00 00 00 00"}));
    EXPECT_EQ(rig.pointer.calls, (Lines{"speed 8", "wheel 3"}));
    EXPECT_TRUE(report.storedSnapshot);
    EXPECT_TRUE(report.storedProfile);
    EXPECT_EQ(rig.ini.replacements(), 2u);  // "CurConfig" with the snapshot, then the profile
    EXPECT_EQ(ReadStartupSettings(rig.ini, rig.dir.ConfigPath()).profileNumber, 2);
    EXPECT_EQ(LoadProfile(rig.ini, rig.dir.ConfigPath(), 6), DefaultProfile());
    EXPECT_EQ(LoadProfile(rig.ini, rig.dir.ConfigPath(), 2), DefaultProfile());
    EXPECT_EQ(rig.repaints, 1);

    const AppliedState applied = rig.settings.Copy().applied;
    EXPECT_EQ(applied.reportsDpiLevel,
              (std::array<bool, 7>{false, false, false, false, false, true, true}));
    EXPECT_EQ(applied.appliedDpiCode, (std::array<std::uint8_t, 4>{4, 6, 7, 11}));
    const sim::MouseConfig config = rig.mouse.Config();
    EXPECT_EQ(config.hardwareCodes[8], 11);
    EXPECT_EQ(config.fireInterval, 6);
}

TEST(ApplyProfile, EncodesEachSettingAsTheMouseExpects) {
    const struct {
        const char* name;
        Command command;
        Command expected;
    } cases[] = {
        {"button 5 code 15",
         ButtonFunctionCommand(5, LookupFunction(15).hardwareCode),
         {0x07, 0x10, 0x08, 0x0B}},
        {"software code",
         ButtonFunctionCommand(0, LookupFunction(41).hardwareCode),
         {0x07, 0x10, 0x01, 0x00}},
        {"wheel mode 1", WheelModeCommand(1), {0x07, 0x11, 0x01, 0x00}},
        {"level 2 at 1600",
         DpiLevelCommand(2, DpiCodeOfStep(6), 0, 0x0F),
         {0x07, 0x09, 0x40, 0x7A, 0x0F}},
        {"current level 3", DpiLevelCommand(0, 1, 3, 0x09), {0x07, 0x09, 0x43, 0x18, 0x09}},
        {"LED 3", LedEffectCommand(3), {0x07, 0x13, 0x7F, 0x17}},
        {"LED 9 (hand-edited)", LedEffectCommand(9), {0x07, 0x13, 0x7F, 0x17}},
        {"fire 50", FireIntervalCommand(50), {0x07, 0x12, 0x00, 0x06, 0, 0, 0, 0}},
        {"fire 7", FireIntervalCommand(7), {0x07, 0x12, 0x00, 0x00, 0, 0, 0, 0}},
        {"fire 300", FireIntervalCommand(300), {0x07, 0x12, 0x00, 0x25, 0, 0, 0, 0}},
        {"fire 4000 (hand-edited)",
         FireIntervalCommand(4000),
         {0x07, 0x12, 0x01, 0xF4, 0, 0, 0, 0}},
        {"fire -8 (hand-edited)", FireIntervalCommand(-8), {0x07, 0x12, 0x00, 0x00, 0, 0, 0, 0}},
        {"volume up", ConsumerKeyCommand(ConsumerUsageOf(24)), {0x07, 0x17, 0x00, 0xE9}},
        {"exit", ExitNoticeCommand(), {0x07, 0x20, 0x00, 0x00}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.command, c.expected) << c.name;

    MouseProfile p = DefaultProfile();
    p.dpiEnabled = {1, 0, 1, 0};
    EXPECT_EQ(DpiEnableMask(p), 0x05);
}

TEST(ApplyProfile, WithoutTheMouseStillStoresAndSetsThePointer) {
    SimRig rig(/*plugged=*/false);
    MouseProfile p = DefaultProfile();
    p.pointerSpeed = 9;
    p.wheelSpeed = 9;
    SetProfile(rig, p, 4);
    auto services = rig.ApplyWith();
    const ApplyReport report = ApplyProfile(rig.settings, services);
    EXPECT_TRUE(rig.mouse.Log().Reports().empty());
    EXPECT_EQ(report.sends.size(), 7u);  // no button commands; the rest fail in the send
    for (const auto& [command, status] : report.sends) EXPECT_NE(status, HidStatus::Ok);
    EXPECT_EQ(rig.pointer.calls, (Lines{"speed 18", "wheel 10"}));
    EXPECT_EQ(LoadProfile(rig.ini, rig.dir.ConfigPath(), 4), p);
    EXPECT_EQ(LoadProfile(rig.ini, rig.dir.ConfigPath(), 6), p);
}

TEST(ExitSequence, HandsTheMouseBackInOrder) {
    SimRig rig;
    Lines order;
    test::FakePointerSettings& pointer = rig.pointer;
    ExitServices services{rig.channel, pointer, [&] { return true; },
                          [&] { order.push_back("tray removed"); },
                          [&] { order.push_back("window closed"); }};
    const ExitReport report = RunExitSequence(services);
    EXPECT_EQ(report.exitNotice, HidStatus::Ok);
    EXPECT_EQ(rig.mouse.Log().Reports(), (Lines{"> 07 20 00 00 00 00 00 00 00"}));
    EXPECT_TRUE(rig.mouse.Config().exitNoticed);
    EXPECT_EQ(pointer.calls, (Lines{"speed 10"}));
    EXPECT_EQ(order, (Lines{"tray removed", "window closed"}));

    ExitServices closed{rig.channel, pointer, [] { return false; }, {}, {}};
    EXPECT_FALSE(RunExitSequence(closed).exitNotice);
}

}  // namespace
}  // namespace zep
