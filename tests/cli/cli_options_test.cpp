#include <gtest/gtest.h>

#include "cli/cli_options.h"

namespace zep::cli {
namespace {

TEST(CliOptions, ParsesCommandsAndGlobalOptions) {
    auto parsed = ParseOptions(
        {"--dir", "/tmp/x", "-v", "--simulate=/tmp/log", "press", "3", "--hold", "120"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<UsageError>(parsed).message;
    const Options& o = std::get<Options>(parsed);
    EXPECT_EQ(o.command, "press");
    EXPECT_EQ(o.args, std::vector<std::string>{"3"});
    EXPECT_EQ(o.dir, std::filesystem::path("/tmp/x"));
    EXPECT_TRUE(o.simulate);
    EXPECT_EQ(o.trafficLog, std::filesystem::path("/tmp/log"));
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.holdMs, 120);

    auto import = ParseOptions({"profile", "import", "a.ini", "--apply"});
    ASSERT_TRUE(std::holds_alternative<Options>(import));
    EXPECT_TRUE(std::get<Options>(import).apply);
    EXPECT_EQ(std::get<Options>(ParseOptions({"--help"})).command, "help");
}

TEST(CliOptions, RejectsWrongUsageWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"show", "1", "2"},
        {"press", "1"},  // only with --simulate
        {"--simulate", "press"},
        {"--simulate", "press", "1", "--hold", "-5"},
        {"macros"},
        {"macros", "show"},
        {"macros", "list", "x"},
        {"macros", "delete", "1"},
        {"profile", "export"},
        {"profile", "rename", "x"},
        {"apply", "--apply"},
        {"--dir"},
        {"--simulate=", "run"},
        {"--bogus", "run"},
    };
    for (const auto& argv : bad) {
        auto parsed = ParseOptions(argv);
        EXPECT_TRUE(std::holds_alternative<UsageError>(parsed)) << ::testing::PrintToString(argv);
        if (auto* e = std::get_if<UsageError>(&parsed)) {
            EXPECT_FALSE(e->message.empty());
        }
    }
}

TEST(CliOptions, NumbersAreWholeAndInRange) {
    EXPECT_EQ(ParseNumber("3", 1, 5), 3);
    for (const char* bad : {"", "0", "6", "3x", " 3", "-1", "99999999999"}) {
        EXPECT_EQ(ParseNumber(bad, 1, 5), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace zep::cli
