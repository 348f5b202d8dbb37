#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "device/mouse_contract.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

TEST(UdevRule, GrantsTheMouseOfTheCodeToTheSeatUser) {
    const std::string rule = test::ReadBytes(ZEP_UDEV_RULE);
    char vendor[8], product[8];
    std::snprintf(vendor, sizeof vendor, "%04x", MouseVendorId);
    std::snprintf(product, sizeof product, "%04x", MouseProductId);
    const std::regex line(R"re(SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", )re"
                          R"re(ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess")re");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(rule, match, line)) << rule;
    EXPECT_EQ(match[1].str(), vendor);
    EXPECT_EQ(match[2].str(), product);
    EXPECT_NE(rule.find("ACTION==\"remove\", GOTO=\"zep_pelmo_end\""), std::string::npos);
    EXPECT_NE(rule.find("LABEL=\"zep_pelmo_end\""), std::string::npos);
}

}  // namespace
}  // namespace zep
