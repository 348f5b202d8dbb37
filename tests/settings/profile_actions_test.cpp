#include <gtest/gtest.h>

#include "macros/macro_file.h"
#include "settings/profile_actions.h"
#include "settings/storage.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::FakePrompts;
using test::TempDir;
using test::WriteBytes;

MouseProfile Distinct() {
    MouseProfile p;
    p.buttonFunction = {41, 1, 24, 31, 39, 14, 6};
    p.dpiLevel = 2;
    p.dpiStep = {0, 4, 9, 11};
    p.dpiEnabled = {1, 0, 1, 0};
    p.wheelMode = 1;
    p.ledEffect = 3;
    p.pointerSpeed = 9;
    p.wheelSpeed = 7;
    p.rateStep = 3;
    p.fireInterval = 300;
    p.macroMode = 1;
    return p;
}

class ProfileActions : public ::testing::Test {
  protected:
    TempDir dir;
    AppDirectory app = AppDirectoryAt(dir.path());
    ProfileFile ini;
    FakePrompts prompts;
    ProfileSession session;
};

TEST_F(ProfileActions, ExportThenImportRestoresEveryField) {
    session.profile = Distinct();
    prompts.fileAnswers = {dir / "export.ini", dir / "export.ini"};
    ASSERT_TRUE(ExportProfile(session, ini, app, prompts));
    session.profile = DefaultProfile();
    EXPECT_EQ(ImportProfile(session, ini, app, prompts), ImportResult::Imported);
    EXPECT_EQ(session.profile, Distinct());
    ASSERT_EQ(prompts.dialogsShown.size(), 2u);
    EXPECT_EQ(prompts.dialogsShown[0].defaultExtension, u"ini");
    EXPECT_EQ(prompts.dialogsShown[1].filter, u"All Files(*.ini)|*.ini||");
    EXPECT_EQ(prompts.dialogsShown[1].initialDirectory, dir.path());
}

TEST_F(ProfileActions, ImportKeepsTheProfileWhenNothingUsableWasChosen) {
    WriteBytes(dir / "other.ini", "[Config1]\r\nK0=1\r\n");
    session.profile = Distinct();
    prompts.fileAnswers = {std::nullopt, dir / "other.ini", dir / "missing.ini"};
    EXPECT_EQ(ImportProfile(session, ini, app, prompts), ImportResult::Cancelled);
    EXPECT_EQ(ImportProfile(session, ini, app, prompts), ImportResult::NoProfileInFile);
    EXPECT_EQ(ImportProfile(session, ini, app, prompts), ImportResult::NoProfileInFile);
    EXPECT_EQ(session.profile, Distinct());
}

TEST_F(ProfileActions, SelectSaveAndRevertToApplied) {
    ASSERT_TRUE(SaveProfile(ini, app.ConfigPath(), 6, Distinct()));
    ASSERT_TRUE(SaveProfile(ini, app.ConfigPath(), 3, DefaultProfile()));
    SelectProfile(session, ini, app, 3);
    EXPECT_EQ(session.profileNumber, 3);
    EXPECT_EQ(session.profile, DefaultProfile());
    session.profile.fireInterval = 7;
    ASSERT_TRUE(SaveCurrentProfile(session, ini, app));
    EXPECT_EQ(LoadProfile(ini, app.ConfigPath(), 3).fireInterval, 7);
    EXPECT_EQ(ReadStartupSettings(ini, app.ConfigPath()).profileNumber, 0);  // only apply writes it

    // The mouse switched its DPI level meanwhile; cancel keeps that level in the snapshot.
    session.profile.dpiLevel = 3;
    RevertToApplied(session, ini, app);
    MouseProfile expected = Distinct();
    expected.dpiLevel = 3;
    EXPECT_EQ(session.profile, expected);
    EXPECT_EQ(session.profileNumber, 3);
}

TEST_F(ProfileActions, ResetRestoresFactoryProfilesAndTheLanguagesDefaultMacros) {
    WriteBytes(app.ConfigPath(),
               "[Init]\r\nCurConfig=5\r\nVER_SEL=1\r\n"
               "[CfgReset2]\r\nFIRE_TIME=2\r\nK0=1\r\n[CfgReset3]\r\nFIRE_TIME=3\r\n"
               "[CfgReset4]\r\nFIRE_TIME=4\r\n[CfgReset5]\r\nFIRE_TIME=5\r\n"
               "[CfgReset_EN5]\r\nFIRE_TIME=55\r\n"
               "[Config1]\r\nFIRE_TIME=111\r\n[Config5]\r\nFIRE_TIME=555\r\n");
    UserMacroStore defaults;
    defaults.count = 1;
    defaults.slots[0].SetName(u"Default");
    std::filesystem::create_directories(app.DefaultMacroFile(true).parent_path());
    ASSERT_TRUE(SaveMacroFile(ini, app.DefaultMacroFile(true), defaults));

    session.english = true;
    session.profileNumber = 5;
    session.profile = Distinct();
    UserMacroStore macros;
    macros.count = 3;
    ResetAllProfiles(session, macros, ini, app, prompts);

    EXPECT_EQ(LoadProfile(ini, app.ConfigPath(), 1), DefaultProfile(1));  // macro mode kept
    const int expectedFire[] = {0, 50, 2, 3, 4, 55};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(LoadProfile(ini, app.ConfigPath(), n).fireInterval, expectedFire[n]) << n;
    }
    EXPECT_EQ(session.profile.fireInterval, 55);
    EXPECT_EQ(macros.count, 1);
    EXPECT_EQ(macros.slots[0].Name(), u"Default");
    UserMacroStore saved;
    (void)LoadMacroFile(ini, app.UserMacroFile(true), saved, prompts);
    EXPECT_EQ(saved.count, 1);
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace zep
