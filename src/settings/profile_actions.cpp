#include "settings/profile_actions.h"

#include "macros/macro_file.h"
#include "settings/storage.h"

namespace zep {

void SelectProfile(ProfileSession& s, const ProfileFile& ini, const AppDirectory& dir, int number) {
    s.profileNumber = number;
    s.profile = LoadProfile(ini, dir.ConfigPath(), number);
}

bool SaveCurrentProfile(const ProfileSession& s, ProfileFile& ini, const AppDirectory& dir) {
    return SaveProfile(ini, dir.ConfigPath(), s.profileNumber, s.profile);
}

void RevertToApplied(ProfileSession& s, ProfileFile& ini, const AppDirectory& dir) {
    (void)SaveDpiLevel(ini, dir.ConfigPath(), kAppliedSnapshotNumber, s.profile);
    s.profile = LoadProfile(ini, dir.ConfigPath(), kAppliedSnapshotNumber);
}

ImportResult ImportProfileFrom(ProfileSession& s, const ProfileFile& ini,
                               const std::filesystem::path& file) {
    if (!ini.Snapshot(file).HasSection(ProfileSectionName(kExportNumber))) {
        return ImportResult::NoProfileInFile;
    }
    s.profile = LoadProfile(ini, file, kExportNumber);
    return ImportResult::Imported;
}

bool ExportProfileTo(const ProfileSession& s, ProfileFile& ini, const std::filesystem::path& file) {
    return SaveProfile(ini, file, kExportNumber, s.profile);
}

ImportResult ImportProfile(ProfileSession& s, const ProfileFile& ini, const AppDirectory& dir,
                           UserPrompts& prompts) {
    const auto file = prompts.ChooseOpenFile({kProfileFileFilter, dir.dataDirectory, u""});
    if (!file) return ImportResult::Cancelled;
    return ImportProfileFrom(s, ini, *file);
}

bool ExportProfile(const ProfileSession& s, ProfileFile& ini, const AppDirectory& dir,
                   UserPrompts& prompts) {
    const auto file = prompts.ChooseSaveFile({kProfileFileFilter, dir.dataDirectory, u"ini"});
    return file && ExportProfileTo(s, ini, *file);
}

void ResetAllProfiles(ProfileSession& s, UserMacroStore& macros, ProfileFile& ini,
                      const AppDirectory& dir, UserPrompts& prompts) {
    const auto config = dir.ConfigPath();
    s.profile = DefaultProfile(s.profile.macroMode);
    (void)SaveProfile(ini, config, 1, s.profile);
    for (int n = kProfileCount; n >= 2; --n) {
        s.profile = LoadProfile(ini, config, n, /*factory=*/true, s.english);
        (void)SaveProfile(ini, config, n, s.profile);
    }
    s.profile = LoadProfile(ini, config, s.profileNumber);
    (void)LoadMacroFile(ini, dir.DefaultMacroFile(s.english), macros, prompts);
    (void)SaveMacroFile(ini, dir.UserMacroFile(s.english), macros);
}

}  // namespace zep
