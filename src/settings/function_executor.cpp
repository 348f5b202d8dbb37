#include "settings/function_executor.h"

#include <algorithm>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "settings/apply.h"
#include "settings/storage.h"

namespace zep {

namespace {

// What one press needs from the shared settings, copied under the lock.
struct PressPlan {
    std::int32_t code = 0;
    std::int32_t macroMode = 0;
    int profileNumber = 0;
    MouseProfile profile;
    bool savedDpi = false;
    bool savedRate = false;
};

}  // namespace

int ButtonOfPressCode(std::uint8_t buttonCode) {
    for (int b = 0; b < kButtonCount; ++b) {
        if (ButtonEventBase + ButtonHardwareIndex[static_cast<std::size_t>(b)] == buttonCode)
            return b;
    }
    return -1;
}

int UserMacroPasses(const MacroRecord& macro, std::int32_t macroMode) {
    if (macroMode != 0) return kHoldToRepeatPasses;
    return macro.repeatEnabled == 0 ? 1 : macro.repeatCount;
}

FunctionExecutor::FunctionExecutor(ExecutorServices services) : s_(std::move(services)) {}

void FunctionExecutor::Start() {
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
}

void FunctionExecutor::Stop() {
    s_.handOver.Shutdown();
    if (thread_.joinable()) thread_.join();
}

void FunctionExecutor::Run() {
#ifdef __linux__
    // Step deadlines are milliseconds apart; the default 50 µs of timer slack is wasted lateness.
    (void)::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    while (const auto press = s_.handOver.WaitForPress()) {
        Handle(*press);
        // Only now: a press arriving while we were busy served as a stop request, never lost.
        s_.handOver.Clear();
        {
            std::lock_guard lock(handledMutex_);
            ++handled_;
        }
        handledChanged_.notify_all();
    }
}

bool FunctionExecutor::WaitUntilHandled(std::uint64_t count,
                                        std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(handledMutex_);
    return handledChanged_.wait_until(lock, deadline, [&] { return handled_.load() >= count; });
}

void FunctionExecutor::Handle(const PendingPress& press) {
    const int button = ButtonOfPressCode(press.buttonCode);
    if (button < 0) return;
    const auto b = static_cast<std::size_t>(button);
    const PressPlan plan = s_.settings.With([&](SettingsState& st) {
        PressPlan p;
        MouseProfile& profile = st.session.profile;
        if (st.applied.reportsDpiLevel[b]) {
            profile.dpiLevel = press.level;
            p.savedDpi = true;
        }
        if (st.applied.reportsRateStep[b]) {
            profile.rateStep = profile.rateStep >= 3 ? 0 : profile.rateStep + 1;
            p.savedRate = true;
        }
        p.code = profile.buttonFunction[b];
        p.macroMode = profile.macroMode;
        p.profileNumber = st.session.profileNumber;
        p.profile = profile;
        return p;
    });
    const auto config = s_.dir.ConfigPath();
    if (plan.savedDpi) {
        if (s_.repaint) s_.repaint();
        if (!SaveDpiLevel(s_.ini, config, plan.profileNumber, plan.profile))
            Log(s_.ini.lastError());
        Log("DPI level " + std::to_string(plan.profile.dpiLevel));
    }
    if (plan.savedRate) {
        if (s_.repaint) s_.repaint();
        if (!SaveRateStep(s_.ini, config, plan.profileNumber, plan.profile))
            Log(s_.ini.lastError());
        Log("report-rate step " + std::to_string(plan.profile.rateStep));
    }
    switch (LookupFunction(plan.code).action) {
        case SoftwareAction::UserMacro: {
            const int slot = plan.code - 41;
            const MacroRecord first = s_.settings.With([&](const SettingsState& st) {
                return st.userMacros.slots[static_cast<std::size_t>(slot)];
            });
            PlayMacro(true, slot, UserMacroPasses(first, plan.macroMode));
            break;
        }
        case SoftwareAction::ConstantMacro:
            PlayMacro(false, plan.code - 31, 1);
            break;
        case SoftwareAction::ConsumerKey:
            (void)s_.channel.Send(ConsumerKeyCommand(ConsumerUsageOf(plan.code)));
            Log("consumer key for function " + std::to_string(plan.code));
            break;
        case SoftwareAction::Calculator:
            Log(s_.launcher.Launch(Program::Calculator).detail);
            break;
        case SoftwareAction::Terminal:
            Log(s_.launcher.Launch(Program::Terminal).detail);
            break;
        case SoftwareAction::None:
            break;
    }
}

void FunctionExecutor::PlayMacro(bool userStore, int slot, int passes) {
    Log("playing " + std::string(userStore ? "user" : "constant") + " macro " +
        std::to_string(slot + 1) + ", " + std::to_string(passes) + " pass(es)");
    for (int pass = 0; pass < passes; ++pass) {
        // A fresh copy each pass: an edit or a reload never tears a pass in two.
        const MacroRecord macro = s_.settings.With([&](const SettingsState& st) {
            return userStore ? st.userMacros.slots[static_cast<std::size_t>(slot)]
                             : st.constantMacros.slots[static_cast<std::size_t>(slot)];
        });
        auto deadline = s_.clock.Now();
        for (int i = 0; i < macro.stepCount; ++i) {
            const auto& step = macro.steps[static_cast<std::size_t>(i)];
            (void)s_.channel.SendKeyEvent(step.code, step.direction);
            deadline += std::max<std::chrono::milliseconds>(
                kMinimumStepDelay,
                std::chrono::milliseconds(macro.delays[static_cast<std::size_t>(i)]));
            if (!s_.clock.SleepUntil(deadline)) {
                s_.channel.ReleaseAll();  // shutting down: leave nothing held
                return;
            }
            const auto now = s_.clock.Now();
            if (now > deadline + kReanchorSlack) deadline = now;
        }
        s_.channel.ReleaseAll();
        if (s_.handOver.StopRequested() || s_.handOver.ShuttingDown()) return;
    }
}

void FunctionExecutor::Log(const std::string& text) const {
    if (s_.log) s_.log(text);
}

}  // namespace zep
