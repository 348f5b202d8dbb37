#include "cli/cli_session.h"

#include <signal.h>
#include <unistd.h>

#include <ostream>

#include "cli/logging_hid_backend.h"
#include "macros/macro_file.h"
#include "platform/hid/linux_hidraw/hidraw_backend.h"
#include "platform/ini/text_codec.h"
#include "platform/system/x11_pointer_settings.h"
#include "settings/storage.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace zep::cli {

namespace {

// Reports what the desktop settings did, for the verbose log.
class LoggingPointerSettings : public PointerSettings {
  public:
    LoggingPointerSettings(std::unique_ptr<PointerSettings> inner,
                           std::function<void(const std::string&)> log)
        : inner_(std::move(inner)), log_(std::move(log)) {}
    SettingOutcome SetPointerSpeed(int speed) override {
        return Logged(inner_->SetPointerSpeed(speed));
    }
    SettingOutcome SetWheelLines(int lines) override {
        return Logged(inner_->SetWheelLines(lines));
    }

  private:
    SettingOutcome Logged(SettingOutcome o) {
        const char* kind = o.kind == SettingOutcome::Kind::Applied       ? "done"
                           : o.kind == SettingOutcome::Kind::Unsupported ? "unsupported"
                                                                         : "failed";
        log_(std::string("# desktop: ") + kind + ": " + o.detail);
        return o;
    }
    std::unique_ptr<PointerSettings> inner_;
    std::function<void(const std::string&)> log_;
};

AppDirectory ResolveDirectory(const Options& o) {
    return o.dir ? AppDirectoryAt(*o.dir) : ResolveAppDirectory(CurrentAppDirectoryInputs());
}

}  // namespace

void LogPrompts::ShowMessage(std::u16string_view text) {
    log_("# message: " + Utf16ToUtf8(text));
}

CliSession::CliSession(Options options, std::ostream& out, std::ostream& err)
    : o_(std::move(options)),
      out_(out),
      err_(err),
      dir_(ResolveDirectory(o_)),
      prompts_([this](const std::string& line) { Verbose(line); }) {
    auto log = [this](const std::string& line) { Verbose(line); };
    if (o_.simulate) {
        simMouse_ = std::make_unique<sim::SimulatedMouse>();
        if (o_.trafficLog) {
            trafficFile_.open(*o_.trafficLog, std::ios::out | std::ios::trunc);
            trafficFile_ << std::unitbuf;  // a reader follows the log while we run
            simMouse_->Log().Mirror(&trafficFile_);
        }
        realBackend_ = std::make_unique<sim::SimHidBackend>(*simMouse_);
    } else {
        realBackend_ = std::make_unique<HidrawBackend>();
    }
    backend_ = realBackend_.get();
    if (o_.verbose) {
        loggingBackend_ = std::make_unique<LoggingHidBackend>(*realBackend_, log);
        backend_ = loggingBackend_.get();
    }
    pointer_ = std::make_unique<LoggingPointerSettings>(
        std::make_unique<X11PointerSettings>(X11PointerEnvironment::FromProcess(), ini_), log);
    link_ = std::make_unique<MouseLink>([] { ::kill(::getpid(), SIGUSR1); });
}

CliSession::~CliSession() {
    if (listener_) listener_->Stop();
    if (executor_) executor_->Stop();
    if (simMouse_) simMouse_->Log().Mirror(nullptr);
}

void CliSession::Verbose(const std::string& line) {
    if (!o_.verbose) return;
    std::lock_guard lock(logMutex_);
    err_ << line << '\n' << std::flush;
}

int CliSession::Fail(const std::string& message) {
    err_ << "zep-pelmo-cli: " << message << '\n';
    return kExitFailed;
}

int CliSession::Run() {
    if (o_.command == "help") {
        out_ << HelpText();
        return kExitOk;
    }
    LoadStartup();
    if (o_.command == "devices") return Devices();
    if (o_.command == "show") return Show();
    if (o_.command == "apply") return Apply();
    if (o_.command == "run") return RunHeadless();
    if (o_.command == "press") return Press();
    if (o_.command == "macros") return Macros();
    if (o_.command == "profile") return Profile();
    if (o_.command == "reset") return Reset();
    return Fail("unknown command");
}

void CliSession::LoadStartup() {
    const StartupSettings start = ReadStartupSettings(ini_, dir_.ConfigPath());
    settings_.With([&](SettingsState& s) {
        s.session.profileNumber = start.profileNumber;
        s.session.english = start.english();
        s.session.profile = LoadProfile(ini_, dir_.ConfigPath(), start.profileNumber);
        (void)LoadMacroFile(ini_, dir_.UserMacroFile(start.english()), s.userMacros, prompts_);
        (void)LoadMacroFile(ini_, dir_.ConstMacroFile(), s.constantMacros, prompts_);
    });
    Verbose("# settings: " + dir_.ConfigPath().string() + ", profile " +
            std::to_string(start.profileNumber) + (start.english() ? ", English" : ", Chinese"));
}

std::optional<int> CliSession::ProfileNumberArg(std::size_t index) {
    if (o_.args.size() <= index) return settings_.Copy().session.profileNumber;
    const auto n = ParseNumber(o_.args[index], 1, kProfileCount);
    if (!n) {
        err_ << "zep-pelmo-cli: profile number must be 1 ... 5, not '" << o_.args[index] << "'\n";
    }
    return n;
}

ApplyReport CliSession::ApplyNow() {
    ApplyServices services{ini_,
                           dir_,
                           channel_,
                           *pointer_,
                           [this] { return link_->Writer().state == HandleState::Open; },
                           {}};
    ApplyReport report = ApplyProfile(settings_, services);
    if (!report.storedSnapshot || !report.storedProfile) {
        err_ << "zep-pelmo-cli: warning: config.ini not updated: " << ini_.lastError() << '\n';
    }
    return report;
}

void CliSession::StartWorkers() {
    clock_ = std::make_unique<SteadyExecutorClock>(handOver_);
    executor_ = std::make_unique<FunctionExecutor>(
        ExecutorServices{handOver_,
                         settings_,
                         channel_,
                         ini_,
                         dir_,
                         launcher_,
                         *clock_,
                         {},
                         [this](std::string line) { Verbose("# executor: " + line); }});
    listener_ = std::make_unique<InputListener>(*link_, handOver_, [this] {
        return static_cast<std::uint32_t>(
            settings_.With([](const SettingsState& s) { return s.session.profile.macroMode; }));
    });
    executor_->Start();
    listener_->Start();
}

void CliSession::StopWorkersAndExit() {
    // The workers first, so nothing reaches the mouse after the exit notice.
    if (listener_) listener_->Stop();
    if (executor_) executor_->Stop();
    ExitServices services{
        channel_, *pointer_, [this] { return link_->Writer().state == HandleState::Open; }, {}, {}};
    (void)RunExitSequence(services);
}

}  // namespace zep::cli
