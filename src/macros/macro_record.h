#pragma once
// A macro: a name, repeat settings and up to 255 steps (a key or mouse-button press or release
// with a delay). Two stores hold them: the user's 12 and the installation's 13 constant macros.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zep {

inline constexpr int kMacroStepCapacity = 255;
inline constexpr int kMacroNameUnits = 20;  // 19 units and a terminating zero
inline constexpr int kUserMacroSlots = 12;
inline constexpr int kConstantMacroSlots = 13;

inline constexpr std::uint8_t kStepPress = 1;
inline constexpr std::uint8_t kStepRelease = 2;
inline constexpr std::uint8_t kLeftButtonCode = 240;
inline constexpr std::uint8_t kRightButtonCode = 241;
inline constexpr std::uint8_t kMiddleButtonCode = 242;

struct MacroStep {
    std::uint8_t code = 0;       // key code, or 240 ... 242 for the mouse buttons
    std::uint8_t direction = 0;  // 1 press, 2 release
    friend bool operator==(const MacroStep&, const MacroStep&) = default;
};

struct MacroRecord {
    std::array<char16_t, kMacroNameUnits> name{};
    std::uint8_t repeatEnabled = 0;
    std::uint16_t repeatCount = 0;
    std::uint8_t stepCount = 0;
    std::array<MacroStep, kMacroStepCapacity> steps{};
    std::array<std::uint16_t, kMacroStepCapacity> delays{};

    // The name up to its terminator.
    [[nodiscard]] std::u16string_view Name() const;
    // Clears the name field and copies at most 19 units of text into it.
    void SetName(std::u16string_view text);
    friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

// What a slot looks like after a delete: no steps, played once.
[[nodiscard]] MacroRecord FreedSlot();

template <int Slots>
struct MacroStore {
    static constexpr int kSlots = Slots;
    std::array<MacroRecord, Slots> slots{};
    std::int16_t count = 0;
};

struct UserMacroStore : MacroStore<kUserMacroSlots> {
    int current = 0;         // the macro the step list shows and the repeat settings apply to
    bool recording = false;  // set while a recording runs
};

struct ConstantMacroStore : MacroStore<kConstantMacroSlots> {};

}  // namespace zep
