#include "platform/system/program_launcher.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zep {

namespace {

constexpr std::array<const char*, 6> kCalculators = {"gnome-calculator", "kcalc",     "galculator",
                                                     "qalculate-gtk",    "mate-calc", "xcalc"};
constexpr std::array<const char*, 7> kTerminals = {
    "x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal",
    "mate-terminal",       "lxterminal",     "xterm"};

}  // namespace

std::span<const char* const> CandidatesFor(Program program) {
    return program == Program::Calculator ? std::span<const char* const>(kCalculators)
                                          : std::span<const char* const>(kTerminals);
}

std::optional<std::filesystem::path> FindProgram(std::span<const char* const> names,
                                                 const std::string& pathVariable) {
    for (const char* name : names) {
        std::size_t start = 0;
        while (start <= pathVariable.size()) {
            std::size_t end = pathVariable.find(':', start);
            if (end == std::string::npos) end = pathVariable.size();
            const std::string dir = pathVariable.substr(start, end - start);
            if (!dir.empty()) {
                const std::filesystem::path candidate = std::filesystem::path(dir) / name;
                if (::access(candidate.c_str(), X_OK) == 0 &&
                    std::filesystem::is_regular_file(candidate)) {
                    return candidate;
                }
            }
            start = end + 1;
        }
    }
    return std::nullopt;
}

LaunchOutcome DesktopLauncher::Launch(Program program) {
    const char* path = std::getenv("PATH");
    const auto found = FindProgram(CandidatesFor(program), path ? path : "/usr/bin:/bin");
    if (!found) return {false, "none of the known programs is installed"};
    // Everything exec needs is prepared before fork: only async-signal-safe calls follow it.
    const std::string file = found->string();
    char* const argv[] = {const_cast<char*>(file.c_str()), nullptr};
    const pid_t child = ::fork();
    if (child < 0) return {false, std::string("fork: ") + std::strerror(errno)};
    if (child == 0) {
        // The intermediate child starts the program in its own session and ends at once, so the
        // program is adopted by init and never becomes our zombie.
        ::setsid();
        if (::fork() == 0) {
            ::execv(argv[0], argv);
            ::_exit(127);
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {true, "started " + file};
}

}  // namespace zep
