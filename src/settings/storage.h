#pragma once
// Profiles in config.ini: one section per profile ("Config1" ... "Config5", the applied snapshot
// "Config6", factory sections "CfgReset2" ... "CfgReset5" and "CfgReset_EN5", exports "Config7"),
// 23 decimal keys each.

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/ini/profile_file.h"
#include "settings/profile.h"

namespace zep {

inline constexpr int kAppliedSnapshotNumber = 6;
inline constexpr int kExportNumber = 7;
inline constexpr int kProfileCount = 5;

// "Config" + N, or for a factory read "CfgReset" + N ("CfgReset_EN5" for 5 in English).
[[nodiscard]] std::u16string ProfileSectionName(int number, bool factory = false,
                                                bool english = false);

// Every field from the section; missing file, section or key read as 0. Values are cut to their
// read buffers (4 characters, 9 for the DPI keys) before conversion, as the file was always read.
[[nodiscard]] MouseProfile LoadProfile(const ProfileFile& ini, const std::filesystem::path& file,
                                       int number, bool factory = false, bool english = false);

// The 23 keys of a profile section, in their fixed order.
[[nodiscard]] IniSectionEntries ProfileSectionEntries(int number, const MouseProfile& profile);
[[nodiscard]] IniSectionEntries CurrentNumberEntries(int number);

// All 23 keys, in their fixed order, as one replacement of the file.
[[nodiscard]] bool SaveProfile(ProfileFile& ini, const std::filesystem::path& file, int number,
                               const MouseProfile& profile);
[[nodiscard]] bool SaveDpiLevel(ProfileFile& ini, const std::filesystem::path& file, int number,
                                const MouseProfile& profile);
[[nodiscard]] bool SaveRateStep(ProfileFile& ini, const std::filesystem::path& file, int number,
                                const MouseProfile& profile);

struct StartupSettings {
    int profileNumber = 0;      // "CurConfig"; 0 when missing (section Config0)
    std::uint8_t language = 0;  // "VER_SEL", low 8 bits: 0 Chinese, anything else English
    [[nodiscard]] bool english() const { return language != 0; }
};
[[nodiscard]] StartupSettings ReadStartupSettings(const ProfileFile& ini,
                                                  const std::filesystem::path& configFile);
[[nodiscard]] bool WriteCurrentProfileNumber(ProfileFile& ini,
                                             const std::filesystem::path& configFile, int number);

}  // namespace zep
