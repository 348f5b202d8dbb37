#include <gtest/gtest.h>

#include "platform/system/app_directory.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(AppDirectory, RunsInPlaceWhereTheExecutableHasItsOwnConfig) {
    TempDir dir;
    WriteBytes(dir / "config.ini", "[Init]\r\n");
    const AppDirectory app = ResolveAppDirectory({dir.path(), dir / "xdg", dir / "home"});
    EXPECT_EQ(app.ConfigPath(), dir / "config.ini");
    EXPECT_EQ(app.SkinFolder(), dir / "skins");
    EXPECT_EQ(app.UserMacroFile(true), dir / "Macro_EN.dat");
    EXPECT_EQ(app.UserMacroFile(false), dir / "Macro_CN.dat");
    EXPECT_EQ(app.ConstMacroFile(), dir / "constMacro.dat");
    EXPECT_EQ(app.DefaultMacroFile(false), dir / "skins/INI_CN/defMacro.dat");
}

TEST(AppDirectory, AnInstalledCopySeedsAPerUserDirectoryOnceAndKeepsUserFiles) {
    TempDir dir;
    const auto share = dir / "usr/share/zep-pelmo";
    WriteBytes(share / "config.ini", "factory");
    WriteBytes(share / "constMacro.dat", "constants");
    std::filesystem::create_directories(dir / "usr/bin");
    const AppDirectoryInputs inputs{dir / "usr/bin", std::nullopt, dir / "home"};

    const AppDirectory first = ResolveAppDirectory(inputs);
    EXPECT_EQ(first.dataDirectory, dir / "home/.config/zep-pelmo");
    EXPECT_EQ(first.SkinFolder(), share / "skins");
    EXPECT_EQ(ReadBytes(first.ConfigPath()), "factory");

    WriteBytes(first.ConfigPath(), "mine");
    const AppDirectory second = ResolveAppDirectory(inputs);
    EXPECT_EQ(ReadBytes(second.ConfigPath()), "mine");

    const AppDirectory xdg = ResolveAppDirectory({dir / "usr/bin", dir / "xdg", dir / "home"});
    EXPECT_EQ(xdg.dataDirectory, dir / "xdg/zep-pelmo");
}

TEST(AppDirectory, FallsBackToTheExecutableDirectory) {
    TempDir dir;
    EXPECT_EQ(ResolveAppDirectory({dir.path(), std::nullopt, dir / "home"}).dataDirectory,
              dir.path());
}

}  // namespace
}  // namespace zep
