#include <gtest/gtest.h>

#include "device/input_listener.h"
#include "settings/function_executor.h"
#include "settings/storage.h"
#include "sim_rig.h"

namespace zep {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using ms = std::chrono::milliseconds;

// Virtual time: every sleep ends at once at its deadline (plus any lateness a test injects), and
// a hook lets a test act between steps, as a person would while a macro plays.
class FakeClock : public ExecutorClock {
  public:
    explicit FakeClock(PressHandOver& handOver) : handOver_(handOver) {}
    TimePoint Now() override { return now_; }
    bool SleepUntil(TimePoint deadline) override {
        sleeps.push_back(std::chrono::duration_cast<ms>(deadline - origin));
        if (onSleep) onSleep(sleeps.size());
        now_ = std::max(now_, deadline) + lateness;
        lateness = 0ms;
        return !handOver_.ShuttingDown();
    }
    void Advance(ms d) { now_ += d; }

    const TimePoint origin = TimePoint(1h);
    std::vector<ms> sleeps;
    ms lateness = 0ms;
    std::function<void(std::size_t)> onSleep;

  private:
    PressHandOver& handOver_;
    TimePoint now_ = origin;
};

MacroRecord MacroOf(
    std::initializer_list<std::tuple<std::uint8_t, std::uint8_t, std::uint16_t>> steps,
    std::uint8_t repeatEnabled = 0, std::uint16_t repeatCount = 1) {
    MacroRecord m = FreedSlot();
    m.repeatEnabled = repeatEnabled;
    m.repeatCount = repeatCount;
    for (const auto& [code, direction, delay] : steps) {
        m.steps[m.stepCount] = {code, direction};
        m.delays[m.stepCount++] = delay;
    }
    return m;
}

const MacroRecord kTypeA = MacroOf({{4, kStepPress, 5}, {4, kStepRelease, 40}, {5, kStepPress, 0}});

class Executor : public ::testing::Test {
  protected:
    Executor() {
        rig.pause = [this](ms d) { clock.Advance(d); };
        rig.settings.With([](SettingsState& s) {
            s.session.profile = DefaultProfile();
            s.session.profileNumber = 3;
            s.session.profile.buttonFunction = {1, 41, 31, 24, 14, 15, 39};
            s.applied = AppliedStateOf(s.session.profile);
            s.userMacros.count = 1;
            s.userMacros.slots[0] = kTypeA;
            s.constantMacros.count = 1;
            s.constantMacros.slots[0] = MacroOf({{6, kStepPress, 20}, {6, kStepRelease, 20}});
        });
    }
    // The press of button b as the listener hands it over (to an idle executor).
    PendingPress Press(int b, std::uint8_t level = 1) {
        handOver.Clear();
        const auto code =
            static_cast<std::uint8_t>(0xF0 + ButtonHardwareIndex[static_cast<std::size_t>(b)]);
        EXPECT_TRUE(handOver.TryPublishPress(code, level));
        return handOver.Press();
    }
    // Passes end with the release of everything; these macros use no mouse buttons, so every
    // button report is such a release.
    std::size_t ReleaseCount() {
        std::size_t n = 0;
        for (const auto& line : rig.mouse.Log().Reports()) n += line.starts_with("> 07 16");
        return n;
    }

    test::SimRig rig;
    PressHandOver handOver;
    FakeClock clock{handOver};
    test::FakeLauncher launcher;
    FunctionExecutor executor{{handOver,
                               rig.settings,
                               rig.channel,
                               rig.ini,
                               rig.dir,
                               launcher,
                               clock,
                               [this] { ++rig.repaints; },
                               {}}};
};

TEST_F(Executor, PlaysAUserMacroWithTheMinimumStepDelay) {
    executor.Handle(Press(1));
    EXPECT_EQ(clock.sleeps, (std::vector<ms>{15ms, 55ms, 70ms}));
    EXPECT_EQ(rig.mouse.HostEvents(), (Lines{"key A down", "key A up", "key B down", "key B up"}));
    EXPECT_EQ(ReleaseCount(), 1u);
}

TEST_F(Executor, RepeatsAsManyPassesAsTheMacroSaysUnlessStopped) {
    rig.settings.With([](SettingsState& s) {
        s.userMacros.slots[0] = MacroOf({{4, kStepPress, 20}, {4, kStepRelease, 20}}, 1, 3);
    });
    executor.Handle(Press(1));
    EXPECT_EQ(ReleaseCount(), 3u);

    clock.onSleep = [&](std::size_t n) {
        if (n == 7) {
            EXPECT_TRUE(handOver.RequestStop());  // a second press, in the middle of pass 1
        }
    };
    executor.Handle(Press(1));
    EXPECT_EQ(ReleaseCount(), 4u);  // the pass ran to its end, then stopped
}

TEST_F(Executor, HoldToRepeatPlaysUntilTheStopAndConstantMacrosStillOnce) {
    rig.settings.With([](SettingsState& s) { s.session.profile.macroMode = 1; });
    clock.onSleep = [&](std::size_t n) {
        if (n == 3 * 4) handOver.RequestStop();  // let go during pass 4
    };
    executor.Handle(Press(1));
    EXPECT_EQ(ReleaseCount(), 4u);

    clock.onSleep = {};
    executor.Handle(Press(2));
    EXPECT_EQ(ReleaseCount(), 5u);
    EXPECT_EQ(UserMacroPasses(kTypeA, 1), 10000);
    EXPECT_EQ(UserMacroPasses(MacroOf({}, 1, 0), 0), 0);
}

TEST_F(Executor, FollowsTheMousesDpiLevelAndRateStepIntoTheCurrentSection) {
    executor.Handle(Press(5, 2));  // DPI function: the level comes with the press
    EXPECT_TRUE(rig.mouse.Log().Reports().empty());
    EXPECT_EQ(rig.settings.Copy().session.profile.dpiLevel, 2);
    EXPECT_EQ(rig.ini.Read(rig.dir.ConfigPath(), u"Config3", u"DPI_LEVEL", 5), u"2");

    rig.settings.With([](SettingsState& s) { s.session.profile.rateStep = 3; });
    executor.Handle(Press(4));
    EXPECT_EQ(rig.settings.Copy().session.profile.rateStep, 0);
    EXPECT_EQ(rig.ini.Read(rig.dir.ConfigPath(), u"Config3", u"USB_SPEED", 5), u"0");
    EXPECT_EQ(rig.repaints, 2);
}

TEST_F(Executor, MultimediaProgramsAndUnknownButtons) {
    executor.Handle(Press(3));
    EXPECT_EQ(rig.mouse.Log().Reports(), (Lines{"> 07 17 00 E9 00 00 00 00 00"}));
    EXPECT_EQ(rig.mouse.HostEvents(), (Lines{"consumer 0x00E9"}));
    executor.Handle(Press(6));
    EXPECT_EQ(launcher.launched, (std::vector<Program>{Program::Calculator}));
    executor.Handle({0xF7, 1});  // no button has hardware number 7
    executor.Handle({0xF0, 1});
    EXPECT_EQ(rig.mouse.Log().Reports().size(), 1u);
    EXPECT_EQ(clock.sleeps.size(), 0u);
}

TEST_F(Executor, UsesTheCodesInMemoryEvenBeforeTheyAreApplied) {
    rig.settings.With([](SettingsState& s) { s.session.profile.buttonFunction[3] = 31; });
    executor.Handle(Press(3));
    EXPECT_EQ(rig.mouse.HostEvents(), (Lines{"key C down", "key C up"}));
}

TEST_F(Executor, ALateWakeReanchorsSoNoGapIsCutShort) {
    rig.settings.With([](SettingsState& s) {
        s.userMacros.slots[0] =
            MacroOf({{4, kStepPress, 20}, {4, kStepRelease, 20}, {5, kStepPress, 20}});
    });
    clock.onSleep = [&](std::size_t n) {
        if (n == 1) clock.lateness = 9ms;  // the first step wakes 9 ms late
    };
    executor.Handle(Press(1));
    // Without re-anchoring the second deadline would be 40 ms: a gap of 11 ms after the late wake.
    EXPECT_EQ(clock.sleeps, (std::vector<ms>{20ms, 49ms, 69ms}));
}

TEST_F(Executor, ShutdownEndsALongPlaybackAndReleasesEverything) {
    rig.settings.With([](SettingsState& s) { s.session.profile.macroMode = 1; });
    clock.onSleep = [&](std::size_t n) {
        if (n == 6) handOver.Shutdown();  // while B is held, in pass 2
    };
    executor.Handle(Press(1));
    EXPECT_EQ(clock.sleeps.size(), 6u);
    const Lines events = rig.mouse.HostEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "key B up");
}

// The real threads: a press of the simulated mouse travels through the listener to the executor
// and its macro comes back to the host; letting go ends a hold-to-repeat playback after its pass,
// and Stop() ends one and joins.
TEST(ExecutorThreads, APressIsPlayedAndStopJoinsMidMacro) {
    test::SimRig rig;
    rig.pause = [](ms d) { std::this_thread::sleep_for(d); };
    rig.settings.With([](SettingsState& s) {
        s.session.profile = DefaultProfile();
        s.session.profile.buttonFunction[1] = 41;
        s.userMacros.count = 1;
        s.userMacros.slots[0] = MacroOf({{4, kStepPress, 15}, {4, kStepRelease, 15}});
    });
    auto services = rig.ApplyWith();
    (void)ApplyProfile(rig.settings, services);
    PressHandOver handOver;
    SteadyExecutorClock clock(handOver);
    test::FakeLauncher launcher;
    FunctionExecutor executor(
        {handOver, rig.settings, rig.channel, rig.ini, rig.dir, launcher, clock, {}, {}});
    InputListener listener(rig.link, handOver, [&] {
        return static_cast<std::uint32_t>(rig.settings.Copy().session.profile.macroMode);
    });
    executor.Start();
    listener.Start();

    ASSERT_TRUE(rig.mouse.Press(2));
    ASSERT_TRUE(rig.mouse.Release(2));
    ASSERT_TRUE(executor.WaitUntilHandled(1, std::chrono::steady_clock::now() + 10s));
    EXPECT_EQ(rig.mouse.HostEvents(), (Lines{"key A down", "key A up"}));

    rig.settings.With([](SettingsState& s) { s.session.profile.macroMode = 1; });
    ASSERT_TRUE(rig.mouse.Press(2));  // held: repeats until released
    while (rig.mouse.HostEvents().size() < 6) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(rig.mouse.Release(2));
    ASSERT_TRUE(executor.WaitUntilHandled(2, std::chrono::steady_clock::now() + 10s));
    const std::size_t afterRelease = rig.mouse.HostEvents().size();
    EXPECT_EQ(rig.mouse.HostEvents().back(), "key A up");
    EXPECT_EQ(afterRelease % 2, 0u);  // whole passes only

    ASSERT_TRUE(rig.mouse.Press(2));  // held again, then the utility ends mid-playback
    while (rig.mouse.HostEvents().size() < afterRelease + 4) std::this_thread::sleep_for(1ms);
    executor.Stop();
    listener.Stop();
    EXPECT_EQ(rig.mouse.HostEvents().back(), "key A up");
}

}  // namespace
}  // namespace zep
