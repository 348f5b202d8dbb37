#pragma once
// The command line of zep-pelmo-cli, parsed without side effects.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zep::cli {

struct Options {
    std::string command;  // devices, show, apply, run, macros, profile, reset, press, help
    std::vector<std::string> args;  // the command's own words
    std::optional<std::filesystem::path> dir;
    bool simulate = false;
    std::optional<std::filesystem::path> trafficLog;  // --simulate=FILE
    bool verbose = false;
    int holdMs = 50;     // press --hold
    bool apply = false;  // profile import --apply
};

struct UsageError {
    std::string message;
};

[[nodiscard]] std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& argv);

// A whole number in [low, high], or nullopt.
[[nodiscard]] std::optional<int> ParseNumber(const std::string& text, int low, int high);

[[nodiscard]] const char* HelpText();

}  // namespace zep::cli
