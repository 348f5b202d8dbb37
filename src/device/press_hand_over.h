#pragma once
// The hand-over between the input listener (writer) and the function executor (reader): a press
// waiting to be carried out, and a request to stop the playback it started.
//
// Press data is published before the PressPending flag (release) and read after it (acquire), so
// a reader that sees the flag sees the press. The executor sleeps on a condition variable while no
// press is pending instead of polling, and its delays can be cut short by a stop request or by
// shutdown. Only the listener raises flags; only the executor (and start-up) clears them.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace zep {

struct PendingPress {
    std::uint8_t buttonCode = 0;  // PressedButtonCode: 0xF0 plus the button's hardware number
    std::uint8_t level = 0;       // the press level; for DPI functions the mouse's new level

    friend bool operator==(const PendingPress&, const PendingPress&) = default;
};

class PressHandOver {
  public:
    using Clock = std::chrono::steady_clock;

    // Clears PressPending and StopRequested: the executor once a press is handled, and start-up.
    void Clear();

    // Stores the press and raises PressPending, only when none is pending. True when published.
    bool TryPublishPress(std::uint8_t buttonCode, std::uint8_t level);

    // Raises StopRequested, only while a press is pending. True when raised.
    bool RequestStop();

    [[nodiscard]] bool PressPending() const { return pending_.load(std::memory_order_acquire); }
    [[nodiscard]] bool StopRequested() const { return stop_.load(std::memory_order_acquire); }
    // The pending press; meaningful only after PressPending() returned true.
    [[nodiscard]] PendingPress Press() const;

    // Blocks until a press is pending (returns it) or Shutdown() was called (returns nullopt).
    [[nodiscard]] std::optional<PendingPress> WaitForPress();
    // As WaitForPress, but gives up at deadline (nullopt).
    [[nodiscard]] std::optional<PendingPress> WaitForPressUntil(Clock::time_point deadline);

    // Waits until deadline. Returns early, with false, on shutdown, or on a stop request when
    // wakeOnStop is set; true when the deadline was reached undisturbed.
    [[nodiscard]] bool SleepUntil(Clock::time_point deadline, bool wakeOnStop);

    // Wakes every waiter for good; WaitForPress returns nullopt from then on.
    void Shutdown();
    [[nodiscard]] bool ShuttingDown() const { return shutdown_.load(std::memory_order_acquire); }

  private:
    mutable std::mutex mutex_;  // orders flag changes with the waits; never held while working
    std::condition_variable changed_;
    std::atomic<std::uint8_t> buttonCode_{0};
    std::atomic<std::uint8_t> level_{0};
    std::atomic<bool> pending_{false};
    std::atomic<bool> stop_{false};
    std::atomic<bool> shutdown_{false};
};

}  // namespace zep
