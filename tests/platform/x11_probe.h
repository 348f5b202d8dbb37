#pragma once
// Reads a display's state with Xlib, kept out of the test sources (Xlib's macros clash with them).
#include <optional>
#include <string>
#include <utility>

namespace zep::test {
[[nodiscard]] bool CanOpenDisplay(const std::string& display);
// The core pointer acceleration as numerator and denominator.
[[nodiscard]] std::optional<std::pair<int, int>> CorePointerAcceleration(
    const std::string& display);
}  // namespace zep::test
