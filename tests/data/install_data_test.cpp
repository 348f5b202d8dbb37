#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "macros/macro_file.h"
#include "settings/storage.h"
#include "support/fakes.h"

namespace zep {
namespace {

const std::filesystem::path kStage = ZEP_STAGE_DIR;
const std::filesystem::path kFactoryConfig =
    std::filesystem::path(ZEP_SOURCE_DIR) / "data/config.ini";

// Every profile a user can get from the shipped file must be usable as it is applied.
void ExpectUsable(const MouseProfile& p, const std::string& where) {
    EXPECT_NE(std::find(p.buttonFunction.begin(), p.buttonFunction.end(), 1),
              p.buttonFunction.end())
        << where << ": no left click";
    for (auto code : p.buttonFunction) {
        EXPECT_TRUE(code >= 0 && code <= 54) << where;
        EXPECT_TRUE(code != 0 && (code < 7 || code > 10) && (code < 18 || code > 20) && code < 53)
            << where << ": button without function " << code;
    }
    ASSERT_TRUE(p.dpiLevel >= 0 && p.dpiLevel < 4) << where;
    EXPECT_EQ(p.dpiEnabled[static_cast<std::size_t>(p.dpiLevel)], 1) << where;
    for (auto step : p.dpiStep) EXPECT_LT(step, 12) << where;
    EXPECT_LE(p.ledEffect, 3) << where;
    EXPECT_LE(p.pointerSpeed, 9) << where;
    EXPECT_LE(p.wheelSpeed, 9) << where;
    EXPECT_LE(p.rateStep, 3) << where;
    EXPECT_TRUE(p.fireInterval >= 0 && p.fireInterval <= 300) << where;
    EXPECT_TRUE(p.macroMode == 0 || p.macroMode == 1) << where;
}

TEST(InstallData, ConfigStartsOnAUsableProfileAndEveryFactoryProfileIsUsable) {
    ProfileFile ini;
    const StartupSettings start = ReadStartupSettings(ini, kFactoryConfig);
    EXPECT_TRUE(start.profileNumber >= 1 && start.profileNumber <= 5);
    EXPECT_EQ(LoadProfile(ini, kFactoryConfig, 1), DefaultProfile());
    for (int n = 1; n <= 5; ++n) {
        ExpectUsable(LoadProfile(ini, kFactoryConfig, n), "Config" + std::to_string(n));
    }
    for (int n = 2; n <= 5; ++n) {
        for (bool english : {false, true}) {
            ASSERT_TRUE(
                ini.Snapshot(kFactoryConfig).HasSection(ProfileSectionName(n, true, english)));
            const MouseProfile factory = LoadProfile(ini, kFactoryConfig, n, true, english);
            ExpectUsable(factory, "factory " + std::to_string(n));
            EXPECT_EQ(factory, LoadProfile(ini, kFactoryConfig, n))
                << "Config" << n << " starts as factory";
        }
    }
}

// A macro leaves no key or button held: every press is released later in the same pass.
void ExpectBalanced(const MacroRecord& m) {
    std::multiset<int> held;
    for (int i = 0; i < m.stepCount; ++i) {
        const auto& s = m.steps[static_cast<std::size_t>(i)];
        if (s.direction == kStepPress) {
            held.insert(s.code);
        } else {
            ASSERT_EQ(s.direction, kStepRelease);
            ASSERT_TRUE(held.count(s.code)) << "release without press";
            held.erase(held.find(s.code));
        }
        EXPECT_GE(m.delays[static_cast<std::size_t>(i)], 15);
    }
    EXPECT_TRUE(held.empty());
}

TEST(InstallData, MacroFilesLoadAndEveryMacroReleasesWhatItPresses) {
    ProfileFile ini;
    test::FakePrompts prompts;
    ConstantMacroStore constants;
    (void)LoadMacroFile(ini, kStage / "constMacro.dat", constants, prompts);
    EXPECT_EQ(constants.count, 8);  // the function codes 31 ... 38
    for (int i = 0; i < constants.count; ++i)
        ExpectBalanced(constants.slots[static_cast<std::size_t>(i)]);
    for (const char* file : {"skins/INI_EN/defMacro.dat", "skins/INI_CN/defMacro.dat"}) {
        UserMacroStore user;
        (void)LoadMacroFile(ini, kStage / file, user, prompts);
        EXPECT_GE(user.count, 3) << file;
        for (int i = 0; i < user.count; ++i)
            ExpectBalanced(user.slots[static_cast<std::size_t>(i)]);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace zep
