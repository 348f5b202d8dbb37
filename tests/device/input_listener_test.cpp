#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "device/fake_hid.h"
#include "device/input_listener.h"
#include "device/mouse_contract.h"

namespace zep {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct RuleCase {
    const char* name;
    bool pending;  // a press (0xF1, level 1) is pending before the report
    std::uint32_t macroMode2;
    Bytes report;
    bool pendingAfter;
    bool stopAfter;
    PendingPress pressAfter;  // checked when pendingAfter
};

TEST(InputListenerRules, EveryReportKindUnderEveryState) {
    const RuleCase cases[] = {
        {"press while idle publishes", false, 0, {6, 0xF1, 1}, true, false, {0xF1, 1}},
        {"press level kept", false, 1, {6, 0xF8, 3, 0}, true, false, {0xF8, 3}},
        {"second press stops in count mode", true, 0, {6, 0xF2, 1}, true, true, {0xF1, 1}},
        {"second press ignored in hold mode", true, 1, {6, 0xF2, 1}, true, false, {0xF1, 1}},
        {"release ignored in count mode", true, 0, {6, 0xF1, 0x80}, true, false, {0xF1, 1}},
        {"release stops in hold mode", true, 1, {6, 0xF1, 0x80}, true, true, {0xF1, 1}},
        {"release while idle leaves no trace", false, 1, {6, 0xF1, 0x80}, false, false, {}},
        {"0xF0 is another event: stops", true, 0, {6, 0xF0, 1}, true, true, {0xF1, 1}},
        {"0xF0 never starts a press", false, 0, {6, 0xF0, 1}, false, false, {}},
        {"low code stops in hold mode too", true, 1, {6, 0x10, 0x80}, true, true, {0xF1, 1}},
        {"other report id ignored", false, 0, {5, 0xF1, 1}, false, false, {}},
        {"other report id does not stop", true, 0, {5, 0xF2, 1}, true, false, {0xF1, 1}},
        {"short report ignored", false, 0, {6, 0xF1}, false, false, {}},
        {"any level but 0x80 is a press", false, 0, {6, 0xF3, 0x81}, true, false, {0xF3, 0x81}},
    };
    for (const auto& c : cases) {
        PressHandOver h;
        if (c.pending) h.TryPublishPress(0xF1, 1);
        ApplyInputReport(c.report, c.macroMode2, h);
        EXPECT_EQ(h.PressPending(), c.pendingAfter) << c.name;
        EXPECT_EQ(h.StopRequested(), c.stopAfter) << c.name;
        if (c.pendingAfter) {
            EXPECT_EQ(h.Press(), c.pressAfter) << c.name;
        }
    }
}

HidInterfaceInfo Collection(std::uint16_t page, const char* path) {
    return {MouseVendorId, MouseProductId, page, 1, 9, 9, path};
}

struct ListenerFixture : ::testing::Test {
    ListenerFixture() {
        backend.interfaces = {Collection(ReadUsagePage, "r"), Collection(WriteUsagePage, "w")};
    }
    test::FakeHidBackend backend;
    MouseLink link{[] {}};
    PressHandOver handOver;
    std::atomic<std::uint32_t> macroMode2{0};
    InputListener listener{link, handOver, [this] { return macroMode2.load(); }};
};

TEST_F(ListenerFixture, WaitsForDiscoveryThenHandsPressesOver) {
    listener.Start();  // before the mouse is looked for: it must wait, not fail
    ASSERT_TRUE(link.Discover(backend));
    auto& reader = *backend.handles.at("r");
    reader.Feed({6, 0xF1, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(handOver.WaitForPress(), (PendingPress{0xF1, 1}));
    macroMode2 = 1;  // read afresh for each report
    reader.Feed({6, 0xF1, 0x80, 0, 0, 0, 0, 0, 0});
    reader.WaitUntilDrained();
    EXPECT_TRUE(handOver.StopRequested());
    listener.Stop();
}

TEST_F(ListenerFixture, StopInterruptsABlockedReadAndAWaitForDiscovery) {
    listener.Start();
    listener.Stop();  // still waiting for discovery
    InputListener second{link, handOver, [] { return 0u; }};
    ASSERT_TRUE(link.Discover(backend));
    second.Start();
    backend.handles.at("r")->WaitUntilDrained();  // now blocked in the read
    second.Stop();
    EXPECT_FALSE(handOver.PressPending());
}

TEST_F(ListenerFixture, AfterTheMouseIsGoneItWaitsForANewReadCollection) {
    ASSERT_TRUE(link.Discover(backend));
    auto first = backend.handles.at("r");
    listener.Start();
    first->Feed({}, HidStatus::Removed);
    first->Feed({6, 0xF1, 1});            // a failed read ends the use of the handle: never read
    ASSERT_TRUE(link.Discover(backend));  // a new generation
    auto second = backend.handles.at("r");
    ASSERT_NE(first, second);
    second->Feed({6, 0xF4, 2});
    EXPECT_EQ(handOver.WaitForPress(), (PendingPress{0xF4, 2}));
    listener.Stop();
}

TEST_F(ListenerFixture, AReadCollectionThatFailedToOpenIsNeverRead) {
    backend.openStatus["r"] = HidStatus::PermissionDenied;
    listener.Start();
    ASSERT_TRUE(link.Discover(backend));  // the pair is complete, the reader invalid
    EXPECT_EQ(link.Reader().state, HandleState::Invalid);
    EXPECT_EQ(link.Reader().openStatus, HidStatus::PermissionDenied);
    listener.Stop();  // returns although no read ever ran
}

}  // namespace
}  // namespace zep
