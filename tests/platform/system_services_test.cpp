#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/ini/profile_file.h"
#include "platform/system/program_launcher.h"
#include "platform/system/x11_pointer_settings.h"
#include "support/temp_dir.h"

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
