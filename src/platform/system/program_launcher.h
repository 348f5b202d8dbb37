#pragma once
// Starts the desktop's calculator or terminal for the buttons that carry those functions: the
// first program of a fixed list found on PATH, detached, with a fixed argv and no shell, never
// waited for.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zep {

enum class Program { Calculator, Terminal };

struct LaunchOutcome {
    bool started = false;
    std::string detail;
};

class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    virtual LaunchOutcome Launch(Program program) = 0;
};

[[nodiscard]] std::span<const char* const> CandidatesFor(Program program);

// The first candidate that is an executable file in one of the PATH directories.
[[nodiscard]] std::optional<std::filesystem::path> FindProgram(std::span<const char* const> names,
                                                               const std::string& pathVariable);

class DesktopLauncher : public ProgramLauncher {
  public:
    LaunchOutcome Launch(Program program) override;
};

}  // namespace zep
