#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <thread>

#include "device/mouse_contract.h"
#include "device/mouse_link.h"
#include "platform/hid/fake_sysfs.h"
#include "platform/hid/linux_hidraw/hidraw_backend.h"

namespace zep {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const test::Descriptor Keyboard = test::HexBytes(
    "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 C0");
// The vendor pair split over two nodes, each collection alone on its interface.
const test::Descriptor ReadOnly =
    test::HexBytes("06 00 FF 09 01 A1 01 85 06 09 02 15 00 26 FF 00 75 08 95 08 81 02 C0");
const test::Descriptor WriteOnly =
    test::HexBytes("06 01 FF 09 01 A1 01 85 07 09 02 75 08 95 08 B1 02 C0");

struct HidrawFixture : ::testing::Test {
    std::string Node(int n) const {
        return (sysfs.roots().dev / ("hidraw" + std::to_string(n))).string();
    }
    test::FakeSysfs sysfs;
    std::shared_ptr<test::SocketSyscalls> sys = std::make_shared<test::SocketSyscalls>();
    HidrawBackend backend{sysfs.roots(), sys, 20ms};
};

TEST_F(HidrawFixture, ListsEveryCollectionOfEveryNodeInNodeOrder) {
    sysfs.AddNode(10, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 3, 1);
    sysfs.AddNode(2, MouseVendorId, MouseProductId, test::BootMouseDescriptor(), 3, 0);
    sysfs.AddNode(0, 0x046D, 0xC31C, Keyboard, 1, 0);
    const auto list = backend.ListInterfaces();
    std::vector<std::string> paths;
    for (auto& i : list) paths.push_back(i.path);
    EXPECT_EQ(paths, (std::vector<std::string>{Node(0) + "#0", Node(2) + "#0", Node(10) + "#0",
                                               Node(10) + "#1", Node(10) + "#2", Node(10) + "#3"}));
    EXPECT_EQ(list[0].vendorId, 0x046D);
    EXPECT_EQ(list[4].usagePage, 0xFF00);
    EXPECT_EQ(list[4].inputReportLength, 9);
    EXPECT_EQ(list[5].usagePage, 0xFF01);
    EXPECT_EQ(list[5].featureReportLength, 9);
    EXPECT_EQ(list[5].productId, MouseProductId);
    EXPECT_TRUE(sys->opened.empty());  // listing needs no device access
}

TEST_F(HidrawFixture, DiscoveryFindsThePairOnOneNodeOrOnTwo) {
    const struct {
        const char* name;
        bool split;
    } cases[] = {{"one node", false}, {"two nodes", true}};
    for (const auto& c : cases) {
        test::FakeSysfs tree;
        auto calls = std::make_shared<test::SocketSyscalls>();
        HidrawBackend hidraw(tree.roots(), calls, 20ms);
        tree.AddNode(0, 0x046D, 0xC31C, Keyboard, 1, 0);
        tree.AddNode(1, MouseVendorId, MouseProductId, test::BootMouseDescriptor(), 2, 0);
        if (c.split) {
            tree.AddNode(2, MouseVendorId, MouseProductId, ReadOnly, 2, 1);
            tree.AddNode(3, MouseVendorId, MouseProductId, WriteOnly, 2, 2);
        } else {
            tree.AddNode(2, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 2, 1);
        }
        const DiscoveryResult found = DiscoverMouse(hidraw);
        const std::string dev = tree.roots().dev.string();
        EXPECT_TRUE(found.mousePresent) << c.name;
        EXPECT_EQ(found.read.caps.path, dev + (c.split ? "/hidraw2#0" : "/hidraw2#2")) << c.name;
        EXPECT_EQ(found.write.caps.path, dev + (c.split ? "/hidraw3#0" : "/hidraw2#3")) << c.name;
        EXPECT_EQ(found.read.caps.inputReportLength, 9) << c.name;
        EXPECT_EQ(found.write.caps.featureReportLength, 9) << c.name;
        ASSERT_EQ(calls->opened.size(), 2u) << c.name;
        EXPECT_EQ(calls->opened[0].second & O_ACCMODE, O_RDONLY) << c.name;
        EXPECT_EQ(calls->opened[1].second & O_ACCMODE, O_WRONLY) << c.name;
    }
}

TEST_F(HidrawFixture, PermissionDeniedIsToldApartFromAMissingDevice) {
    sysfs.AddNode(0, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
    sys->openErrors[Node(0)] = EACCES;
    EXPECT_EQ(backend.Open(Node(0) + "#2", HidOpenMode::Read).status, HidStatus::PermissionDenied);
    EXPECT_EQ(backend.Open(Node(0) + "#9", HidOpenMode::Read).status, HidStatus::NotFound);
    EXPECT_EQ(backend.Open(Node(5) + "#0", HidOpenMode::Read).status, HidStatus::NotFound);
    EXPECT_EQ(backend.Open("/elsewhere/hidraw0#0", HidOpenMode::Read).status, HidStatus::NotFound);
    EXPECT_EQ(backend.Open(Node(0), HidOpenMode::Read).status, HidStatus::NotFound);
}

void SendDatagram(int fd, Bytes bytes) {
    ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
}

TEST_F(HidrawFixture, ReadsOnlyTheCollectionsReportsUntilHangUp) {
    sysfs.AddNode(0, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
    auto opened = backend.Open(Node(0) + "#2", HidOpenMode::Read);
    ASSERT_EQ(opened.status, HidStatus::Ok);
    const int peer = sys->DevicePeer(Node(0));
    SendDatagram(peer, {1, 0, 0, 4, 0, 0, 0, 0, 0});  // keyboard report on the same node
    SendDatagram(peer, {2, 0xE9, 0});                 // consumer report
    SendDatagram(peer, {6, 0xF1, 1, 0, 0, 0, 0, 0, 0});
    std::array<std::uint8_t, 256> buffer{};
    const HidReadResult read = opened.handle->ReadInputReport(buffer, {});
    ASSERT_EQ(read.status, HidStatus::Ok);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + read.size),
              (Bytes{6, 0xF1, 1, 0, 0, 0, 0, 0, 0}));
    sys->HangUp(peer);
    EXPECT_EQ(opened.handle->ReadInputReport(buffer, {}).status, HidStatus::Removed);
    EXPECT_EQ(opened.handle->ReadInputReport(buffer, {}).status, HidStatus::Removed);
}

TEST_F(HidrawFixture, ADeviceWithoutReportIdsGetsTheZeroByteFirst) {
    sysfs.AddNode(0, MouseVendorId, MouseProductId, test::BootMouseDescriptor(), 1, 0);
    auto opened = backend.Open(Node(0) + "#0", HidOpenMode::Read);
    ASSERT_EQ(opened.status, HidStatus::Ok);
    SendDatagram(sys->DevicePeer(Node(0)), {1, 2, 3, 4, 5, 6, 7});
    std::array<std::uint8_t, 8> buffer{};
    const HidReadResult read = opened.handle->ReadInputReport(buffer, {});
    ASSERT_EQ(read.status, HidStatus::Ok);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + read.size), (Bytes{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(HidrawFixture, AStopRequestEndsABlockedRead) {
    sysfs.AddNode(0, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
    auto opened = backend.Open(Node(0) + "#2", HidOpenMode::Read);
    ASSERT_EQ(opened.status, HidStatus::Ok);
    std::stop_source stop;
    HidStatus status = HidStatus::Ok;
    std::thread reader([&] {
        std::array<std::uint8_t, 16> buffer{};
        status = opened.handle->ReadInputReport(buffer, stop.get_token()).status;
    });
    stop.request_stop();
    reader.join();
    EXPECT_EQ(status, HidStatus::Interrupted);
}

TEST_F(HidrawFixture, FeatureReportsGoOutAtTheirIdsExactLength) {
    sysfs.AddNode(0, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
    auto opened = backend.Open(Node(0) + "#3", HidOpenMode::Write);
    ASSERT_EQ(opened.status, HidStatus::Ok);
    const Bytes good{7, 0x10, 1, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(opened.handle->SendFeatureReport(good), HidStatus::Ok);
    EXPECT_EQ(opened.handle->SendFeatureReport(Bytes{7, 0x10, 1, 1}), HidStatus::BadLength);
    EXPECT_EQ(opened.handle->SendFeatureReport(Bytes{6, 0, 0, 0, 0, 0, 0, 0, 0}),
              HidStatus::BadLength);
    EXPECT_EQ(sys->Features(), (std::vector<Bytes>{good}));
    sys->featureError = ENODEV;
    EXPECT_EQ(opened.handle->SendFeatureReport(good), HidStatus::Removed);
    sys->featureError = EPIPE;
    EXPECT_EQ(opened.handle->SendFeatureReport(good), HidStatus::IoError);
}

// Waits for a removal notice without timing anything but a generous guard.
struct RemovalProbe {
    void operator()() {
        {
            std::lock_guard lock(mutex);
            ++count;
        }
        changed.notify_all();
    }
    bool WaitFor(int n) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 60s, [&] { return count >= n; });
    }
    int Count() {
        std::lock_guard lock(mutex);
        return count;
    }
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
};

TEST_F(HidrawFixture, RemovalComesFromTheKernelsUevent) {
    const std::string devpath =
        sysfs.AddNode(4, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
    // A backend whose rescan never runs in the test, so only the uevent can tell.
    HidrawBackend slow(sysfs.roots(), sys, 1h);
    RemovalProbe probe;
    auto watch = slow.WatchRemoval(Node(4) + "#3", std::ref(probe));
    const int peer = sys->UeventPeer();
    const std::string other =
        std::string("remove@/devices/pci0000:00/other/hidraw/hidraw9") + '\0' + "ACTION=remove";
    const std::string add = "add@" + devpath + '\0' + "ACTION=add";
    const std::string sibling = "remove@" + devpath + "0" + '\0';  // hidraw40 is not hidraw4
    ASSERT_GT(::send(peer, other.data(), other.size(), 0), 0);
    ASSERT_GT(::send(peer, add.data(), add.size(), 0), 0);
    ASSERT_GT(::send(peer, sibling.data(), sibling.size(), 0), 0);
    // The USB device itself, an ancestor of the node.
    const std::string usb = "remove@" + devpath.substr(0, devpath.find("/1-1:1.1")) + '\0';
    ASSERT_GT(::send(peer, usb.data(), usb.size(), 0), 0);
    ASSERT_TRUE(probe.WaitFor(1));
    watch.reset();
    EXPECT_EQ(probe.Count(), 1);
}

TEST_F(HidrawFixture, RemovalComesFromTheRescanWhenNumbersChangeOrTheNodeGoes) {
    for (bool reused : {true, false}) {
        test::FakeSysfs tree;
        HidrawBackend hidraw(tree.roots(), sys, 10ms);
        tree.AddNode(1, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
        RemovalProbe probe;
        auto watch =
            hidraw.WatchRemoval((tree.roots().dev / "hidraw1#2").string(), std::ref(probe));
        sys->HangUp(sys->UeventPeer());  // no uevents: the rescan alone must notice
        if (reused)
            tree.SetDevNumbers(1, "243:7");
        else
            tree.RemoveNode(1);
        EXPECT_TRUE(probe.WaitFor(1)) << reused;
    }
}

TEST_F(HidrawFixture, AWatchOnAGoneInterfaceFiresAtOnceAndDisarmingIsQuiet) {
    RemovalProbe gone;
    auto none = backend.WatchRemoval(Node(3) + "#0", std::ref(gone));
    EXPECT_EQ(gone.Count(), 1);
    sysfs.AddNode(3, MouseVendorId, MouseProductId, test::VendorInterfaceDescriptor(), 1, 1);
    RemovalProbe present;
    auto watch = backend.WatchRemoval(Node(3) + "#0", std::ref(present));
    watch.reset();
    sysfs.RemoveNode(3);
    EXPECT_EQ(present.Count(), 0);
}

TEST(UeventRemoves, MatchesTheNodeAndItsAncestorsOnly) {
    const std::string node = "/devices/usb1/1-1/1-1:1.1/0003:18F8:1286.0002/hidraw/hidraw1";
    const struct {
        std::string message;
        bool removes;
    } cases[] = {
        {"remove@" + node, true},
        {"remove@/devices/usb1/1-1", true},
        {"remove@/devices/usb1/1-1:1.1", false},  // not a path prefix
        {"remove@" + node + "0", false},
        {"add@" + node, false},
        {"remove@", false},
        {std::string("libudev\0remove@", 15) + node, false},
    };
    for (const auto& c : cases) EXPECT_EQ(UeventRemoves(c.message, node), c.removes) << c.message;
}

}  // namespace
}  // namespace zep
