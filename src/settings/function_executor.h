#pragma once
// The thread that carries out the functions the mouse leaves to the utility: it waits for a press
// handed over by the input listener, follows the mouse's DPI level and report-rate step into the
// profile and config.ini, plays macros through the mouse, sends multimedia keys and starts the
// calculator or the terminal.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "device/channel.h"
#include "device/press_hand_over.h"
#include "platform/ini/profile_file.h"
#include "platform/system/app_directory.h"
#include "platform/system/program_launcher.h"
#include "settings/shared_settings.h"

namespace zep {

inline constexpr std::chrono::milliseconds kMinimumStepDelay{15};
inline constexpr int kHoldToRepeatPasses = 10000;
// A step that wakes later than this re-anchors the schedule, so the next gap is never shorter
// than its delay minus this much.
inline constexpr std::chrono::milliseconds kReanchorSlack{2};

// Time as the executor sees it; a test drives it by hand.
class ExecutorClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~ExecutorClock() = default;
    [[nodiscard]] virtual TimePoint Now() = 0;
    // False when shutdown cut the sleep short.
    [[nodiscard]] virtual bool SleepUntil(TimePoint deadline) = 0;
};

// The steady clock; sleeps end early only on the hand-over's shutdown.
class SteadyExecutorClock : public ExecutorClock {
  public:
    explicit SteadyExecutorClock(PressHandOver& handOver) : handOver_(handOver) {}
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    bool SleepUntil(TimePoint deadline) override { return handOver_.SleepUntil(deadline, false); }

  private:
    PressHandOver& handOver_;
};

struct ExecutorServices {
    PressHandOver& handOver;
    SharedSettings& settings;
    Channel& channel;
    ProfileFile& ini;
    AppDirectory dir;
    ProgramLauncher& launcher;
    ExecutorClock& clock;
    std::function<void()> repaint;         // may be empty; called from the executor's thread
    std::function<void(std::string)> log;  // may be empty; what was done, for the verbose log
};

class FunctionExecutor {
  public:
    explicit FunctionExecutor(ExecutorServices services);
    ~FunctionExecutor() { Stop(); }
    FunctionExecutor(const FunctionExecutor&) = delete;
    FunctionExecutor& operator=(const FunctionExecutor&) = delete;

    void Start();
    // Shuts the hand-over down, which ends any wait or step delay (a playing macro is released
    // at once), and joins. Safe to call twice.
    void Stop();

    // Carries out one press on the calling thread, exactly as the thread does.
    void Handle(const PendingPress& press);

    // Presses handled so far, and a wait for that number to reach at least count.
    [[nodiscard]] std::uint64_t HandledCount() const { return handled_.load(); }
    bool WaitUntilHandled(std::uint64_t count, std::chrono::steady_clock::time_point deadline);

  private:
    void Run();
    void PlayMacro(bool userStore, int slot, int passes);
    void Log(const std::string& text) const;

    ExecutorServices s_;
    std::thread thread_;
    std::atomic<std::uint64_t> handled_{0};
    std::mutex handledMutex_;
    std::condition_variable handledChanged_;
};

// The button whose hardware number plus 0xF0 is this code, or -1 (0xF7, say).
[[nodiscard]] int ButtonOfPressCode(std::uint8_t buttonCode);
// The number of passes a user macro plays.
[[nodiscard]] int UserMacroPasses(const MacroRecord& macro, std::int32_t macroMode);

}  // namespace zep
