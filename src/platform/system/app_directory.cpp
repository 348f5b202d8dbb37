#include "platform/system/app_directory.h"

#include <unistd.h>

#include <cstdlib>

namespace zep {

namespace {

bool IsWritableDirectory(const std::filesystem::path& dir) {
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::optional<std::filesystem::path> AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return std::nullopt;
    return std::filesystem::path(value);
}

}  // namespace

AppDirectory ResolveAppDirectory(const AppDirectoryInputs& inputs) {
    namespace fs = std::filesystem;
    const fs::path& exeDir = inputs.executableDirectory;
    std::error_code ec;
    if (fs::is_regular_file(exeDir / "config.ini", ec) && IsWritableDirectory(exeDir)) {
        return AppDirectoryAt(exeDir);
    }
    const fs::path installed = (exeDir / ".." / "share" / "zep-pelmo").lexically_normal();
    const fs::path configHome = inputs.xdgConfigHome ? *inputs.xdgConfigHome
                                : inputs.home        ? *inputs.home / ".config"
                                                     : fs::path();
    if (!fs::is_regular_file(installed / "config.ini", ec) || configHome.empty()) {
        return AppDirectoryAt(exeDir);
    }
    const fs::path userDir = configHome / "zep-pelmo";
    fs::create_directories(userDir, ec);
    for (const char* name : kSeededFiles) {
        if (!fs::exists(userDir / name, ec)) {
            fs::copy_file(installed / name, userDir / name, ec);
        }
    }
    return {userDir, installed};
}

AppDirectoryInputs CurrentAppDirectoryInputs() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return {ec ? std::filesystem::current_path() : exe.parent_path(),
            AbsoluteEnv("XDG_CONFIG_HOME"), AbsoluteEnv("HOME")};
}

}  // namespace zep
