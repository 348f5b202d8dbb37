#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_session.h"

int main(int argc, char** argv) {
    using namespace zep::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = ParseOptions(args);
    if (auto* error = std::get_if<UsageError>(&parsed)) {
        std::cerr << "zep-pelmo-cli: " << error->message << "\nTry 'zep-pelmo-cli --help'.\n";
        return kExitUsage;
    }
    CliSession session(std::get<Options>(std::move(parsed)), std::cout, std::cerr);
    return session.Run();
}
