#include <gtest/gtest.h>

#include "macros/macro_text.h"

namespace zep {
namespace {

TEST(MacroText, ParsesAndFormatsTheSameLine) {
    const std::u16string line =
        u"Copy | repeat 3 | +LCONTROL 30, +C 5, -C 30, - '  40, -LCONTROL 0";
    auto parsed = ParseMacroLine(line);
    ASSERT_TRUE(std::holds_alternative<MacroRecord>(parsed))
        << std::get<MacroTextError>(parsed).message;
    const MacroRecord& r = std::get<MacroRecord>(parsed);
    EXPECT_EQ(r.Name(), u"Copy");
    EXPECT_EQ(r.repeatEnabled, 1);
    EXPECT_EQ(r.repeatCount, 3);
    ASSERT_EQ(r.stepCount, 5);
    EXPECT_EQ(r.steps[0], (MacroStep{224, kStepPress}));
    EXPECT_EQ(r.steps[1], (MacroStep{6, kStepPress}));
    EXPECT_EQ(r.steps[3], (MacroStep{52, kStepRelease}));  // the name " ' " has blanks
    EXPECT_EQ(r.delays[1], 5);
    EXPECT_EQ(FormatMacroLine(r), line);
}

TEST(MacroText, RejectsMalformedLinesWithAReason) {
    const std::u16string_view bad[] = {
        u"no separators",
        u"Name | sometimes | +A 30",
        u"Name | repeat 0 | +A 30",
        u"Name | once | A 30",
        u"Name | once | +A",
        u"Name | once | +A 70000",
        u"Name | once | +NOSUCHKEY 30",
        u"Name | once | +NON-AVAILABLE 30",
        u"A name of twenty chars | once |",
        u" | once | +A 30",
    };
    for (auto line : bad) {
        auto parsed = ParseMacroLine(line);
        ASSERT_TRUE(std::holds_alternative<MacroTextError>(parsed))
            << std::string(line.begin(), line.end());
        EXPECT_FALSE(std::get<MacroTextError>(parsed).message.empty());
    }
    auto empty = ParseMacroLine(u"Empty | once |");
    ASSERT_TRUE(std::holds_alternative<MacroRecord>(empty));
    EXPECT_EQ(std::get<MacroRecord>(empty).stepCount, 0);
}

}  // namespace
}  // namespace zep
