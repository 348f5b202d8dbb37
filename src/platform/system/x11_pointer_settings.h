#pragma once
// Pointer speed on X11: libinput's "Accel Speed" on every pointer device that has it, else the
// core pointer acceleration. Wheel lines through KDE's WheelScrollLines where KDE runs; other
// desktops have no desktop-wide setting. Without a display everything is unsupported, never an
// error or a hang.

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/system/pointer_settings.h"

namespace zep {

class ProfileFile;

struct X11PointerEnvironment {
    std::optional<std::string> display;               // $DISPLAY
    std::optional<std::string> currentDesktop;        // $XDG_CURRENT_DESKTOP
    std::optional<std::filesystem::path> kdeGlobals;  // ~/.config/kdeglobals
    [[nodiscard]] static X11PointerEnvironment FromProcess();
};

class X11PointerSettings : public PointerSettings {
  public:
    X11PointerSettings(X11PointerEnvironment env, ProfileFile& ini);
    ~X11PointerSettings() override;
    SettingOutcome SetPointerSpeed(int speed) override;
    SettingOutcome SetWheelLines(int lines) override;

  private:
    X11PointerEnvironment env_;
    ProfileFile& ini_;
};

}  // namespace zep
