#include "device/input_listener.h"

#include <array>

#include "device/mouse_contract.h"

namespace zep {

void ApplyInputReport(std::span<const std::uint8_t> report, std::uint32_t macroMode2,
                      PressHandOver& handOver) {
    if (report.size() < 3 || report[0] != InputReportId) return;
    const std::uint8_t code = report[1];
    const std::uint8_t level = report[2];
    if (code <= ButtonEventBase) {
        handOver.RequestStop();  // effective only while a press is pending
        return;
    }
    if (level != ReleaseLevel) {
        if (!handOver.TryPublishPress(code, level) && macroMode2 == 0) handOver.RequestStop();
        return;
    }
    if (macroMode2 != 0) handOver.RequestStop();
}

InputListener::InputListener(MouseLink& link, PressHandOver& handOver, MacroModeSource macroMode2)
    : link_(link), handOver_(handOver), macroMode2_(std::move(macroMode2)) {}

void InputListener::Start() {
    if (thread_.joinable()) return;
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

void InputListener::Stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}

void InputListener::Run(std::stop_token stop) {
    // One report at a time; a report longer than the buffer is cut, which keeps the bytes looked
    // at. Allocated once, here, so reading allocates nothing.
    std::array<std::uint8_t, ReportBufferSize> report{};
    std::uint64_t generation = 0;
    while (!stop.stop_requested()) {
        const auto reader = link_.WaitForReader(stop, generation);
        if (!reader) return;
        generation = reader->generation;
        HidHandle& handle = *reader->collection.handle;
        for (;;) {
            const HidReadResult read = handle.ReadInputReport(report, stop);
            if (read.status == HidStatus::Interrupted) return;
            if (read.status != HidStatus::Ok) break;  // gone: wait for a new read collection
            const std::uint32_t mode = macroMode2_ ? macroMode2_() : 0;
            ApplyInputReport(std::span<const std::uint8_t>(report.data(), read.size), mode,
                             handOver_);
        }
    }
}

}  // namespace zep
