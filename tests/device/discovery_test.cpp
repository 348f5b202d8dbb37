#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/fake_hid.h"
#include "device/mouse_contract.h"
#include "device/mouse_link.h"

namespace zep {
namespace {

HidInterfaceInfo Mouse(std::uint16_t page, std::uint16_t usage, std::string path) {
    return {MouseVendorId, MouseProductId, page, usage, 9, 9, std::move(path)};
}
HidInterfaceInfo Other(std::uint16_t vendor, std::uint16_t product, std::uint16_t page,
                       std::string path) {
    return {vendor, product, page, 1, 9, 9, std::move(path)};
}
std::vector<HidInterfaceInfo> Fillers(int count) {
    std::vector<HidInterfaceInfo> list;
    for (int i = 0; i < count; ++i)
        list.push_back(Other(0x046D, 0xC077, 0x0001, "k" + std::to_string(i)));
    return list;
}

struct SearchCase {
    const char* name;
    std::vector<HidInterfaceInfo> interfaces;
    bool present;
    std::string devicePath;
    std::vector<std::string> examined;  // mouse interfaces seen, in order
};

TEST(DiscoverMouse, SearchesInOrderAndStopsAtThePair) {
    auto withFillers = [](int count, std::vector<HidInterfaceInfo> tail) {
        auto list = Fillers(count);
        list.insert(list.end(), tail.begin(), tail.end());
        return list;
    };
    const SearchCase cases[] = {
        {"nothing present", {}, false, "", {}},
        {"other devices only", Fillers(5), false, "", {}},
        {"pair after other devices",
         withFillers(3, {Mouse(1, 2, "m0"), Mouse(0xFF00, 1, "r"), Mouse(0xFF01, 1, "w"),
                         Mouse(0x0C, 1, "after")}),
         true,
         "w",
         {"m0", "r", "w"}},
        {"write before read",
         {Mouse(0xFF01, 1, "w"), Other(0x1234, 0x5678, 0xFF00, "foreign"), Mouse(0xFF00, 1, "r")},
         true,
         "r",
         {"w", "r"}},
        {"same vendor, other product",
         {Other(MouseVendorId, 0x1287, 0xFF00, "x"), Other(MouseVendorId, 0x1287, 0xFF01, "y")},
         false,
         "",
         {}},
        {"vendor pages with another usage",
         {Mouse(0xFF00, 2, "r2"), Mouse(0xFF01, 2, "w2")},
         false,
         "w2",
         {"r2", "w2"}},
        {"only the read collection",
         {Mouse(0xFF00, 1, "r"), Mouse(1, 2, "m")},
         false,
         "m",
         {"r", "m"}},
        {"pair ending at index 99",
         withFillers(98, {Mouse(0xFF00, 1, "r"), Mouse(0xFF01, 1, "w")}),
         true,
         "w",
         {"r", "w"}},
        {"write collection at index 100 is not looked at",
         withFillers(99, {Mouse(0xFF00, 1, "r"), Mouse(0xFF01, 1, "w")}),
         false,
         "r",
         {"r"}},
        {"mouse beyond 100 interfaces",
         withFillers(100, {Mouse(0xFF00, 1, "r"), Mouse(0xFF01, 1, "w")}),
         false,
         "",
         {}},
    };
    for (const auto& c : cases) {
        test::FakeHidBackend backend;
        backend.interfaces = c.interfaces;
        const DiscoveryResult result = DiscoverMouse(backend);
        EXPECT_EQ(result.mousePresent, c.present) << c.name;
        EXPECT_EQ(result.mouseDevicePath, c.devicePath) << c.name;
        EXPECT_EQ(result.mousePaths, c.examined) << c.name;
        if (c.present) {
            EXPECT_EQ(result.read.state, HandleState::Open) << c.name;
            EXPECT_EQ(result.write.state, HandleState::Open) << c.name;
            EXPECT_EQ(result.read.caps.path, "r") << c.name;
            EXPECT_EQ(result.write.caps.path, "w") << c.name;
            // Only the two vendor collections are opened, each in its own direction.
            EXPECT_EQ(backend.opened.size(), 2u) << c.name;
            for (auto& [path, mode] : backend.opened) {
                EXPECT_EQ(mode, path == "r" ? HidOpenMode::Read : HidOpenMode::Write) << c.name;
            }
        }
    }
}

TEST(DiscoverMouse, ACollectionThatCannotBeOpenedIsInvalidButCompletesThePair) {
    test::FakeHidBackend backend;
    backend.interfaces = {Mouse(0xFF00, 1, "r"), Mouse(0xFF01, 1, "w")};
    backend.openStatus["w"] = HidStatus::PermissionDenied;
    const DiscoveryResult result = DiscoverMouse(backend);
    EXPECT_TRUE(result.mousePresent);
    EXPECT_EQ(result.read.state, HandleState::Open);
    EXPECT_EQ(result.write.state, HandleState::Invalid);
    EXPECT_EQ(result.write.openStatus, HidStatus::PermissionDenied);  // told apart for advice
    EXPECT_EQ(result.write.handle, nullptr);
}

TEST(MouseLink, RemovalOfAnyMouseInterfaceIsDeliveredOnce) {
    test::FakeHidBackend backend;
    backend.interfaces = {Other(0x1234, 1, 1, "kbd"), Mouse(1, 2, "m0"), Mouse(0xFF00, 1, "r"),
                          Mouse(0xFF01, 1, "w")};
    int removals = 0;
    MouseLink link([&] { ++removals; });
    EXPECT_EQ(link.Reader().state, HandleState::Unset);  // 0 before discovery
    ASSERT_TRUE(link.Discover(backend));
    EXPECT_TRUE(link.MousePresent());
    EXPECT_EQ(link.MouseDevicePath(), "w");
    EXPECT_EQ(backend.watched, (std::vector<std::string>{"m0", "r", "w"}));
    backend.Remove("kbd");  // another device: nothing
    EXPECT_EQ(removals, 0);
    backend.Remove("m0");
    backend.Remove("r");
    backend.Remove("w");
    EXPECT_EQ(removals, 1);
    EXPECT_FALSE(link.MousePresent());
}

TEST(MouseLink, NoMouseArmsNoRemovalNotice) {
    test::FakeHidBackend backend;
    backend.interfaces = {Mouse(0xFF00, 1, "r")};
    MouseLink link([] {});
    EXPECT_FALSE(link.Discover(backend));
    EXPECT_FALSE(link.MousePresent());
    EXPECT_TRUE(backend.watched.empty());
}

}  // namespace
}  // namespace zep
