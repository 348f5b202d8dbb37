#pragma once
// What the device-link benchmarks share: the simulated mouse found by discovery through a backend
// that timestamps every feature report as it leaves for the mouse, the settings and a scratch
// config.ini; and the original design re-created beside ours (the listener and the executor that
// poll every 2 ms, playback with relative sleeps, an apply that writes config.ini key by key).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "device/channel.h"
#include "device/mouse_link.h"
#include "device/press_hand_over.h"
#include "platform/ini/profile_file.h"
#include "platform/system/app_directory.h"
#include "platform/system/pointer_settings.h"
#include "platform/system/program_launcher.h"
#include "settings/apply.h"
#include "settings/function_executor.h"
#include "settings/shared_settings.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace zep::bench {

using Clock = std::chrono::steady_clock;

// A fresh directory under the system temp dir (TMPDIR), seeded with the shipped config.ini and
// removed on destruction.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// "ext4", "tmpfs", ... for the file system that holds path: file replacement costs depend on it.
[[nodiscard]] std::string FileSystemName(const std::filesystem::path& path);

// The simulated backend, except that the write collection notes the time of each feature report
// before handing it to the mouse. Arm() makes the next report's time available to WaitForStamp;
// Record() keeps the times of all of them.
class StampingBackend : public HidBackend {
  public:
    explicit StampingBackend(HidBackend& inner) : inner_(inner) {}

    std::vector<HidInterfaceInfo> ListInterfaces() override { return inner_.ListInterfaces(); }
    HidOpenResult Open(const std::string& path, HidOpenMode mode) override;
    std::unique_ptr<HidRemovalWatch> WatchRemoval(const std::string& path,
                                                  std::function<void()> onRemoved) override {
        return inner_.WatchRemoval(path, std::move(onRemoved));
    }

    void Arm();
    // The time of the first report sent after Arm(), or nullopt at deadline.
    [[nodiscard]] std::optional<Clock::time_point> WaitForStamp(Clock::time_point deadline);
    void Record(bool on);
    [[nodiscard]] std::vector<Clock::time_point> Recorded();

    void OnSend(Clock::time_point t);

  private:
    HidBackend& inner_;
    std::mutex mutex_;
    std::condition_variable stamped_;
    bool armed_ = false;
    std::optional<Clock::time_point> stamp_;
    bool recording_ = false;
    std::vector<Clock::time_point> recorded_;
};

class NullPointerSettings : public PointerSettings {
  public:
    SettingOutcome SetPointerSpeed(int) override { return {SettingOutcome::Kind::Applied, ""}; }
    SettingOutcome SetWheelLines(int) override { return {SettingOutcome::Kind::Applied, ""}; }
};

class NullLauncher : public ProgramLauncher {
  public:
    LaunchOutcome Launch(Program) override { return {true, ""}; }
};

// The simulated mouse with everything an apply or the executor works on. Channel pauses sleep
// for real.
struct Rig {
    explicit Rig(bool plugged = true);
    ApplyServices ApplyWith();
    [[nodiscard]] std::uint32_t MacroMode() const;

    ScratchDir scratch;
    AppDirectory dir = AppDirectoryAt(scratch.path());
    ProfileFile ini;
    NullPointerSettings pointer;
    NullLauncher launcher;
    sim::SimulatedMouse mouse;
    sim::SimHidBackend simBackend{mouse};
    StampingBackend backend{simBackend};
    MouseLink link{[] {}};
    Channel channel;
    SharedSettings settings;
};

// --- the original design, re-created ---

// The listener: takes the read collection afresh each cycle, reads one report (blocking) when it
// is open, applies the same rules as ours, then sleeps 2 ms after every cycle, whether the read
// succeeded, failed or was skipped.
class PollingListener {
  public:
    PollingListener(MouseLink& link, PressHandOver& handOver,
                    std::function<std::uint32_t()> macroMode)
        : link_(link), handOver_(handOver), macroMode_(std::move(macroMode)) {}
    ~PollingListener() { Stop(); }
    void Start();
    void Stop();

  private:
    void Run(std::stop_token stop);
    MouseLink& link_;
    PressHandOver& handOver_;
    std::function<std::uint32_t()> macroMode_;
    std::jthread thread_;
};

// The executor: looks at PressPending every 2 ms, handles a press with our handling
// (FunctionExecutor::Handle, so only the hand-over differs), clears the flags and waits 2 ms.
class PollingExecutor {
  public:
    PollingExecutor(PressHandOver& handOver, FunctionExecutor& handler)
        : handOver_(handOver), handler_(handler) {}
    ~PollingExecutor() { Stop(); }
    void Start();
    void Stop();
    bool WaitUntilHandled(std::uint64_t count, Clock::time_point deadline);

  private:
    void Run(std::stop_token stop);
    PressHandOver& handOver_;
    FunctionExecutor& handler_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t handled_ = 0;
    std::jthread thread_;
};

// The apply with the same reports as ours, but "CurConfig" and every key of both stores written
// one at a time, each write a replacement of config.ini.
void OriginalApplyProfile(SharedSettings& settings, ApplyServices& services);

// --- statistics ---

struct Summary {
    std::size_t n = 0;
    double min = 0, p50 = 0, p99 = 0, max = 0;
};
// Nearest-rank percentiles.
[[nodiscard]] Summary Summarize(std::vector<double> values);

[[nodiscard]] inline double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

}  // namespace zep::bench
