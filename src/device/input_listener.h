#pragma once
// The thread that reads the mouse's input reports and hands each reported press, and each reason
// to stop a running playback, to the function executor through PressHandOver. It never sends to
// the mouse and never touches the user interface.
//
// It blocks while there is nothing to do: until discovery publishes an open read collection,
// then in the read between reports; after a failed read (the mouse gone) until a new read
// collection is published. Stop() interrupts any of these waits and joins.

#include <cstdint>
#include <functional>
#include <span>
#include <thread>

#include "device/mouse_link.h"
#include "device/press_hand_over.h"

namespace zep {

// The listener's rules for one input report (report id first). Reports with another id, shorter
// than three bytes, or whose event changes nothing under the current state, leave no trace.
// - byte 1 <= 0xF0 (another event): a pending press gets a stop request;
// - byte 1 > 0xF0, byte 2 != 0x80 (a press): published when nothing is pending, otherwise a stop
//   request when macroMode2 is 0;
// - byte 1 > 0xF0, byte 2 == 0x80 (a release): a stop request when a press is pending and
//   macroMode2 is not 0.
void ApplyInputReport(std::span<const std::uint8_t> report, std::uint32_t macroMode2,
                      PressHandOver& handOver);

class InputListener {
  public:
    // Reads MACRO_MODE2 of the profile, afresh for every report.
    using MacroModeSource = std::function<std::uint32_t()>;

    InputListener(MouseLink& link, PressHandOver& handOver, MacroModeSource macroMode2);
    ~InputListener() { Stop(); }
    InputListener(const InputListener&) = delete;
    InputListener& operator=(const InputListener&) = delete;

    void Start();
    // Interrupts the wait or read in progress and joins. Safe to call twice.
    void Stop();

  private:
    void Run(std::stop_token stop);

    MouseLink& link_;
    PressHandOver& handOver_;
    MacroModeSource macroMode2_;
    std::jthread thread_;
};

}  // namespace zep
