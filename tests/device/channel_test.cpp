#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "device/channel.h"
#include "device/fake_hid.h"

namespace zep {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A channel whose writer records every feature report, with pauses recorded instead of slept.
struct ChannelRig {
    ChannelRig() : channel([this](std::chrono::milliseconds d) { pauses.push_back(d); }) {
        MouseCollection writer;
        writer.state = HandleState::Open;
        writer.handle = handle;
        writer.caps.featureReportLength = 9;
        channel.AttachWriter(writer);
    }
    // Bytes 0 ... 7 of every report sent so far (the 9th byte is never written by a command).
    std::vector<Bytes> Sent(std::size_t prefix = 8) const {
        std::vector<Bytes> out;
        for (auto& r : handle->Sent()) out.emplace_back(r.begin(), r.begin() + prefix);
        return out;
    }

    std::shared_ptr<test::FakeHidHandle> handle = std::make_shared<test::FakeHidHandle>();
    std::vector<std::chrono::milliseconds> pauses;
    Channel channel;
};

struct ChannelFixture : ::testing::Test, ChannelRig {};

struct KeyCase {
    const char* name;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> events;  // code, kind
    Bytes lastReport;                                           // bytes 0 ... 7
};

TEST_F(ChannelFixture, KeyAndButtonReportsFollowTheEvents) {
    const KeyCase cases[] = {
        {"press A", {{0x04, 1}}, {7, 0x15, 0x04, 0, 0, 0, 0, 0}},
        {"then B", {{0x04, 1}, {0x05, 1}}, {7, 0x15, 0x04, 0x05, 0, 0, 0, 0}},
        {"release A shifts B down",
         {{0x04, 1}, {0x05, 1}, {0x04, 2}},
         {7, 0x15, 0x05, 0, 0, 0, 0, 0}},
        {"same key twice takes two slots", {{0x04, 1}, {0x04, 1}}, {7, 0x15, 4, 4, 0, 0, 0, 0}},
        {"release of a key not held", {{0x04, 1}, {0x09, 2}}, {7, 0x15, 4, 0, 0, 0, 0, 0}},
        {"seventh key dropped",
         {{4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}},
         {7, 0x15, 4, 5, 6, 7, 8, 9}},
        {"releasing the dropped seventh changes nothing",
         {{4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}, {10, 2}},
         {7, 0x15, 4, 5, 6, 7, 8, 9}},
        {"unknown kind still sends", {{0x04, 1}, {0x05, 3}}, {7, 0x15, 4, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        ChannelRig f;
        for (auto [code, kind] : c.events) f.channel.SendKeyEvent(code, kind);
        const auto sent = f.Sent();
        ASSERT_EQ(sent.size(), c.events.size()) << c.name;
        EXPECT_EQ(sent.back(), c.lastReport) << c.name;
    }
}

TEST_F(ChannelFixture, ButtonReportLeavesByteTwoOfThePreviousCommand) {
    channel.Send({7, 0x10, 0x08, 0x0B});  // leaves 0x08 in byte 2
    channel.SendKeyEvent(0xF0, 1);
    channel.SendKeyEvent(0xF1, 1);
    channel.SendKeyEvent(0xF0, 2);
    channel.SendKeyEvent(0xF5, 1);  // a button without a bit
    const auto sent = Sent(4);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[1], (Bytes{7, 0x16, 0x08, 0xFE}));
    EXPECT_EQ(sent[2], (Bytes{7, 0x16, 0x08, 0xFC}));
    EXPECT_EQ(sent[3], (Bytes{7, 0x16, 0x08, 0xFD}));
    EXPECT_EQ(sent[4], (Bytes{7, 0x16, 0x08, 0xFD}));
    EXPECT_EQ(channel.ButtonMask(), 0xFD);
}

TEST_F(ChannelFixture, CommandsKeepTheBytesTheyDoNotWrite) {
    channel.Send({7, 0x12, 0x00, 0x06, 0, 0, 0, 0});
    channel.Send({7, 0x20, 0x00, 0x00});
    channel.SendKeyEvent(0x04, 1);
    const auto all = handle->Sent();
    ASSERT_EQ(all.size(), 3u);
    for (const auto& r : all) EXPECT_EQ(r.size(), 9u);  // always the full feature length
    EXPECT_EQ(all[1], (Bytes{7, 0x20, 0, 0, 0, 0, 0, 0, 0}));
    channel.Send({7, 0x17, 0x00, 0xE9});
    EXPECT_EQ(handle->Sent().back(), (Bytes{7, 0x17, 0x00, 0xE9, 0, 0, 0, 0, 0}));
    // A command built by hand under the lock sees the same buffer.
    {
        ChannelLock lock = channel.Lock();
        lock.FeatureBuffer()[1] = 0x11;
        lock.FeatureBuffer()[2] = 0x01;
        lock.SendFeature();
    }
    EXPECT_EQ(handle->Sent().back(), (Bytes{7, 0x11, 0x01, 0xE9, 0, 0, 0, 0, 0}));
}

TEST_F(ChannelFixture, ReleaseAllSendsButtonsThenKeysAfterPauses) {
    channel.SendKeyEvent(0xF2, 1);
    channel.SendKeyEvent(0x04, 1);
    channel.SendKeyEvent(0x05, 1);
    channel.ReleaseAll();
    const auto sent = Sent(8);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[3][1], 0x16);
    EXPECT_EQ(sent[3][3], 0xFF);
    EXPECT_EQ(sent[4], (Bytes{7, 0x15, 0, 0, 0, 0, 0, 0}));
    using std::chrono::milliseconds;
    EXPECT_EQ(pauses, (std::vector<milliseconds>{milliseconds(10), milliseconds(10)}));
    EXPECT_EQ(channel.HeldKeys(), (std::array<std::uint8_t, 6>{}));
}

TEST(Channel, WithoutAnOpenWriterTheStateStillFollowsAndNothingIsSent) {
    auto handle = std::make_shared<test::FakeHidHandle>();
    const struct {
        const char* name;
        HandleState state;
        std::uint16_t length;
        HidStatus expected;
    } cases[] = {
        {"no writer", HandleState::Unset, 9, HidStatus::NotFound},
        {"open failed", HandleState::Invalid, 9, HidStatus::NotFound},
        {"length beyond the buffer", HandleState::Open, 257, HidStatus::BadLength},
        {"zero length", HandleState::Open, 0, HidStatus::BadLength},
    };
    for (const auto& c : cases) {
        Channel channel([](std::chrono::milliseconds) {});
        MouseCollection writer;
        writer.state = c.state;
        if (c.state == HandleState::Open) writer.handle = handle;
        writer.caps.featureReportLength = c.length;
        channel.AttachWriter(writer);
        EXPECT_EQ(channel.SendKeyEvent(0x04, 1), c.expected) << c.name;
        EXPECT_EQ(channel.SendKeyEvent(0xF0, 1), c.expected) << c.name;
        EXPECT_EQ(channel.HeldKeys()[0], 0x04) << c.name;
        EXPECT_EQ(channel.ButtonMask(), 0xFE) << c.name;
    }
    EXPECT_TRUE(handle->Sent().empty());
}

TEST_F(ChannelFixture, CommandsFromTwoThreadsNeverInterleave) {
    // Each thread sends its own command shape; any report mixing the two shows a torn build.
    constexpr int PerThread = 300;
    std::thread keys([&] {
        for (int i = 0; i < PerThread; ++i)
            channel.SendKeyEvent(0x04, static_cast<std::uint8_t>(1 + i % 2));
    });
    std::thread config([&] {
        for (int i = 0; i < PerThread; ++i) channel.Send({7, 0x12, 0x00, 0x06, 0, 0, 0, 0});
    });
    keys.join();
    config.join();
    for (const auto& r : Sent()) {
        if (r[1] == 0x12) {
            EXPECT_EQ(r, (Bytes{7, 0x12, 0, 6, 0, 0, 0, 0}));
        } else {
            ASSERT_EQ(r[1], 0x15);
            EXPECT_TRUE(r[2] == 4 || r[2] == 0) << int(r[2]);
            EXPECT_EQ(r[3], 0);
        }
    }
}

}  // namespace
}  // namespace zep
