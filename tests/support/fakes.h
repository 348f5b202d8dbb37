#pragma once
// Scripted and recording stand-ins for the platform interfaces.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/pointer_settings.h"
#include "platform/system/program_launcher.h"
#include "platform/system/user_prompts.h"

namespace zep::test {

class FakePrompts : public UserPrompts {
  public:
    void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileDialogOptions& o) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileDialogOptions& o) override;

    std::vector<std::u16string> messages;
    // Answers handed out in order; an empty queue answers as a cancel.
    std::deque<std::optional<std::filesystem::path>> fileAnswers;
    std::vector<FileDialogOptions> dialogsShown;
};

// Records every setting; answers Applied unless told otherwise.
class FakePointerSettings : public PointerSettings {
  public:
    SettingOutcome SetPointerSpeed(int speed) override {
        calls.push_back("speed " + std::to_string(speed));
        return {outcome, ""};
    }
    SettingOutcome SetWheelLines(int lines) override {
        calls.push_back("wheel " + std::to_string(lines));
        return {outcome, ""};
    }
    std::vector<std::string> calls;
    SettingOutcome::Kind outcome = SettingOutcome::Kind::Applied;
};

class FakeLauncher : public ProgramLauncher {
  public:
    LaunchOutcome Launch(Program program) override {
        launched.push_back(program);
        return {true, "fake"};
    }
    std::vector<Program> launched;
};

}  // namespace zep::test
