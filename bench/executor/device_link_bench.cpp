// Device link and executor figures on the simulated mouse, ours beside the original design
// re-created in bench_rig.h. Prints Markdown tables.
//
//   device_link_bench [latency|steps|idle|apply|all]... [--presses N] [--step-runs N]
//                     [--idle-seconds S] [--applies N]
//
// latency: a press of the simulated mouse to the first feature report of the executor (a
//          multimedia key), through the listener and the hand-over.
// steps:   1000 steps of 15 ms (four passes of 250, the largest macro holds 255 steps), per-step
//          lateness, total drift, re-anchors and the shortest gap between step reports.
// idle:    wake-ups and CPU time of the listener and the executor threads while nothing happens,
//          with the mouse present and before it is found.
// apply:   time and config.ini replacements per apply.
//
// Where two designs are compared, their runs alternate in blocks so that load from elsewhere on
// the machine falls on both alike.

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_rig.h"
#include "device/input_listener.h"
#include "settings/storage.h"

namespace zep::bench {
namespace {

using namespace std::chrono_literals;

[[noreturn]] void Fail(const std::string& what) {
    std::cerr << "device_link_bench: " << what << "\n";
    std::exit(1);
}

std::string Fixed(double v, int decimals = 1) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

// ---------------------------------------------------------------------------------------------
// 1. Press to first emulated report

// Button 3 (hardware number 4) carries a multimedia key: the executor's answer is one report.
constexpr int kKeyButton = 3;
constexpr std::uint8_t kKeyButtonNumber = ButtonHardwareIndex[kKeyButton];
constexpr std::int32_t kMultimediaFunction = 24;

void PrepareLatencyRig(Rig& rig) {
    rig.settings.With([](SettingsState& s) {
        s.session.profile.buttonFunction[kKeyButton] = kMultimediaFunction;
    });
    auto services = rig.ApplyWith();
    (void)ApplyProfile(rig.settings, services);  // from now on the mouse reports that button
}

// Presses and releases the button, timing each press to the first report that reaches the
// mouse. Presses are 3 ... 5 ms apart at random, so they fall at every phase of a 2 ms poll, and
// never inside the polling listener's pause after the previous release.
template <typename WaitHandled>
std::vector<double> PressLoop(Rig& rig, int presses, std::mt19937& rng, WaitHandled waitHandled) {
    constexpr int kWarmUp = 10;
    std::uniform_int_distribution<int> pauseMicros(3000, 5000);
    std::vector<double> latencies;
    for (int i = 0; i < kWarmUp + presses; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(pauseMicros(rng)));
        rig.backend.Arm();
        const auto pressed = Clock::now();
        if (!rig.mouse.Press(kKeyButtonNumber)) Fail("press refused");
        const auto reached = rig.backend.WaitForStamp(pressed + 5s);
        if (!reached) Fail("no report within 5 s of a press");
        if (!waitHandled(static_cast<std::uint64_t>(i + 1), pressed + 5s))
            Fail("press not handled");
        if (!rig.mouse.Release(kKeyButtonNumber)) Fail("release refused");
        if (i >= kWarmUp) latencies.push_back(Micros(*reached - pressed));
    }
    return latencies;
}

std::vector<double> LatencyOurs(int presses, std::mt19937& rng) {
    Rig rig;
    PrepareLatencyRig(rig);
    PressHandOver handOver;
    SteadyExecutorClock clock(handOver);
    FunctionExecutor executor(
        {handOver, rig.settings, rig.channel, rig.ini, rig.dir, rig.launcher, clock, {}, {}});
    InputListener listener(rig.link, handOver, [&rig] { return rig.MacroMode(); });
    executor.Start();
    listener.Start();
    auto latencies = PressLoop(rig, presses, rng, [&](std::uint64_t n, Clock::time_point deadline) {
        return executor.WaitUntilHandled(n, deadline);
    });
    listener.Stop();
    executor.Stop();
    return latencies;
}

std::vector<double> LatencyOriginal(int presses, std::mt19937& rng) {
    Rig rig;
    PrepareLatencyRig(rig);
    PressHandOver handOver;
    SteadyExecutorClock clock(handOver);
    // Not started: its Handle serves the polling loop.
    FunctionExecutor handler(
        {handOver, rig.settings, rig.channel, rig.ini, rig.dir, rig.launcher, clock, {}, {}});
    PollingExecutor executor(handOver, handler);
    PollingListener listener(rig.link, handOver, [&rig] { return rig.MacroMode(); });
    executor.Start();
    listener.Start();
    auto latencies = PressLoop(rig, presses, rng, [&](std::uint64_t n, Clock::time_point deadline) {
        return executor.WaitUntilHandled(n, deadline);
    });
    listener.Stop();
    executor.Stop();
    return latencies;
}

void RunLatency(int presses) {
    constexpr int kBlocks = 4;
    std::mt19937 rng(20240611);
    std::vector<double> ours, original;
    for (int block = 0; block < kBlocks; ++block) {
        auto a = LatencyOurs(presses / kBlocks, rng);
        ours.insert(ours.end(), a.begin(), a.end());
        auto b = LatencyOriginal(presses / kBlocks, rng);
        original.insert(original.end(), b.begin(), b.end());
    }
    std::cout << "\n### Press to first emulated report\n\n"
              << "| design | presses | min µs | p50 µs | p99 µs | max µs |\n"
              << "|---|---:|---:|---:|---:|---:|\n";
    auto row = [](const char* name, const std::vector<double>& v) {
        const Summary s = Summarize(v);
        std::cout << "| " << name << " | " << s.n << " | " << Fixed(s.min) << " | " << Fixed(s.p50)
                  << " | " << Fixed(s.p99) << " | " << Fixed(s.max) << " |\n";
    };
    row("ours: blocking hand-over", ours);
    row("original: 2 ms polls", original);
    std::cout << "\nGoal: p50 <= 50 µs, p99 <= 1000 µs.\n";
}

// ---------------------------------------------------------------------------------------------
// 2. Step timing

constexpr int kStepsPerPass = 250;
constexpr int kPasses = 4;
constexpr auto kStepDelay = 15ms;
constexpr std::uint8_t kKeyA = 4;

MacroRecord StepMacro() {
    MacroRecord m = FreedSlot();
    m.repeatEnabled = 1;
    m.repeatCount = kPasses;
    m.stepCount = kStepsPerPass;
    for (int i = 0; i < kStepsPerPass; ++i) {
        m.steps[static_cast<std::size_t>(i)] = {kKeyA, i % 2 == 0 ? kStepPress : kStepRelease};
        m.delays[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(kStepDelay.count());
    }
    return m;
}

struct StepRun {
    std::vector<double> lateness;    // µs, each wake against the time its sleep aimed at
    double driftMicros = 0;          // summed over the passes: step time minus 250 x 15 ms
    int reanchors = -1;              // -1: the design has none
    double reanchorShiftMicros = 0;  // the part of the drift that re-anchoring added
    int lateOver2ms = 0;
    double minGapMicros = 0;  // between consecutive step reports at the mouse
    double p50GapMicros = 0;
};

// Each pass sends its steps, then the two reports of the release of everything.
void GapsFromSends(const std::vector<Clock::time_point>& sends, StepRun& run) {
    constexpr std::size_t kPerPass = kStepsPerPass + 2;
    if (sends.size() != kPerPass * kPasses)
        Fail("unexpected number of reports: " + std::to_string(sends.size()));
    std::vector<double> gaps;
    for (std::size_t pass = 0; pass < kPasses; ++pass) {
        for (std::size_t i = 1; i < kStepsPerPass; ++i) {
            gaps.push_back(Micros(sends[pass * kPerPass + i] - sends[pass * kPerPass + i - 1]));
        }
    }
    const Summary s = Summarize(gaps);
    run.minGapMicros = s.min;
    run.p50GapMicros = s.p50;
}

// The steady clock, noting when each pass starts, when each sleep aimed to end and when it did,
// and how often the executor re-anchors (by the executor's own rule, on the Now() that follows a
// sleep).
class RecordingClock : public ExecutorClock {
  public:
    explicit RecordingClock(PressHandOver& handOver) : inner_(handOver) {}
    TimePoint Now() override {
        const TimePoint t = inner_.Now();
        if (slept_) {
            if (t > lastDeadline_ + kReanchorSlack) {
                ++reanchors;
                reanchorShift += t - lastDeadline_;  // the schedule moves by this much
            }
            slept_ = false;
        } else {
            passStarts.push_back(t);
        }
        return t;
    }
    bool SleepUntil(TimePoint deadline) override {
        const bool undisturbed = inner_.SleepUntil(deadline);
        wakes.emplace_back(deadline, Clock::now());
        lastDeadline_ = deadline;
        slept_ = true;
        return undisturbed;
    }

    std::vector<TimePoint> passStarts;
    std::vector<std::pair<TimePoint, TimePoint>> wakes;  // aimed at, woke
    int reanchors = 0;
    Clock::duration reanchorShift{};

  private:
    SteadyExecutorClock inner_;
    TimePoint lastDeadline_;
    bool slept_ = false;
};

StepRun StepsOurs() {
    Rig rig;
    rig.settings.With([](SettingsState& s) {
        s.session.profile.buttonFunction[1] = 41;  // user macro 1
        s.userMacros.count = 1;
        s.userMacros.slots[0] = StepMacro();
    });
    PressHandOver handOver;
    RecordingClock clock(handOver);
    FunctionExecutor executor(
        {handOver, rig.settings, rig.channel, rig.ini, rig.dir, rig.launcher, clock, {}, {}});
    rig.backend.Record(true);
    executor.Handle({static_cast<std::uint8_t>(ButtonEventBase + ButtonHardwareIndex[1]), 1});
    rig.backend.Record(false);

    if (clock.passStarts.size() != kPasses || clock.wakes.size() != kStepsPerPass * kPasses) {
        Fail("the macro did not play as planned");
    }
    StepRun run;
    for (const auto& [aimed, woke] : clock.wakes) {
        run.lateness.push_back(Micros(woke - aimed));
        run.lateOver2ms += woke - aimed > 2ms;
    }
    for (std::size_t pass = 0; pass < kPasses; ++pass) {
        const auto lastWake = clock.wakes[(pass + 1) * kStepsPerPass - 1].second;
        run.driftMicros += Micros(lastWake - (clock.passStarts[pass] + kStepsPerPass * kStepDelay));
    }
    run.reanchors = clock.reanchors;
    run.reanchorShiftMicros = Micros(clock.reanchorShift);
    GapsFromSends(rig.backend.Recorded(), run);
    return run;
}

// The original playback: send the step, then sleep its delay from the moment the sleep starts.
StepRun StepsOriginal() {
    Rig rig;
    const MacroRecord macro = StepMacro();
    StepRun run;
    rig.backend.Record(true);
    for (int pass = 0; pass < kPasses; ++pass) {
        const auto start = Clock::now();
        auto lastWake = start;
        for (int i = 0; i < macro.stepCount; ++i) {
            const auto& step = macro.steps[static_cast<std::size_t>(i)];
            (void)rig.channel.SendKeyEvent(step.code, step.direction);
            const auto delay = std::max<std::chrono::milliseconds>(
                kMinimumStepDelay,
                std::chrono::milliseconds(macro.delays[static_cast<std::size_t>(i)]));
            const auto before = Clock::now();
            std::this_thread::sleep_for(delay);
            lastWake = Clock::now();
            run.lateness.push_back(Micros(lastWake - (before + delay)));
            run.lateOver2ms += lastWake - (before + delay) > 2ms;
        }
        run.driftMicros += Micros(lastWake - (start + kStepsPerPass * kStepDelay));
        rig.channel.ReleaseAll();
    }
    rig.backend.Record(false);
    GapsFromSends(rig.backend.Recorded(), run);
    return run;
}

void RunSteps(int runs) {
    std::vector<StepRun> ours, original;
    for (int r = 0; r < runs; ++r) {
        ours.push_back(StepsOurs());
        original.push_back(StepsOriginal());
    }
    std::cout
        << "\n### Step timing: 1000 steps of 15 ms (4 passes of 250), per run\n\n"
        << "| design | run | lateness p50 µs | p99 µs | max µs | steps > 2 ms late | total drift "
           "µs "
           "| re-anchors | drift added by re-anchors µs | drift without them µs | shortest gap µs "
           "| median gap µs |\n"
        << "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    auto rows = [](const char* name, const std::vector<StepRun>& design) {
        std::vector<double> pooled, drifts;
        for (std::size_t r = 0; r < design.size(); ++r) {
            const StepRun& run = design[r];
            const Summary s = Summarize(run.lateness);
            std::cout << "| " << name << " | " << r + 1 << " | " << Fixed(s.p50) << " | "
                      << Fixed(s.p99) << " | " << Fixed(s.max) << " | " << run.lateOver2ms << " | "
                      << Fixed(run.driftMicros) << " | "
                      << (run.reanchors < 0 ? std::string("n/a") : std::to_string(run.reanchors))
                      << " | "
                      << (run.reanchors < 0 ? std::string("n/a") : Fixed(run.reanchorShiftMicros))
                      << " | " << Fixed(run.driftMicros - run.reanchorShiftMicros) << " | "
                      << Fixed(run.minGapMicros) << " | " << Fixed(run.p50GapMicros) << " |\n";
            pooled.insert(pooled.end(), run.lateness.begin(), run.lateness.end());
            drifts.push_back(run.driftMicros);
        }
        const Summary s = Summarize(pooled);
        const Summary d = Summarize(drifts);
        std::cout << "| " << name << " | all " << design.size() << " | " << Fixed(s.p50) << " | "
                  << Fixed(s.p99) << " | " << Fixed(s.max) << " |  | median " << Fixed(d.p50)
                  << " |  |  |  |  |  |\n";
    };
    rows("ours: absolute deadlines", ours);
    rows("original: relative sleeps", original);
    std::cout
        << "\nGoal: drift <= 1000 µs without re-anchors, lateness p99 <= 2000 µs. A re-anchor "
           "moves the rest of the pass by its step's lateness; the drift without them is what "
           "the schedule itself accumulates.\n";
}

// ---------------------------------------------------------------------------------------------
// 3. Idle wake-ups

std::set<int> Tasks() {
    std::set<int> tids;
    DIR* dir = opendir("/proc/self/task");
    if (dir == nullptr) Fail("cannot list /proc/self/task");
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') tids.insert(std::atoi(entry->d_name));
    }
    closedir(dir);
    return tids;
}

// The thread that start() creates, found as the one new task.
int StartedThread(const std::function<void()>& start) {
    const std::set<int> before = Tasks();
    start();
    std::this_thread::sleep_for(50ms);
    std::vector<int> added;
    for (int tid : Tasks()) {
        if (!before.contains(tid)) added.push_back(tid);
    }
    if (added.size() != 1) Fail("expected one new thread, found " + std::to_string(added.size()));
    return added.front();
}

struct TaskCounters {
    std::uint64_t switches = 0;  // voluntary and involuntary context switches
    std::uint64_t cpuNanos = 0;
};

TaskCounters ReadCounters(int tid) {
    TaskCounters c;
    const std::string base = "/proc/self/task/" + std::to_string(tid);
    std::ifstream status(base + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("voluntary_ctxt_switches:") ||
            line.starts_with("nonvoluntary_ctxt_switches:")) {
            c.switches += std::stoull(line.substr(line.find(':') + 1));
        }
    }
    std::ifstream schedstat(base + "/schedstat");
    schedstat >> c.cpuNanos;
    return c;
}

struct IdleResult {
    double listenerWakes = 0, executorWakes = 0;  // per second
    double listenerCpuMs = 0, executorCpuMs = 0;  // per second
};

IdleResult MeasureIdle(int listenerTid, int executorTid, int seconds) {
    std::this_thread::sleep_for(200ms);  // let start-up settle
    const TaskCounters l0 = ReadCounters(listenerTid), e0 = ReadCounters(executorTid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const TaskCounters l1 = ReadCounters(listenerTid), e1 = ReadCounters(executorTid);
    const double s = seconds;
    return {static_cast<double>(l1.switches - l0.switches) / s,
            static_cast<double>(e1.switches - e0.switches) / s,
            static_cast<double>(l1.cpuNanos - l0.cpuNanos) / 1e6 / s,
            static_cast<double>(e1.cpuNanos - e0.cpuNanos) / 1e6 / s};
}

IdleResult IdleOurs(bool plugged, int seconds) {
    Rig rig(plugged);
    PressHandOver handOver;
    SteadyExecutorClock clock(handOver);
    FunctionExecutor executor(
        {handOver, rig.settings, rig.channel, rig.ini, rig.dir, rig.launcher, clock, {}, {}});
    InputListener listener(rig.link, handOver, [&rig] { return rig.MacroMode(); });
    const int executorTid = StartedThread([&] { executor.Start(); });
    const int listenerTid = StartedThread([&] { listener.Start(); });
    const IdleResult result = MeasureIdle(listenerTid, executorTid, seconds);
    listener.Stop();
    executor.Stop();
    return result;
}

IdleResult IdleOriginal(bool plugged, int seconds) {
    Rig rig(plugged);
    PressHandOver handOver;
    SteadyExecutorClock clock(handOver);
    FunctionExecutor handler(
        {handOver, rig.settings, rig.channel, rig.ini, rig.dir, rig.launcher, clock, {}, {}});
    PollingExecutor executor(handOver, handler);
    PollingListener listener(rig.link, handOver, [&rig] { return rig.MacroMode(); });
    const int executorTid = StartedThread([&] { executor.Start(); });
    const int listenerTid = StartedThread([&] { listener.Start(); });
    const IdleResult result = MeasureIdle(listenerTid, executorTid, seconds);
    listener.Stop();
    executor.Stop();
    return result;
}

void RunIdle(int seconds) {
    std::cout
        << "\n### Idle wake-ups over " << seconds << " s\n\n"
        << "| design | mouse | listener wake-ups/s | executor wake-ups/s | listener CPU ms/s | "
           "executor CPU ms/s |\n"
        << "|---|---|---:|---:|---:|---:|\n";
    auto row = [](const char* name, const char* mouse, const IdleResult& r) {
        std::cout << "| " << name << " | " << mouse << " | " << Fixed(r.listenerWakes, 2) << " | "
                  << Fixed(r.executorWakes, 2) << " | " << Fixed(r.listenerCpuMs, 3) << " | "
                  << Fixed(r.executorCpuMs, 3) << " |\n";
    };
    for (const bool plugged : {true, false}) {
        const char* mouse = plugged ? "present" : "not found";
        row("ours: blocking", mouse, IdleOurs(plugged, seconds));
        row("original: 2 ms polls", mouse, IdleOriginal(plugged, seconds));
    }
    std::cout
        << "\nGoal: <= 0.1 wake-ups/s per thread. A wake-up is a context switch of the thread "
           "(voluntary or not) from /proc/self/task/<tid>/status; CPU time from schedstat.\n";
}

// ---------------------------------------------------------------------------------------------
// 4. Apply

struct ApplyRuns {
    std::vector<double> micros;
    std::vector<double> replacements;
};

void ApplyBlock(Rig& rig, bool original, int applies, ApplyRuns& out) {
    auto services = rig.ApplyWith();
    for (int i = 0; i < applies; ++i) {
        const std::uint64_t before = rig.ini.replacements();
        const auto start = Clock::now();
        if (original) {
            OriginalApplyProfile(rig.settings, services);
        } else {
            (void)ApplyProfile(rig.settings, services);
        }
        out.micros.push_back(Micros(Clock::now() - start));
        out.replacements.push_back(static_cast<double>(rig.ini.replacements() - before));
    }
}

void RunApply(int applies) {
    constexpr int kBlocks = 4;
    Rig oursRig, originalRig;
    ApplyRuns warmUp, ours, original;
    ApplyBlock(oursRig, false, 2, warmUp);
    ApplyBlock(originalRig, true, 2, warmUp);
    for (int block = 0; block < kBlocks; ++block) {
        ApplyBlock(oursRig, false, applies / kBlocks, ours);
        ApplyBlock(originalRig, true, applies / kBlocks, original);
    }
    const auto config = oursRig.dir.ConfigPath();
    std::cout
        << "\n### Apply on the simulated mouse\n\n"
        << "config.ini of " << std::filesystem::file_size(config) << " bytes on "
        << FileSystemName(config) << " (" << config.parent_path().parent_path().string()
        << "); every replacement is written, synced and renamed.\n\n"
        << "| design | applies | replacements per apply | min ms | p50 ms | p99 ms | max ms |\n"
        << "|---|---:|---:|---:|---:|---:|---:|\n";
    auto row = [](const char* name, const ApplyRuns& r) {
        const Summary t = Summarize(r.micros);
        const Summary rep = Summarize(r.replacements);
        std::cout << "| " << name << " | " << t.n << " | " << Fixed(rep.p50, 0)
                  << (rep.min != rep.max ? " (varies)" : "") << " | " << Fixed(t.min / 1000, 2)
                  << " | " << Fixed(t.p50 / 1000, 2) << " | " << Fixed(t.p99 / 1000, 2) << " | "
                  << Fixed(t.max / 1000, 2) << " |\n";
    };
    row("ours: two batch writes", ours);
    row("original: key by key", original);
    std::cout << "\nGoal: <= 2 replacements per apply.\n";
}

}  // namespace
}  // namespace zep::bench

int main(int argc, char** argv) {
    using namespace zep::bench;
    std::vector<std::string> what;
    int presses = 2000, stepRuns = 3, idleSeconds = 10, applies = 100;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> int {
            if (i + 1 >= argc) Fail(std::string(arg) + " needs a value");
            return std::atoi(argv[++i]);
        };
        if (arg == "--presses")
            presses = value();
        else if (arg == "--step-runs")
            stepRuns = value();
        else if (arg == "--idle-seconds")
            idleSeconds = value();
        else if (arg == "--applies")
            applies = value();
        else if (arg == "all")
            what = {"latency", "steps", "idle", "apply"};
        else if (arg == "latency" || arg == "steps" || arg == "idle" || arg == "apply")
            what.emplace_back(arg);
        else
            Fail("unknown argument " + std::string(arg));
    }
    if (what.empty()) what = {"latency", "steps", "idle", "apply"};
    for (const auto& w : what) {
        if (w == "latency") RunLatency(presses);
        if (w == "steps") RunSteps(stepRuns);
        if (w == "idle") RunIdle(idleSeconds);
        if (w == "apply") RunApply(applies);
        std::cout.flush();
    }
    return 0;
}
