#pragma once
// The settings that the window, the function executor and the input listener share: the profile
// session, what the last apply sent, and both macro stores. One lock guards them all; nobody
// holds it while sending to the mouse, touching a file or sleeping, so a reader always copies
// what it needs and works on the copy.

#include <array>
#include <cstdint>
#include <mutex>
#include <utility>

#include "macros/macro_record.h"
#include "settings/profile.h"
#include "settings/profile_actions.h"

namespace zep {

// Worked out by each apply; read by the executor and the drawing. All zero before the first.
struct AppliedState {
    std::array<bool, kButtonCount> reportsDpiLevel{};
    std::array<bool, kButtonCount> reportsRateStep{};
    std::array<std::uint8_t, kDpiLevelCount> appliedDpiCode{};
    std::uint8_t appliedLedMode = 0;
    friend bool operator==(const AppliedState&, const AppliedState&) = default;
};

struct SettingsState {
    ProfileSession session;
    AppliedState applied;
    UserMacroStore userMacros;
    ConstantMacroStore constantMacros;
};

class SharedSettings {
  public:
    SharedSettings() = default;
    explicit SharedSettings(SettingsState initial) : state_(std::move(initial)) {}

    // Runs f(SettingsState&) under the lock and returns its result. f must not block.
    template <typename F>
    decltype(auto) With(F&& f) {
        std::lock_guard lock(mutex_);
        return std::forward<F>(f)(state_);
    }
    template <typename F>
    decltype(auto) With(F&& f) const {
        std::lock_guard lock(mutex_);
        return std::forward<F>(f)(std::as_const(state_));
    }
    [[nodiscard]] SettingsState Copy() const {
        return With([](const SettingsState& s) { return s; });
    }

  private:
    mutable std::mutex mutex_;
    SettingsState state_;
};

}  // namespace zep
