#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/ini/profile_file.h"
#include "platform/system/program_launcher.h"
#include "platform/system/x11_pointer_settings.h"
#include "support/temp_dir.h"
#include "x11_probe.h"

namespace zep {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

void WriteExecutable(const std::filesystem::path& file, std::string_view script) {
    WriteBytes(file, script);
    ::chmod(file.c_str(), 0755);
}

TEST(FindProgram, TakesTheFirstListedProgramFoundOnPath) {
    TempDir dir;
    WriteExecutable(dir / "a/xterm", "#!/bin/sh\n");
    WriteExecutable(dir / "b/konsole", "#!/bin/sh\n");
    WriteBytes(dir / "a/gnome-terminal", "not executable");
    const std::string path = (dir / "a").string() + "::" + (dir / "b").string();
    EXPECT_EQ(FindProgram(CandidatesFor(Program::Terminal), path), dir / "b/konsole");
    EXPECT_EQ(FindProgram(CandidatesFor(Program::Calculator), path), std::nullopt);
    EXPECT_EQ(FindProgram(CandidatesFor(Program::Terminal), ""), std::nullopt);
}

TEST(DesktopLauncher, StartsTheProgramDetachedWithoutAShell) {
    TempDir dir;
    const auto marker = dir / "started";
    WriteExecutable(dir / "bin/xcalc", "#!/bin/sh\necho \"$#\" > '" + marker.string() + "'\n");
    ::setenv("PATH", (dir / "bin").c_str(), 1);
    DesktopLauncher launcher;
    const LaunchOutcome outcome = launcher.Launch(Program::Calculator);
    EXPECT_TRUE(outcome.started) << outcome.detail;
    // The program runs on its own; wait for its mark (a guard, not a timing assertion).
    for (int i = 0; i < 500 && !std::filesystem::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(ReadBytes(marker), "0\n");  // no arguments
    EXPECT_FALSE(launcher.Launch(Program::Terminal).started);
}

TEST(PointerSettings, SpeedMapsOntoLibinputAccel) {
    const struct {
        int speed;
        double accel;
    } cases[] = {{10, 0.0}, {1, -0.9}, {20, 1.0}, {18, 0.8}, {0, -0.9}, {99, 1.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LibinputAccelForSpeed(c.speed), c.accel) << c.speed;
}

TEST(PointerSettings, WithoutADisplayOrADesktopSettingNothingChanges) {
    TempDir dir;
    ProfileFile ini;
    X11PointerSettings none({std::nullopt, std::string("GNOME"), dir / "kdeglobals"}, ini);
    EXPECT_EQ(none.SetPointerSpeed(8).kind, SettingOutcome::Kind::Unsupported);
    EXPECT_EQ(none.SetWheelLines(3).kind, SettingOutcome::Kind::Unsupported);
    X11PointerSettings badDisplay({std::string(":987"), std::nullopt, std::nullopt}, ini);
    EXPECT_EQ(badDisplay.SetPointerSpeed(8).kind, SettingOutcome::Kind::Unsupported);
    EXPECT_FALSE(std::filesystem::exists(dir / "kdeglobals"));
}

// A private X server on a display number it picks itself; killed on destruction.
class PrivateXServer {
  public:
    PrivateXServer() {
        const auto xvfb = FindProgram(std::array<const char*, 1>{"Xvfb"}, "/usr/bin:/bin");
        int fds[2];
        if (!xvfb || ::pipe(fds) != 0) return;
        const std::string fd = std::to_string(fds[1]);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            ::freopen("/dev/null", "w", stderr);
            // -noreset: a server that resets when its last client leaves would forget the setting.
            ::execl(xvfb->c_str(), "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset",
                    nullptr);
            ::_exit(127);
        }
        ::close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        char number[16] = {};
        if (::poll(&p, 1, 10000) == 1 && ::read(fds[0], number, sizeof number - 1) > 0) {
            display_ = ":" + std::to_string(std::atoi(number));
            ready_ = test::CanOpenDisplay(display_);
        }
        ::close(fds[0]);
    }
    ~PrivateXServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    [[nodiscard]] bool ready() const { return ready_; }
    [[nodiscard]] const std::string& display() const { return display_; }

  private:
    std::string display_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

TEST(PointerSettings, SetsThePointerAccelerationOfARealDisplay) {
    PrivateXServer server;
    if (!server.ready()) GTEST_SKIP() << "Xvfb is not available";
    ProfileFile ini;
    X11PointerSettings settings({server.display(), std::nullopt, std::nullopt}, ini);
    for (int speed : {15, 1, 10}) {
        const SettingOutcome outcome = settings.SetPointerSpeed(speed);
        EXPECT_TRUE(outcome.applied()) << outcome.detail;
        const auto accel = test::CorePointerAcceleration(server.display());
        ASSERT_TRUE(accel);
        EXPECT_EQ(accel->first * 5, speed * accel->second)
            << speed;  // Xvfb has no libinput devices
    }
}

TEST(PointerSettings, WheelLinesGoIntoKdeGlobalsKeepingTheRest) {
    TempDir dir;
    WriteBytes(dir / "kdeglobals", "[General]\nColorScheme=Breeze\n");
    ProfileFile ini;
    X11PointerSettings kde({std::nullopt, std::string("KDE"), dir / "kdeglobals"}, ini);
    EXPECT_TRUE(kde.SetWheelLines(5).applied());
    EXPECT_EQ(ReadBytes(dir / "kdeglobals"),
              "[General]\nColorScheme=Breeze\n\n[KDE]\nWheelScrollLines=5\n");
}

}  // namespace
}  // namespace zep
