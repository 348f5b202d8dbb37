#pragma once
// Key codes as the mouse sends them (keyboard usages) <-> Windows virtual-key codes as macro files
// store them, and the names the step list shows. Values the table does not list pass through
// unchanged both ways.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zep {

[[nodiscard]] std::uint8_t VirtualKeyToKeyCode(std::uint8_t virtualKey);
[[nodiscard]] std::uint8_t KeyCodeToVirtualKey(std::uint8_t keyCode);
// "A", "F1", "LMENU", "L-KEY", ...; "NON-AVAILABLE" for codes without a name.
[[nodiscard]] std::u16string_view KeyCodeName(std::uint8_t keyCode);
// The key code that has this name; nullopt for unknown names and "NON-AVAILABLE".
[[nodiscard]] std::optional<std::uint8_t> KeyCodeFromName(std::u16string_view name);

}  // namespace zep
