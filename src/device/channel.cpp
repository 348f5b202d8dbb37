#include "device/channel.h"

#include <algorithm>
#include <thread>

namespace zep {

ChannelLock::ChannelLock(Channel& channel) : lock_(channel.mutex_), channel_(channel) {}

std::span<std::uint8_t, ReportBufferSize> ChannelLock::FeatureBuffer() {
    return std::span<std::uint8_t, ReportBufferSize>(channel_.buffer_);
}

HidStatus ChannelLock::SendFeature() {
    return channel_.SendLocked();
}

HidStatus ChannelLock::Send(std::span<const std::uint8_t> bytesFromOffset0) {
    if (bytesFromOffset0.size() > ReportBufferSize) return HidStatus::BadLength;
    std::copy(bytesFromOffset0.begin(), bytesFromOffset0.end(), channel_.buffer_.begin());
    return channel_.SendLocked();
}

Channel::Channel(Pause pause) : pause_(std::move(pause)) {
    if (!pause_) pause_ = [](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); };
}

void Channel::AttachWriter(const MouseCollection& writer) {
    std::lock_guard lock(mutex_);
    writer_ = writer;
}

HidStatus Channel::Send(std::span<const std::uint8_t> bytesFromOffset0) {
    return Lock().Send(bytesFromOffset0);
}

HidStatus Channel::SendLocked() {
    if (writer_.state != HandleState::Open) return HidStatus::NotFound;
    const std::size_t length = writer_.caps.featureReportLength;
    // A length the buffer cannot back would send memory that is not ours.
    if (length == 0 || length > buffer_.size()) return HidStatus::BadLength;
    return writer_.handle->SendFeatureReport(std::span<const std::uint8_t>(buffer_.data(), length));
}

HidStatus Channel::SendKeyStateLocked() {
    buffer_[0] = FeatureReportId;
    buffer_[1] = CmdKeyState;
    std::copy(heldKeys_.begin(), heldKeys_.end(), buffer_.begin() + 2);
    return SendLocked();
}

HidStatus Channel::SendButtonStateLocked() {
    buffer_[0] = FeatureReportId;
    buffer_[1] = CmdButtonState;
    buffer_[3] = buttonMask_;  // byte 2 keeps what the previous command left
    return SendLocked();
}

HidStatus Channel::SendKeyEvent(std::uint8_t code, std::uint8_t kind) {
    std::lock_guard lock(mutex_);
    if (code >= FirstButtonCode) {
        const unsigned bit = code - FirstButtonCode;
        if (bit < 3) {
            const auto mask = static_cast<std::uint8_t>(1u << bit);
            if (kind == KeyPress) buttonMask_ = static_cast<std::uint8_t>(buttonMask_ & ~mask);
            if (kind == KeyRelease) buttonMask_ = static_cast<std::uint8_t>(buttonMask_ | mask);
        }
        return SendButtonStateLocked();
    }
    if (kind == KeyPress) {
        const auto freeSlot = std::find(heldKeys_.begin(), heldKeys_.end(), std::uint8_t{0});
        if (freeSlot != heldKeys_.end()) *freeSlot = code;
    } else if (kind == KeyRelease) {
        const auto held = std::find(heldKeys_.begin(), heldKeys_.end(), code);
        if (held != heldKeys_.end()) {
            std::move(held + 1, heldKeys_.end(), held);
            heldKeys_.back() = 0;
        }
    }
    return SendKeyStateLocked();
}

void Channel::ReleaseAll() {
    using std::chrono::milliseconds;
    pause_(milliseconds(10));
    {
        std::lock_guard lock(mutex_);
        buttonMask_ = static_cast<std::uint8_t>(buttonMask_ | 0x07);
        (void)SendButtonStateLocked();
    }
    pause_(milliseconds(10));
    std::lock_guard lock(mutex_);
    heldKeys_.fill(0);
    (void)SendKeyStateLocked();
}

std::array<std::uint8_t, HeldKeySlots> Channel::HeldKeys() const {
    std::lock_guard lock(mutex_);
    return heldKeys_;
}

std::uint8_t Channel::ButtonMask() const {
    std::lock_guard lock(mutex_);
    return buttonMask_;
}

}  // namespace zep
