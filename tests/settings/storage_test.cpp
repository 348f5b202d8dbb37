#include <gtest/gtest.h>

#include "settings/storage.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(SaveProfile, WritesTheTwentyThreeKeysInOrderInOneReplacement) {
    TempDir dir;
    ProfileFile ini;
    MouseProfile p = DefaultProfile(1);
    p.dpiEnabled[1] = 0;
    p.buttonFunction[3] = -2;
    ASSERT_TRUE(SaveProfile(ini, dir / "config.ini", 3, p));
    EXPECT_EQ(ReadBytes(dir / "config.ini"),
              "[Config3]\r\nK0=1\r\nK1=2\r\nK2=3\r\nK3=-2\r\nK4=5\r\nK5=15\r\nK6=16\r\n"
              "DPI_LEVEL=0\r\nWHEEL_STATUS=0\r\nMACRO_MODE2=1\r\n"
              "DPI_SET0=3\r\nDPI_SET_EN0=1\r\nDPI_SET1=5\r\nDPI_SET_EN1=0\r\n"
              "DPI_SET2=6\r\nDPI_SET_EN2=1\r\nDPI_SET3=8\r\nDPI_SET_EN3=1\r\n"
              "LED_STATUS=0\r\nDPI_SPEED=4\r\nWHEEL_SPEED=2\r\nUSB_SPEED=2\r\nFIRE_TIME=50\r\n");
    EXPECT_EQ(ini.replacements(), 1u);
    EXPECT_EQ(LoadProfile(ini, dir / "config.ini", 3), p);
}

TEST(LoadProfile, ConvertsValuesAsTheyWereAlwaysRead) {
    TempDir dir;
    WriteBytes(dir / "config.ini",
               "[Config2]\r\nFIRE_TIME=12345\r\nK0= 7\r\nK1=x\r\nDPI_SET_EN0=2\r\n"
               "LED_STATUS=258\r\nDPI_SET0=1234567890123\r\nDPI_SPEED=-1\r\nK2=-12\r\n");
    ProfileFile ini;
    const MouseProfile p = LoadProfile(ini, dir / "config.ini", 2);
    EXPECT_EQ(p.fireInterval, 1234);  // four characters kept
    EXPECT_EQ(p.buttonFunction[0], 7);
    EXPECT_EQ(p.buttonFunction[1], 0);
    EXPECT_EQ(p.buttonFunction[2], -12);
    EXPECT_EQ(p.buttonFunction[3], 0);  // missing key
    EXPECT_EQ(p.dpiEnabled[0], 1);
    EXPECT_EQ(p.dpiEnabled[1], 0);
    EXPECT_EQ(p.ledEffect, 2);                  // 258 & 0xFF
    EXPECT_EQ(p.dpiStep[0], 123456789 & 0xFF);  // nine characters kept
    EXPECT_EQ(p.pointerSpeed, 255);
    ASSERT_TRUE(SaveProfile(ini, dir / "config.ini", 2, p));
    EXPECT_EQ(ini.Read(dir / "config.ini", u"Config2", u"DPI_SET_EN0", 10), u"1");

    EXPECT_EQ(LoadProfile(ini, dir / "missing.ini", 1), MouseProfile{});
}

TEST(LoadProfile, FactorySectionsFollowTheLanguage) {
    TempDir dir;
    WriteBytes(dir / "config.ini",
               "[CfgReset5]\r\nFIRE_TIME=5\r\n[CfgReset_EN5]\r\nFIRE_TIME=55\r\n"
               "[CfgReset3]\r\nFIRE_TIME=3\r\n");
    ProfileFile ini;
    const auto file = dir / "config.ini";
    EXPECT_EQ(LoadProfile(ini, file, 5, true, false).fireInterval, 5);
    EXPECT_EQ(LoadProfile(ini, file, 5, true, true).fireInterval, 55);
    EXPECT_EQ(LoadProfile(ini, file, 3, true, true).fireInterval, 3);
    EXPECT_EQ(LoadProfile(ini, file, 5).fireInterval, 0);
}

TEST(SingleKeySaves, TouchOnlyTheirKey) {
    TempDir dir;
    ProfileFile ini;
    const auto file = dir / "config.ini";
    ASSERT_TRUE(SaveProfile(ini, file, 1, DefaultProfile()));
    MouseProfile changed = DefaultProfile();
    changed.dpiLevel = 3;
    changed.rateStep = 0;
    changed.fireInterval = 99;
    ASSERT_TRUE(SaveDpiLevel(ini, file, 1, changed));
    ASSERT_TRUE(SaveRateStep(ini, file, 1, changed));
    const MouseProfile p = LoadProfile(ini, file, 1);
    EXPECT_EQ(p.dpiLevel, 3);
    EXPECT_EQ(p.rateStep, 0);
    EXPECT_EQ(p.fireInterval, 50);
}

TEST(StartupSettings, ReadsCurConfigAndLanguage) {
    const struct {
        const char* init;
        int number;
        std::uint8_t language;
    } cases[] = {
        {"CurConfig=3\r\nVER_SEL=1", 3, 1},
        {"CurConfig=12345\r\nVER_SEL=0", 1234, 0},
        {"VER_SEL=256", 0, 0},  // no CurConfig: section Config0; 256 is Chinese
        {"VER_SEL=257", 0, 1},
        {"CurConfig=x\r\nVER_SEL=abc", 0, 0},
    };
    TempDir dir;
    ProfileFile ini;
    for (const auto& c : cases) {
        WriteBytes(dir / "config.ini", std::string("[Init]\r\n") + c.init + "\r\n");
        const StartupSettings s = ReadStartupSettings(ini, dir / "config.ini");
        EXPECT_EQ(s.profileNumber, c.number) << c.init;
        EXPECT_EQ(s.language, c.language) << c.init;
    }
    ASSERT_TRUE(WriteCurrentProfileNumber(ini, dir / "config.ini", 4));
    EXPECT_EQ(ReadStartupSettings(ini, dir / "config.ini").profileNumber, 4);
}

}  // namespace
}  // namespace zep
