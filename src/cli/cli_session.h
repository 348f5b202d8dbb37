#pragma once
// Everything one run of zep-pelmo-cli needs, wired the way the window wires it: the application
// directory and config.ini, the shared settings, the HID backend (real or simulated), the link,
// the channel, the listener and the executor.

#include <fstream>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "device/channel.h"
#include "device/input_listener.h"
#include "device/mouse_link.h"
#include "device/press_hand_over.h"
#include "platform/hid/hid_backend.h"
#include "platform/ini/profile_file.h"
#include "platform/system/app_directory.h"
#include "platform/system/pointer_settings.h"
#include "platform/system/program_launcher.h"
#include "platform/system/user_prompts.h"
#include "settings/apply.h"
#include "settings/function_executor.h"
#include "settings/shared_settings.h"

namespace zep::sim {
class SimulatedMouse;
}

namespace zep::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Messages the core would show in a box go to the verbose log: a CLI run has no one to click OK.
class LogPrompts : public UserPrompts {
  public:
    explicit LogPrompts(std::function<void(const std::string&)> log) : log_(std::move(log)) {}
    void ShowMessage(std::u16string_view text) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileDialogOptions&) override {
        return {};
    }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileDialogOptions&) override {
        return {};
    }

  private:
    std::function<void(const std::string&)> log_;
};

class CliSession {
  public:
    CliSession(Options options, std::ostream& out, std::ostream& err);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    int Run();

  private:
    // Commands.
    int Devices();
    int Show();
    int Apply();
    int RunHeadless();
    int Press();
    int Macros();
    int Profile();
    int Reset();

    // Building blocks.
    void LoadStartup();
    bool FindMouse();  // discovery with a diagnosis on err_ when the mouse cannot be used
    [[nodiscard]] std::string Diagnosis();
    ApplyReport ApplyNow();
    void StartWorkers();
    void StopWorkersAndExit();
    [[nodiscard]] std::optional<int> ProfileNumberArg(std::size_t index);
    int Fail(const std::string& message);
    void Verbose(const std::string& line);

    Options o_;
    std::ostream& out_;
    std::ostream& err_;
    std::mutex logMutex_;
    AppDirectory dir_;
    ProfileFile ini_;
    LogPrompts prompts_;
    SharedSettings settings_;
    std::unique_ptr<sim::SimulatedMouse> simMouse_;
    std::ofstream trafficFile_;
    std::unique_ptr<HidBackend> realBackend_;
    std::unique_ptr<HidBackend> loggingBackend_;
    HidBackend* backend_ = nullptr;
    std::unique_ptr<PointerSettings> pointer_;
    DesktopLauncher launcher_;
    std::unique_ptr<MouseLink> link_;
    Channel channel_;
    PressHandOver handOver_;
    std::unique_ptr<SteadyExecutorClock> clock_;
    std::unique_ptr<FunctionExecutor> executor_;
    std::unique_ptr<InputListener> listener_;
};

}  // namespace zep::cli
