#pragma once
// What the profile buttons do to memory and to config.ini: select, save, cancel, import, export
// and reset. Sending to the mouse is the caller's next step where an action needs it.

#include <filesystem>

#include "macros/macro_record.h"
#include "platform/ini/profile_file.h"
#include "platform/system/app_directory.h"
#include "platform/system/user_prompts.h"
#include "settings/profile.h"

namespace zep {

// The in-memory settings the actions work on.
struct ProfileSession {
    MouseProfile profile;
    int profileNumber = 0;
    bool english = false;
};

// Loads profile N; "CurConfig" changes only at the next apply.
void SelectProfile(ProfileSession& s, const ProfileFile& ini, const AppDirectory& dir, int number);
[[nodiscard]] bool SaveCurrentProfile(const ProfileSession& s, ProfileFile& ini,
                                      const AppDirectory& dir);
// The storage part of cancel: the applied snapshot takes the DPI level the mouse uses now, then
// becomes the in-memory profile again. The profile number is kept.
void RevertToApplied(ProfileSession& s, ProfileFile& ini, const AppDirectory& dir);

enum class ImportResult { Cancelled, Imported, NoProfileInFile };
inline constexpr char16_t kProfileFileFilter[] = u"All Files(*.ini)|*.ini||";

// Import from a chosen file's exported section. A file without that section changes nothing: an
// all-zero profile would leave the mouse without a left click once applied.
[[nodiscard]] ImportResult ImportProfileFrom(ProfileSession& s, const ProfileFile& ini,
                                             const std::filesystem::path& file);
[[nodiscard]] bool ExportProfileTo(const ProfileSession& s, ProfileFile& ini,
                                   const std::filesystem::path& file);
// The same, with the file chosen through the prompts (starting in the application directory).
[[nodiscard]] ImportResult ImportProfile(ProfileSession& s, const ProfileFile& ini,
                                         const AppDirectory& dir, UserPrompts& prompts);
[[nodiscard]] bool ExportProfile(const ProfileSession& s, ProfileFile& ini, const AppDirectory& dir,
                                 UserPrompts& prompts);

// Factory profiles into config.ini (profile 1 the built-in default, 2 ... 5 from the factory
// sections), the current profile reloaded, and the language's default macros loaded into the user
// store and saved as the user's macro file. The caller then refreshes the macro list and applies.
void ResetAllProfiles(ProfileSession& s, UserMacroStore& macros, ProfileFile& ini,
                      const AppDirectory& dir, UserPrompts& prompts);

}  // namespace zep
