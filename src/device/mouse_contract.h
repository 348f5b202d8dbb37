#pragma once
// What the utility relies on from the mouse: its identity, its two vendor collections and the
// numbers of its reports. The simulated mouse keeps the same contract.

#include <array>
#include <cstdint>

namespace zep {

inline constexpr std::uint16_t MouseVendorId = 0x18F8;
inline constexpr std::uint16_t MouseProductId = 0x1286;

// Input reports (id 6) come from this collection.
inline constexpr std::uint16_t ReadUsagePage = 0xFF00;
inline constexpr std::uint16_t ReadUsage = 1;
// Feature reports (id 7) go to this collection.
inline constexpr std::uint16_t WriteUsagePage = 0xFF01;
inline constexpr std::uint16_t WriteUsage = 1;

inline constexpr std::uint8_t InputReportId = 6;
inline constexpr std::uint8_t FeatureReportId = 7;

// Byte 1 of a feature report.
inline constexpr std::uint8_t CmdDpiLevel = 0x09;
inline constexpr std::uint8_t CmdButtonFunction = 0x10;
inline constexpr std::uint8_t CmdWheelMode = 0x11;
inline constexpr std::uint8_t CmdFireInterval = 0x12;
inline constexpr std::uint8_t CmdLedEffect = 0x13;
inline constexpr std::uint8_t CmdKeyState = 0x15;
inline constexpr std::uint8_t CmdButtonState = 0x16;
inline constexpr std::uint8_t CmdConsumerKey = 0x17;
inline constexpr std::uint8_t ExitNotice = 0x20;

// Byte 1 of an input report: above this, 0xF0 plus a button's hardware number.
inline constexpr std::uint8_t ButtonEventBase = 0xF0;
// Byte 2 of an input report for the release of a button; any other value is a press level.
inline constexpr std::uint8_t ReleaseLevel = 0x80;

// The mouse's own numbers of buttons 0 ... 6 (the two last are not in order).
inline constexpr std::array<std::uint8_t, 7> ButtonHardwareIndex = {1, 2, 3, 4, 5, 8, 6};

// Hardware function codes for which the mouse reports presses instead of acting alone.
inline constexpr std::uint8_t HwCodeReported = 0;
inline constexpr std::uint8_t HwCodeDpiCycle = 6;
inline constexpr std::uint8_t HwCodeRateStep = 10;
inline constexpr std::uint8_t HwCodeDpiUp = 11;
inline constexpr std::uint8_t HwCodeDpiDown = 12;

[[nodiscard]] constexpr bool MouseReportsPress(std::uint8_t hardwareCode) {
    return hardwareCode == HwCodeReported || hardwareCode == HwCodeDpiCycle ||
           hardwareCode == HwCodeRateStep || hardwareCode == HwCodeDpiUp ||
           hardwareCode == HwCodeDpiDown;
}

// The size of the shared command buffer and of the listener's report buffer.
inline constexpr std::size_t ReportBufferSize = 256;

}  // namespace zep
