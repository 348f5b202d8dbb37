#pragma once
// Where the utility's files live. A build tree or an unpacked folder with its own config.ini runs
// in place; an installed copy keeps the user's files in a per-user directory, seeded on first
// start from the installed defaults, and reads the skins from the installed data directory.

#include <filesystem>
#include <optional>
#include <string>

namespace zep {

struct AppDirectory {
    std::filesystem::path dataDirectory;  // config.ini and the macro files
    std::filesystem::path skinRoot;       // the directory that holds "skins"

    [[nodiscard]] std::filesystem::path ConfigPath() const { return dataDirectory / "config.ini"; }
    [[nodiscard]] std::filesystem::path SkinFolder() const { return skinRoot / "skins"; }
    [[nodiscard]] std::filesystem::path ConstMacroFile() const {
        return dataDirectory / "constMacro.dat";
    }
    // The user macros of a language: each language keeps its own set.
    [[nodiscard]] std::filesystem::path UserMacroFile(bool english) const {
        return dataDirectory / (english ? "Macro_EN.dat" : "Macro_CN.dat");
    }
    // The default user macros that a reset restores; part of the skin, never written.
    [[nodiscard]] std::filesystem::path DefaultMacroFile(bool english) const {
        return SkinFolder() / (english ? "INI_EN" : "INI_CN") / "defMacro.dat";
    }
};

struct AppDirectoryInputs {
    std::filesystem::path executableDirectory;
    std::optional<std::filesystem::path> xdgConfigHome;  // $XDG_CONFIG_HOME, if set and absolute
    std::optional<std::filesystem::path> home;           // $HOME
};

// The files an installation seeds into a new per-user directory.
inline constexpr const char* kSeededFiles[] = {"config.ini", "constMacro.dat"};

// Rules, in order:
// 1. The executable's directory holds config.ini and is writable: everything is there.
// 2. An installed data directory exists (<exe>/../share/zep-pelmo with config.ini): user files in
//    $XDG_CONFIG_HOME/zep-pelmo (default ~/.config/zep-pelmo), seeded with kSeededFiles that are
//    missing there; skins from the installed data directory.
// 3. Otherwise the executable's directory (the utility will report what is missing).
// Seeding failures are left for the caller to notice when it reads the files.
[[nodiscard]] AppDirectory ResolveAppDirectory(const AppDirectoryInputs& inputs);

// The inputs of this process: /proc/self/exe and the environment.
[[nodiscard]] AppDirectoryInputs CurrentAppDirectoryInputs();

// Everything in one directory (the command line's --dir, tests).
[[nodiscard]] inline AppDirectory AppDirectoryAt(const std::filesystem::path& dir) {
    return {dir, dir};
}

}  // namespace zep
