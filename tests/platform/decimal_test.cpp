#include <gtest/gtest.h>

#include <climits>

#include "platform/ini/decimal.h"

namespace zep {
namespace {

TEST(ParseDecimal, FollowsTheDocumentedRules) {
    const struct {
        std::u16string_view text;
        std::int32_t expected;
    } cases[] = {
        {u"", 0},
        {u"x", 0},
        {u"7", 7},
        {u" 7", 7},
        {u"\t 12", 12},
        {u"-3", -3},
        {u"+5", 5},
        {u"7x", 7},
        {u"1234", 1234},
        {u"- 3", 0},
        {u"--3", 0},
        {u"0042", 42},
        {u"2147483647", INT_MAX},
        {u"2147483648", INT_MAX},
        {u"-2147483648", INT_MIN},
        {u"-99999999999999999999", INT_MIN},
        {u"99999999999999999999", INT_MAX},
        {u"\u0661", 0},  // Arabic-Indic digit is no digit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.expected)
            << "text: " << std::string(c.text.begin(), c.text.end());
    }
}

TEST(FormatDecimal, IsPercentD) {
    EXPECT_EQ(FormatDecimal(0), u"0");
    EXPECT_EQ(FormatDecimal(-17), u"-17");
    EXPECT_EQ(FormatDecimal(255), u"255");
}

}  // namespace
}  // namespace zep
