#pragma once
// The mouse profile: what each button does, the DPI levels, LED, wheel, fire interval, pointer
// speed and macro mode; the tables that turn it into what the mouse understands; the editing
// rules the pages apply to it.

#include <array>
#include <cstdint>

#include "device/mouse_contract.h"

namespace zep {

inline constexpr int kButtonCount = 7;
inline constexpr int kDpiLevelCount = 4;
inline constexpr int kDpiStepCount = 12;
inline constexpr int kFunctionCodeCount = 55;  // 0 ... 54
inline constexpr std::int32_t kFireIntervalMax = 300;

struct MouseProfile {
    std::array<std::int32_t, kButtonCount> buttonFunction{};  // "K0" ... "K6"
    std::int32_t dpiLevel = 0;                                // "DPI_LEVEL", 0 ... 3
    std::array<std::uint8_t, kDpiLevelCount> dpiStep{};       // "DPI_SET0..3", 0 ... 11
    std::array<std::uint8_t, kDpiLevelCount> dpiEnabled{};    // "DPI_SET_EN0..3", 0 or 1
    std::int32_t wheelMode = 0;                               // "WHEEL_STATUS"
    std::uint8_t ledEffect = 0;                               // "LED_STATUS", 0 ... 3
    std::uint8_t pointerSpeed = 0;                            // "DPI_SPEED", 0 ... 9
    std::uint8_t wheelSpeed = 0;                              // "WHEEL_SPEED": lines - 1
    std::uint8_t rateStep = 0;                                // "USB_SPEED", 0 ... 3
    std::int32_t fireInterval = 0;                            // "FIRE_TIME", ms, 0 ... 300
    std::int32_t macroMode = 0;                               // "MACRO_MODE2", 0 or 1

    friend bool operator==(const MouseProfile&, const MouseProfile&) = default;
};

// The built-in default, which a reset gives profile 1. The macro mode is not part of it: a reset
// keeps whatever the profile had.
[[nodiscard]] MouseProfile DefaultProfile(std::int32_t macroMode = 0);

// Who carries a function out once the mouse reports the press.
enum class SoftwareAction : std::uint8_t {
    None,
    ConsumerKey,    // 21 ... 30
    ConstantMacro,  // 31 ... 38
    Calculator,     // 39
    Terminal,       // 40
    UserMacro,      // 41 ... 52
};

struct FunctionInfo {
    std::uint8_t hardwareCode;  // sent in the button-function command
    bool reportsDpiLevel;       // the mouse reports its new DPI level (6, 15, 16)
    bool reportsRateStep;       // the mouse reports a report-rate step (14)
    SoftwareAction action;
};

// Any 32-bit code: codes outside 0 ... 54 (hand-edited files) behave as "no function".
[[nodiscard]] FunctionInfo LookupFunction(std::int32_t code);

// ButtonHardwareIndex (button 0 ... 6 -> the mouse's own button number) is part of the device
// contract.
// DPI step 0 ... 11 -> hardware DPI code.
inline constexpr std::array<std::uint8_t, kDpiStepCount> DpiStepCode = {1, 2, 3,  4,  5,  6,
                                                                        7, 9, 11, 13, 14, 15};

// Hardware DPI code of a step; steps past the table (hand-edited files) give the last step's code.
[[nodiscard]] std::uint8_t DpiCodeOfStep(std::uint8_t step);
// DPI readout of a hardware DPI code; codes the table does not list read as 200.
[[nodiscard]] int DpiOfCode(std::uint8_t code);
// Windows-style pointer speed 1 ... 20 for DPI_SPEED; values above 9 give 18.
[[nodiscard]] int PointerSpeedOfStep(std::uint8_t step);
// Code sent for an LED effect; effects above 3 (hand-edited files) are sent as 3, the dark light,
// the least surprising thing to do with a value the mouse has no effect for.
[[nodiscard]] std::uint8_t LedEffectCode(std::uint8_t effect);

// Consumer-page usage of a multimedia function code 21 ... 30; 0 for any other code.
[[nodiscard]] std::uint16_t ConsumerUsageOf(std::int32_t code);

// --- Editing rules. None of these touches the file or the mouse. Out-of-range arguments are
// ignored, so a stray click can never index past a table.

// Keeps at least one left click: when no button carries code 1 any more, the next button gets it
// (button 6 keeps it itself).
void SetButtonFunction(MouseProfile& p, int button, std::int32_t code);
// The last enabled level cannot be disabled; disabling the current level moves to the next
// enabled one (wrapping).
void ToggleDpiLevel(MouseProfile& p, int level);
// Only an enabled level can become current.
void SelectDpiLevel(MouseProfile& p, int level);
void SetDpiStep(MouseProfile& p, int level, int step);
// FIRE_TIME = (x - left) * 300 / width, clamped to 0 ... 300.
void SetFireFromSlider(MouseProfile& p, int x, int sliderLeft, int sliderWidth);
// +1 or -1, within 0 ... 300.
void StepFireInterval(MouseProfile& p, int direction);
void ToggleMacroMode(MouseProfile& p);
// True when no button other than this one carries a left click (the UI then asks first).
[[nodiscard]] bool IsOnlyLeftClick(const MouseProfile& p, int button);

}  // namespace zep
