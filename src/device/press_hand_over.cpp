#include "device/press_hand_over.h"

namespace zep {

void PressHandOver::Clear() {
    std::lock_guard lock(mutex_);
    stop_.store(false, std::memory_order_release);
    pending_.store(false, std::memory_order_release);
}

bool PressHandOver::TryPublishPress(std::uint8_t buttonCode, std::uint8_t level) {
    {
        std::lock_guard lock(mutex_);
        if (pending_.load(std::memory_order_relaxed)) return false;
        buttonCode_.store(buttonCode, std::memory_order_relaxed);
        level_.store(level, std::memory_order_relaxed);
        pending_.store(true, std::memory_order_release);
    }
    changed_.notify_all();
    return true;
}

bool PressHandOver::RequestStop() {
    {
        std::lock_guard lock(mutex_);
        if (!pending_.load(std::memory_order_relaxed)) return false;
        stop_.store(true, std::memory_order_release);
    }
    changed_.notify_all();
    return true;
}

PendingPress PressHandOver::Press() const {
    // The acquire load pairs with the release store of the flag in TryPublishPress.
    (void)pending_.load(std::memory_order_acquire);
    return {buttonCode_.load(std::memory_order_relaxed), level_.load(std::memory_order_relaxed)};
}

std::optional<PendingPress> PressHandOver::WaitForPress() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ShuttingDown() || PressPending(); });
    if (ShuttingDown()) return std::nullopt;
    return Press();
}

std::optional<PendingPress> PressHandOver::WaitForPressUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [&] { return ShuttingDown() || PressPending(); });
    if (ShuttingDown() || !PressPending()) return std::nullopt;
    return Press();
}

bool PressHandOver::SleepUntil(Clock::time_point deadline, bool wakeOnStop) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_until(lock, deadline,
                                [&] { return ShuttingDown() || (wakeOnStop && StopRequested()); });
}

void PressHandOver::Shutdown() {
    {
        std::lock_guard lock(mutex_);
        shutdown_.store(true, std::memory_order_release);
    }
    changed_.notify_all();
}

}  // namespace zep
