#pragma once
// The one feature-report channel to the mouse: the shared command buffer, the lock that keeps
// commands from interleaving, the send, and the emulation of keyboard keys and mouse buttons.
//
// Every command is built in FeatureBuffer and sent whole, at the write collection's feature
// report length. A command writes only the bytes it defines; the others keep what earlier commands
// left there, since the mouse sees the whole buffer. The buffer is never cleared.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <span>

#include "device/mouse_contract.h"
#include "device/mouse_link.h"
#include "platform/hid/hid_backend.h"

namespace zep {

class Channel;

// Holds the channel while one command is built and sent. Obtained from Channel::Lock().
class ChannelLock {
  public:
    // The shared buffer; byte 0 is the report id, byte 1 the command.
    [[nodiscard]] std::span<std::uint8_t, ReportBufferSize> FeatureBuffer();
    // Sends the buffer at the write collection's feature report length. NotFound without an open
    // write collection, BadLength when that length is 0 or larger than the buffer; nothing is
    // sent then.
    HidStatus SendFeature();
    // Writes bytesFromOffset0 over the start of the buffer (the rest keeps its bytes) and sends.
    HidStatus Send(std::span<const std::uint8_t> bytesFromOffset0);

  private:
    friend class Channel;
    explicit ChannelLock(Channel& channel);
    std::unique_lock<std::mutex> lock_;
    Channel& channel_;
};

// Event kinds of SendKeyEvent.
inline constexpr std::uint8_t KeyPress = 1;
inline constexpr std::uint8_t KeyRelease = 2;
// Event codes from this one up are mouse buttons: 0xF0 left, 0xF1 right, 0xF2 middle.
inline constexpr std::uint8_t FirstButtonCode = 0xF0;
inline constexpr std::size_t HeldKeySlots = 6;

class Channel {
  public:
    using Pause = std::function<void(std::chrono::milliseconds)>;

    // pause serves ReleaseAll's waits between its reports; the default sleeps.
    explicit Channel(Pause pause = {});

    // The write collection that sends go to; until then sends fail with NotFound.
    void AttachWriter(const MouseCollection& writer);

    [[nodiscard]] ChannelLock Lock() { return ChannelLock(*this); }
    // One command: Lock().Send(bytesFromOffset0).
    HidStatus Send(std::span<const std::uint8_t> bytesFromOffset0);
    HidStatus Send(std::initializer_list<std::uint8_t> bytesFromOffset0) {
        return Send(
            std::span<const std::uint8_t>(bytesFromOffset0.begin(), bytesFromOffset0.size()));
    }

    // Updates the held keys (codes below 0xF0) or the button mask (0xF0 ... 0xF2; 0xF3 ... 0xFF
    // change nothing) by kind (1 press, 2 release, others nothing) and sends the matching report:
    // 07 15 K0 ... K5, or 07 16 with the mask in byte 3 and byte 2 untouched. The state follows
    // the events whether or not the send succeeds. A seventh held key is dropped.
    HidStatus SendKeyEvent(std::uint8_t code, std::uint8_t kind);

    // Releases everything: pause 10 ms, button report with all three buttons up, pause 10 ms,
    // key report with no key held.
    void ReleaseAll();

    [[nodiscard]] std::array<std::uint8_t, HeldKeySlots> HeldKeys() const;
    [[nodiscard]] std::uint8_t ButtonMask() const;

  private:
    friend class ChannelLock;
    HidStatus SendLocked();
    HidStatus SendKeyStateLocked();
    HidStatus SendButtonStateLocked();

    Pause pause_;
    mutable std::mutex mutex_;  // ChannelLock
    std::array<std::uint8_t, ReportBufferSize> buffer_{};
    MouseCollection writer_;
    // The emulated input state, active-low for the buttons.
    std::array<std::uint8_t, HeldKeySlots> heldKeys_{};
    std::uint8_t buttonMask_ = 0xFF;
};

}  // namespace zep
