#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "device/channel.h"
#include "device/input_listener.h"
#include "device/mouse_link.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace zep::sim {
namespace {

using Lines = std::vector<std::string>;

// The simulated mouse found by discovery, with a channel to it.
struct SimRig {
    SimRig() {
        present = link.Discover(backend);
        channel.AttachWriter(link.Writer());
    }
    SimulatedMouse mouse;
    SimHidBackend backend{mouse};
    std::atomic<int> removals{0};
    MouseLink link{[this] { ++removals; }};
    Channel channel{[](std::chrono::milliseconds) {}};
    bool present = false;
};

TEST(SimulatedMouse, IsFoundWithTheDescriptorsLengths) {
    SimRig rig;
    ASSERT_TRUE(rig.present);
    EXPECT_EQ(rig.link.Reader().caps.inputReportLength, 9);
    EXPECT_EQ(rig.link.Writer().caps.featureReportLength, 9);
    EXPECT_EQ(rig.link.MouseDevicePath(), SimWritePath);
}

TEST(SimulatedMouse, KeepsTheConfigurationAndLogsEveryReportWhole) {
    SimRig rig;
    rig.channel.Send({7, 0x10, 0x08, 0x0B});
    rig.channel.Send({7, 0x11, 0x01, 0x00});
    rig.channel.Send({7, 0x09, 0x42, 0x7A, 0x05});
    rig.channel.Send({7, 0x13, 0x7F, 0x17});
    rig.channel.Send({7, 0x12, 0x00, 0x25, 0, 0, 0, 0});
    rig.channel.Send({7, 0x20, 0x00, 0x00});
    EXPECT_EQ(rig.mouse.Log().Reports(),
              (Lines{
                  "> 07 10 08 0B 00 00 00 00 00",
                  "> 07 11 01 00 00 00 00 00 00",
                  "> 07 09 42 7A 05 00 00 00 00",
                  "> 07 13 7F 17 05 00 00 00 00",  // byte 4 left by the DPI command
                  "> 07 12 00 25 00 00 00 00 00",
                  "> 07 20 00 00 00 00 00 00 00",
              }));
    const MouseConfig config = rig.mouse.Config();
    EXPECT_EQ(config.hardwareCodes[8], 0x0B);
    EXPECT_EQ(config.wheelMode, 1);
    EXPECT_EQ(config.dpiLevel, 2);
    EXPECT_EQ(config.dpiCodes[2], 7);
    EXPECT_EQ(config.dpiEnableMask, 0x05);
    EXPECT_EQ(config.ledCode, 7);
    EXPECT_EQ(config.fireInterval, 37);
    EXPECT_TRUE(config.exitNoticed);
}

TEST(SimulatedMouse, RejectsAFeatureReportOfTheWrongLengthOrId) {
    SimulatedMouse mouse;
    const std::uint8_t shortReport[] = {7, 0x11, 1, 0};
    const std::uint8_t otherId[] = {6, 0x11, 1, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(mouse.ReceiveFeature(shortReport), HidStatus::BadLength);
    EXPECT_EQ(mouse.ReceiveFeature(otherId), HidStatus::BadLength);
    EXPECT_TRUE(mouse.Log().Reports().empty());
    EXPECT_EQ(mouse.Config().wheelMode, 0);
    ASSERT_EQ(mouse.Log().Lines().size(), 2u);
    EXPECT_EQ(mouse.Log().Lines()[0][0], '#');
}

struct PressCase {
    const char* name;
    std::uint8_t hardwareCode;  // given to hardware number 1
    std::uint8_t enableMask;
    std::uint8_t dpiLevel;
    Lines reports;  // on press, then release
};

TEST(SimulatedMouse, ReportsPressesOfReportedFunctionsOnly) {
    const PressCase cases[] = {
        {"reported to the utility",
         0,
         0x0F,
         0,
         {"< 06 F1 01 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"DPI cycle to the next level",
         6,
         0x0F,
         1,
         {"< 06 F1 02 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"DPI cycle wraps past disabled levels",
         6,
         0x03,
         1,
         {"< 06 F1 00 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"DPI up skips a disabled level",
         11,
         0x0B,
         1,
         {"< 06 F1 03 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"DPI up at the top stays",
         11,
         0x0F,
         3,
         {"< 06 F1 03 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"DPI down", 12, 0x0F, 2, {"< 06 F1 01 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"DPI down at the bottom stays",
         12,
         0x0E,
         1,
         {"< 06 F1 01 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"report rate step",
         10,
         0x0F,
         0,
         {"< 06 F1 03 00 00 00 00 00 00", "< 06 F1 80 00 00 00 00 00 00"}},
        {"a click acts inside the mouse", 1, 0x0F, 0, {}},
        {"a function of the mouse's own", 7, 0x0F, 0, {}},
    };
    for (const auto& c : cases) {
        SimRig rig;
        rig.channel.Send({7, 0x10, 0x01, c.hardwareCode});
        rig.channel.Send(
            {7, 0x09, static_cast<std::uint8_t>(0x40 + c.dpiLevel), 0x48, c.enableMask});
        const std::size_t before = rig.mouse.Log().Reports().size();
        ASSERT_TRUE(rig.mouse.Press(1)) << c.name;
        ASSERT_TRUE(rig.mouse.Release(1)) << c.name;
        const Lines all = rig.mouse.Log().Reports();
        EXPECT_EQ(Lines(all.begin() + static_cast<long>(before), all.end()), c.reports) << c.name;
    }
}

TEST(SimulatedMouse, PhysicalButtonsAreTheSevenHardwareNumbers) {
    SimulatedMouse mouse;
    for (std::uint8_t number : {0, 7, 9}) EXPECT_FALSE(mouse.Press(number)) << int(number);
    EXPECT_TRUE(mouse.Press(8));
    EXPECT_FALSE(mouse.Press(8));  // already down
    EXPECT_TRUE(mouse.Release(8));
    EXPECT_FALSE(mouse.Release(8));
    // The factory functions of hardware 8 and 6 are DPI up and down.
    EXPECT_EQ(mouse.Log().Reports(),
              (Lines{"< 06 F8 01 00 00 00 00 00 00", "< 06 F8 80 00 00 00 00 00 00"}));
    mouse.Press(1);
    mouse.Release(1);
    EXPECT_EQ(mouse.HostEvents(), (Lines{"left button down", "left button up"}));
}

TEST(SimulatedMouse, EmulatedKeysButtonsAndConsumerUsagesBecomeHostEvents) {
    SimRig rig;
    rig.channel.SendKeyEvent(0x04, 1);
    rig.channel.SendKeyEvent(0x05, 1);
    rig.channel.SendKeyEvent(0x04, 2);
    rig.channel.SendKeyEvent(0xF1, 1);
    rig.channel.Send({7, 0x17, 0x00, 0xE9});
    rig.channel.ReleaseAll();
    EXPECT_EQ(rig.mouse.HostEvents(),
              (Lines{"key A down", "key B down", "key A up", "right button down", "consumer 0x00E9",
                     "right button up", "key B up"}));
}

TEST(SimulatedMouse, UnplugEndsReadsFailsSendsAndIsNoticedOnce) {
    SimRig rig;
    ASSERT_TRUE(rig.present);
    PressHandOver handOver;
    InputListener listener(rig.link, handOver, [] { return 0u; });
    listener.Start();
    rig.mouse.Unplug();
    rig.mouse.Unplug();
    EXPECT_EQ(rig.removals.load(), 1);
    EXPECT_FALSE(rig.link.MousePresent());
    EXPECT_EQ(rig.channel.SendKeyEvent(0x04, 1), HidStatus::Removed);
    EXPECT_FALSE(rig.mouse.Press(1));
    EXPECT_TRUE(rig.backend.ListInterfaces().empty());
    EXPECT_EQ(rig.mouse.Log().Lines().back(), "# unplugged");
    listener.Stop();  // the listener left its dead read and waits; stopping it still works
}

TEST(SimulatedMouse, AFailedOpenIsReportedAsSuch) {
    SimulatedMouse mouse;
    SimHidBackend backend(mouse);
    backend.FailOpen(HidOpenMode::Write, HidStatus::PermissionDenied);
    MouseLink link([] {});
    EXPECT_TRUE(link.Discover(backend));
    EXPECT_EQ(link.Writer().state, HandleState::Invalid);
    EXPECT_EQ(link.Writer().openStatus, HidStatus::PermissionDenied);
    EXPECT_EQ(link.Reader().state, HandleState::Open);
}

TEST(SimulatedMouse, APressTravelsToTheExecutorAndItsMacroBackToTheHost) {
    // The whole road of one press: mouse → listener → hand-over → an executor thread that plays
    // "A" through the channel → mouse → host events.
    SimRig rig;
    rig.channel.Send({7, 0x10, 0x03, 0x00});  // hardware 3 reported to the utility
    PressHandOver handOver;
    InputListener listener(rig.link, handOver, [] { return 0u; });
    listener.Start();
    std::thread executor([&] {
        while (const auto press = handOver.WaitForPress()) {
            if (press->buttonCode == 0xF3) {
                rig.channel.SendKeyEvent(0x04, 1);
                rig.channel.SendKeyEvent(0x04, 2);
                rig.channel.ReleaseAll();
            }
            handOver.Clear();
            if (press->buttonCode == 0xF3) handOver.Shutdown();
        }
    });
    rig.mouse.Press(3);
    executor.join();
    listener.Stop();
    EXPECT_EQ(rig.mouse.HostEvents(), (Lines{"key A down", "key A up"}));
}

}  // namespace
}  // namespace zep::sim
