// The built zep-pelmo-cli run as a user runs it, in a temporary copy of the installation.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "macros/macro_file.h"
#include "macros/macro_text.h"
#include "settings/storage.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

struct Result {
    int exitCode = -1;
    std::string out, err;
};

class Cli : public ::testing::Test {
  protected:
    Cli() {
        for (const char* f : {"config.ini", "constMacro.dat"}) {
            std::filesystem::copy_file(std::filesystem::path(ZEP_STAGE_DIR) / f, dir / f);
        }
        std::filesystem::copy(std::filesystem::path(ZEP_STAGE_DIR) / "skins", dir / "skins",
                              std::filesystem::copy_options::recursive);
    }
    Result Run(const std::string& args) {
        const std::string command =
            std::string("'") + ZEP_CLI_BINARY + "' --dir '" + dir.path().string() + "' " + args +
            " > '" + (dir / "out").string() + "' 2> '" + (dir / "err").string() + "' < /dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(dir / "out"),
                ReadBytes(dir / "err")};
    }
    Lines LogLines(const std::string& name = "log") {
        Lines lines;
        if (!std::filesystem::exists(dir / name)) return lines;
        std::string all = ReadBytes(dir / name);
        for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos;
             start = end + 1) {
            lines.push_back(all.substr(start, end - start));
        }
        return lines;
    }
    Lines Reports(const std::string& prefix) {
        Lines out;
        for (auto& l : LogLines()) {
            if (l.starts_with(prefix)) out.push_back(l);
        }
        return out;
    }
    std::string LogOption() { return "--simulate='" + (dir / "log").string() + "'"; }

    TempDir dir;
    ProfileFile ini;
};

const Lines kDefaultSequence = {
    "> 07 10 01 01 00 00 00 00 00", "> 07 10 02 02 00 00 00 00 00", "> 07 10 03 03 00 00 00 00 00",
    "> 07 10 04 04 00 00 00 00 00", "> 07 10 05 05 00 00 00 00 00", "> 07 10 08 0B 00 00 00 00 00",
    "> 07 10 06 0C 00 00 00 00 00", "> 07 11 00 00 00 00 00 00 00", "> 07 09 40 48 0F 00 00 00 00",
    "> 07 09 40 69 0F 00 00 00 00", "> 07 09 40 7A 0F 00 00 00 00", "> 07 09 40 BB 0F 00 00 00 00",
    "> 07 13 7F 10 0F 00 00 00 00", "> 07 12 00 06 00 00 00 00 00"};

TEST_F(Cli, ApplySendsTheProfileAndStoresItTwice) {
    const Result r = Run(LogOption() + " apply 1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Reports("> "), kDefaultSequence);
    EXPECT_EQ(ReadStartupSettings(ini, dir / "config.ini").profileNumber, 1);
    EXPECT_EQ(LoadProfile(ini, dir / "config.ini", 6), DefaultProfile());
    EXPECT_EQ(LoadProfile(ini, dir / "config.ini", 1), DefaultProfile());

    ASSERT_EQ(Run(LogOption() + " apply 3").exitCode, 0);
    EXPECT_EQ(ReadStartupSettings(ini, dir / "config.ini").profileNumber, 3);
    EXPECT_EQ(LoadProfile(ini, dir / "config.ini", 6), LoadProfile(ini, dir / "config.ini", 3));
}

TEST_F(Cli, PressPlaysTheButtonsUserMacroThroughTheMouse) {
    UserMacroStore macros;
    macros.count = 1;
    macros.slots[0] =
        std::get<MacroRecord>(ParseMacroLine(u"Hi | once | +LSHIFT 15, +H 15, -H 15, -LSHIFT 15"));
    ASSERT_TRUE(SaveMacroFile(ini, dir / "Macro_EN.dat", macros));
    MouseProfile p = DefaultProfile();
    p.buttonFunction[1] = 41;
    ASSERT_TRUE(SaveProfile(ini, dir / "config.ini", 1, p));

    const Result r = Run(LogOption() + " press 2 --hold 20");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Reports("> 07 15"),
              (Lines{"> 07 15 E1 00 00 00 00 00 00", "> 07 15 E1 0B 00 00 00 00 00",
                     "> 07 15 E1 00 00 00 00 00 00", "> 07 15 00 00 00 00 00 00 00",
                     "> 07 15 00 00 00 00 00 00 00"}));
    EXPECT_EQ(Reports("< "),
              (Lines{"< 06 F2 01 00 00 00 00 00 00", "< 06 F2 80 00 00 00 00 00 00"}));
    EXPECT_EQ(Reports("> ").back(),
              "> 07 20 00 00 00 00 00 00 00");  // the exit notice ends the run
    EXPECT_NE(r.out.find("key H down"), std::string::npos) << r.out;
}

TEST_F(Cli, DevicesListsTheMousesInterfaces) {
    const Result r = Run("--simulate devices");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("usage page 0xFF00 usage 0x0001  input 9 bytes"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("usage page 0xFF01 usage 0x0001  input 0 bytes, feature 9 bytes"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("The mouse is ready"), std::string::npos) << r.out;
}

TEST_F(Cli, ShowDescribesAProfileInWords) {
    const Result r = Run("show 5");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Profile 5\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Button 4: Previous track (code 26)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("4: 2400 DPI off"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("LED effect: 3 (off)"), std::string::npos) << r.out;
    const Result current = Run("show");
    EXPECT_NE(current.out.find("Profile 1 (current)"), std::string::npos) << current.out;
}

TEST_F(Cli, FailuresExplainThemselvesAndLeaveConfigUntouched) {
    WriteBytes(dir / "not-a-profile.ini", "[Config1]\r\nK0=1\r\n");
    WriteBytes(dir / "bad-macros.dat", "[Macros]\r\nmacroNum=2\r\n0=123\r\n");
    const std::string before = ReadBytes(dir / "config.ini");
    const struct {
        std::string args;
        int exitCode;
        std::string says;
    } cases[] = {
        {"apply", 1, "mouse not found"},  // no --simulate: this machine has no mouse
        {"run", 1, "mouse not found"},
        {"devices", 1, "mouse not found"},
        {"show 9", 2, "1 ... 5"},
        {"--simulate apply 0", 2, "1 ... 5"},
        {"profile import '" + (dir / "missing.ini").string() + "'", 1, "cannot read"},
        {"profile import '" + (dir / "not-a-profile.ini").string() + "'", 1, "no exported profile"},
        {"macros import '" + (dir / "bad-macros.dat").string() + "'", 1, "damaged"},
        {"macros show 1", 2, "no macro"},
        {"--simulate press 8", 1, "1 ... 7"},
        {"bogus", 2, "unknown command"},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(ReadBytes(dir / "config.ini"), before) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "Macro_EN.dat"));
}

TEST_F(Cli, ProfilesAndMacrosTravelThroughFiles) {
    ASSERT_EQ(Run("profile export '" + (dir / "p.ini").string() + "'").exitCode, 0);
    ASSERT_EQ(Run(LogOption() + " apply 4").exitCode, 0);
    const Result imported =
        Run(LogOption() + " profile import '" + (dir / "p.ini").string() + "' --apply");
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(LoadProfile(ini, dir / "config.ini", 4), DefaultProfile());  // profile 1's settings
    EXPECT_EQ(Reports("> ").back(), kDefaultSequence.back());

    ASSERT_EQ(Run("macros import '" + (dir / "skins/INI_EN/defMacro.dat").string() + "'").exitCode,
              0);
    const Result list = Run("macros list");
    EXPECT_NE(list.out.find("1. Double click"), std::string::npos) << list.out;
    const Result show = Run("macros show 3");
    EXPECT_NE(show.out.find("press    SNAPSHOT  then 30 ms"), std::string::npos) << show.out;
    ASSERT_EQ(Run("macros export '" + (dir / "copy.dat").string() + "'").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir / "copy.dat"), ReadBytes(dir / "Macro_EN.dat"));
}

TEST_F(Cli, RunCarriesOnUntilSigtermThenHandsTheMouseBack) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string log = "--simulate=" + (dir / "log").string();
        const std::string d = dir.path().string();
        ::freopen("/dev/null", "w", stdout);
        ::execl(ZEP_CLI_BINARY, ZEP_CLI_BINARY, "--dir", d.c_str(), log.c_str(), "run", nullptr);
        ::_exit(127);
    }
    struct KillOnExit {  // a failed assertion must not leave the child running
        pid_t pid;
        ~KillOnExit() {
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        }
    } guard{child};
    // Wait until the apply is done (a guard against a hung child, not a timing assertion).
    for (int i = 0; i < 3000 && Reports("> 07 12").empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(Reports("> 07 12").empty()) << "the log is written as it happens";
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    guard.pid = 0;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Reports("> ").back(), "> 07 20 00 00 00 00 00 00 00");
}

}  // namespace
}  // namespace zep
