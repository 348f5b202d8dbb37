#pragma once
// Sending the profile to the mouse (with the two stores in config.ini and the desktop's pointer
// settings), and the exit sequence that hands the mouse back.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/channel.h"
#include "platform/ini/profile_file.h"
#include "platform/system/app_directory.h"
#include "platform/system/pointer_settings.h"
#include "settings/shared_settings.h"

namespace zep {

// The 07 xx commands of an apply, as the bytes each writes from offset 0.
using Command = std::vector<std::uint8_t>;
[[nodiscard]] Command ButtonFunctionCommand(int button, std::uint8_t hardwareCode);
[[nodiscard]] Command WheelModeCommand(std::int32_t wheelMode);
[[nodiscard]] Command DpiLevelCommand(int level, std::uint8_t dpiCode, std::int32_t currentLevel,
                                      std::uint8_t enableMask);
[[nodiscard]] Command LedEffectCommand(std::uint8_t ledEffect);
[[nodiscard]] Command FireIntervalCommand(std::int32_t fireInterval);
[[nodiscard]] Command ConsumerKeyCommand(std::uint16_t usage);
[[nodiscard]] Command ExitNoticeCommand();

// Bit n set when level n is enabled.
[[nodiscard]] std::uint8_t DpiEnableMask(const MouseProfile& p);
// The applied state an apply of this profile leaves behind.
[[nodiscard]] AppliedState AppliedStateOf(const MouseProfile& p);

// The reports of an apply, in their order. The desktop's pointer settings go between the two
// parts: everything up to the LED effect first, the fire interval after. Without an open write
// collection the button commands are left out.
struct ApplyCommands {
    std::vector<Command> beforePointer;
    Command fireInterval;
};
[[nodiscard]] ApplyCommands ProfileCommands(const MouseProfile& p, const AppliedState& applied,
                                            bool writerOpen);

struct ApplyServices {
    ProfileFile& ini;
    AppDirectory dir;
    Channel& channel;
    PointerSettings& pointer;
    std::function<bool()> writerOpen;  // the mouse's write collection is open
    std::function<void()> repaint;     // may be empty
};

struct ApplyReport {
    bool storedSnapshot = false;  // "CurConfig" and the applied snapshot, one replacement
    bool storedProfile = false;
    std::vector<std::pair<Command, HidStatus>> sends;
    SettingOutcome pointerSpeed;
    SettingOutcome wheelLines;
};

// Records the current profile number and stores the profile as the applied snapshot (one
// replacement of config.ini), sends every
// setting back to back, sets the pointer speed and wheel lines, stores the profile under its
// number. Without an open write collection the button commands are skipped and the others fail
// in the send; storage and pointer settings happen all the same.
ApplyReport ApplyProfile(SharedSettings& settings, ApplyServices& services);

struct ExitServices {
    Channel& channel;
    PointerSettings& pointer;
    std::function<bool()> writerOpen;
    std::function<void()> removeTrayIcon;  // may be empty
    std::function<void()> closeWindow;     // may be empty
};

struct ExitReport {
    std::optional<HidStatus> exitNotice;  // nullopt: not attempted (no open write collection)
    SettingOutcome pointerSpeed;
};

// Tray icon removed, exit notice 07 20 00 00, pointer speed back to neutral (10), window closed.
ExitReport RunExitSequence(ExitServices& services);

inline constexpr int kNeutralPointerSpeed = 10;

}  // namespace zep
