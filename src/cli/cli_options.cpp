#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace zep::cli {

namespace {

constexpr std::array<const char*, 9> kCommands = {"devices", "show",  "apply", "run", "macros",
                                                  "profile", "reset", "press", "help"};

struct Arity {
    const char* command;
    std::size_t least, most;
};
constexpr std::array<Arity, 9> kArity = {{{"devices", 0, 0},
                                          {"show", 0, 1},
                                          {"apply", 0, 1},
                                          {"run", 0, 0},
                                          {"macros", 1, 2},
                                          {"profile", 2, 2},
                                          {"reset", 0, 0},
                                          {"press", 1, 1},
                                          {"help", 0, 0}}};

std::optional<UsageError> CheckCommand(const Options& o) {
    const auto arity = std::find_if(kArity.begin(), kArity.end(),
                                    [&](const Arity& a) { return o.command == a.command; });
    if (o.args.size() < arity->least || o.args.size() > arity->most) {
        return UsageError{"wrong number of arguments for '" + o.command + "'"};
    }
    if (o.command == "macros") {
        const std::string& sub = o.args[0];
        const bool needsArg = sub == "show" || sub == "import" || sub == "export";
        if (sub != "list" && !needsArg)
            return UsageError{"macros: list, show N, import FILE or export FILE"};
        if (needsArg != (o.args.size() == 2))
            return UsageError{"macros " + sub + ": wrong arguments"};
    }
    if (o.command == "profile" && o.args[0] != "import" && o.args[0] != "export") {
        return UsageError{"profile: import FILE [--apply] or export FILE"};
    }
    if (o.apply && !(o.command == "profile" && o.args[0] == "import")) {
        return UsageError{"--apply goes with 'profile import'"};
    }
    if (o.command == "press" && !o.simulate) {
        return UsageError{
            "press works only with --simulate: it presses a button of the simulated mouse"};
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& argv) {
    Options o;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= argv.size()) return std::nullopt;
            (void)name;
            return argv[++i];
        };
        if (a == "-h" || a == "--help") {
            o.command = "help";
        } else if (a == "-v" || a == "--verbose") {
            o.verbose = true;
        } else if (a == "--simulate") {
            o.simulate = true;
        } else if (a.starts_with("--simulate=")) {
            o.simulate = true;
            if (a.size() == 11) return UsageError{"--simulate=FILE needs a file name"};
            o.trafficLog = a.substr(11);
        } else if (a == "--dir") {
            const auto v = value("--dir");
            if (!v || v->empty()) return UsageError{"--dir needs a directory"};
            o.dir = *v;
        } else if (a == "--hold") {
            const auto v = value("--hold");
            const auto ms = v ? ParseNumber(*v, 0, 600000) : std::nullopt;
            if (!ms) return UsageError{"--hold needs milliseconds, 0 ... 600000"};
            o.holdMs = *ms;
        } else if (a == "--apply") {
            o.apply = true;
        } else if (a.starts_with("-") && a.size() > 1) {
            return UsageError{"unknown option " + a};
        } else if (o.command.empty()) {
            if (std::find(kCommands.begin(), kCommands.end(), a) == kCommands.end()) {
                return UsageError{"unknown command '" + a + "'"};
            }
            o.command = a;
        } else {
            o.args.push_back(a);
        }
    }
    if (o.command.empty()) return UsageError{"no command given"};
    if (o.command == "help") return o;
    if (auto error = CheckCommand(o)) return *error;
    return o;
}

const char* HelpText() {
    return R"(zep-pelmo-cli: the VT-K2 GAMING MOUSE from the command line

Usage: zep-pelmo-cli [options] COMMAND [arguments]

Commands:
  devices                    the mouse's HID interfaces, or why it cannot be used
  show [N]                   profile N (1 ... 5; default the current one), readable
  apply [N]                  select profile N (default the current one) and send it to the
                             mouse, with the pointer speed and wheel lines, as the window does
  run                        headless mode: apply, then carry out macros, multimedia keys and
                             programs for the mouse until it is unplugged or SIGINT/SIGTERM
  macros list                the user macros of the interface language
  macros show N              macro N (1 ... 12) with its steps
  macros import FILE         replace the user macros with those of a macro file
  macros export FILE         write the user macros to a macro file
  profile export FILE        write the current profile to FILE (section Config7)
  profile import FILE [--apply]
                             make FILE's profile the current profile (and send it)
  reset                      factory profiles and default macros, then apply when the mouse is
                             present
  press BUTTON [--hold MS]   with --simulate only: run as 'run' does, press button BUTTON
                             (1 ... 7, as 'show' numbers them) of the simulated mouse, release it
                             after MS milliseconds (default 50), wait until its function is done,
                             then end as the utility ends
  help                       this text

Options:
  --dir DIR                  the directory that holds config.ini and the macro files
                             (default: where the utility keeps them)
  --simulate[=FILE]          use the simulated mouse instead of a real one; with FILE, write its
                             traffic log there: "> 07 ..." sent to the mouse, "< 06 ..." from it
  -v, --verbose              print every report sent and received, and what the desktop settings
                             and program starts did or could not do
  -h, --help                 this text

Exit status: 0 success, 1 the operation failed (stderr says why), 2 wrong usage.
)";
}

}  // namespace zep::cli
