#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "device/press_hand_over.h"

namespace zep {
namespace {

using namespace std::chrono_literals;
using Clock = PressHandOver::Clock;

// Far enough to never be reached in a passing run; only a guard against hanging.
Clock::time_point Guard() {
    return Clock::now() + 60s;
}

TEST(PressHandOver, PublishesOnlyWhenNothingIsPendingAndStopsOnlyWhilePending) {
    PressHandOver h;
    EXPECT_FALSE(h.RequestStop());
    EXPECT_FALSE(h.StopRequested());
    EXPECT_TRUE(h.TryPublishPress(0xF1, 1));
    EXPECT_FALSE(h.TryPublishPress(0xF2, 3));  // the pending press is not overwritten
    EXPECT_EQ(h.Press(), (PendingPress{0xF1, 1}));
    EXPECT_TRUE(h.RequestStop());
    EXPECT_TRUE(h.StopRequested());
    h.Clear();
    EXPECT_FALSE(h.PressPending());
    EXPECT_FALSE(h.StopRequested());
    EXPECT_TRUE(h.TryPublishPress(0xF8, 2));
    EXPECT_EQ(h.Press(), (PendingPress{0xF8, 2}));
}

TEST(PressHandOver, AWaitingExecutorWakesWithThePublishedPress) {
    PressHandOver h;
    std::optional<PendingPress> seen;
    std::thread executor([&] { seen = h.WaitForPress(); });
    h.TryPublishPress(0xF3, 2);
    executor.join();
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(*seen, (PendingPress{0xF3, 2}));
}

TEST(PressHandOver, ShutdownEndsEveryWait) {
    PressHandOver h;
    std::optional<PendingPress> seen{PendingPress{}};
    bool slept = true;
    std::thread waiter([&] { seen = h.WaitForPress(); });
    std::thread sleeper([&] { slept = h.SleepUntil(Guard(), false); });
    h.Shutdown();
    waiter.join();
    sleeper.join();
    EXPECT_FALSE(seen.has_value());
    EXPECT_FALSE(slept);
    // A press published after shutdown does not revive the executor.
    h.TryPublishPress(0xF1, 1);
    EXPECT_FALSE(h.WaitForPress().has_value());
}

TEST(PressHandOver, AStopRequestCutsADelayOnlyWhenAskedTo) {
    PressHandOver h;
    ASSERT_TRUE(h.TryPublishPress(0xF1, 1));
    ASSERT_TRUE(h.RequestStop());
    EXPECT_FALSE(h.SleepUntil(Guard(), true));
    // Ignoring stop requests, the delay runs to its deadline.
    EXPECT_TRUE(h.SleepUntil(Clock::now() + 1ms, false));
}

TEST(PressHandOver, WaitWithADeadlineReturnsNothingWhenNoPressCame) {
    PressHandOver h;
    EXPECT_FALSE(h.WaitForPressUntil(Clock::now() + 1ms).has_value());
    h.TryPublishPress(0xF4, 1);
    EXPECT_EQ(h.WaitForPressUntil(Guard()), (PendingPress{0xF4, 1}));
}

TEST(PressHandOver, PressDataIsVisibleWithTheFlag) {
    // Many hand-overs between two threads: the executor must always read the data that was
    // published with the flag it saw (ThreadSanitizer watches the ordering).
    PressHandOver h;
    constexpr int Rounds = 500;
    std::atomic<int> mismatches{0};
    std::thread executor([&] {
        for (int i = 0; i < Rounds; ++i) {
            const auto press = h.WaitForPress();
            if (!press || press->level != static_cast<std::uint8_t>(i % 100)) ++mismatches;
            h.Clear();
        }
    });
    for (int i = 0; i < Rounds; ++i) {
        while (!h.TryPublishPress(0xF1, static_cast<std::uint8_t>(i % 100)))
            std::this_thread::yield();
    }
    executor.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace zep
