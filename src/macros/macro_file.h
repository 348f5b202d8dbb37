#pragma once
// Macro files: INI files with section "Macros", key "macroNum" and one key per macro ("0", "1",
// ...) holding the record as 1064 three-digit byte groups (3192 digits). Step codes are stored
// as Windows virtual-key codes.

#include <filesystem>
#include <string>
#include <string_view>

#include "macros/macro_record.h"
#include "platform/ini/profile_file.h"
#include "platform/system/user_prompts.h"

namespace zep {

inline constexpr int kMacroGroups = 1064;
inline constexpr int kMacroDigits = kMacroGroups * 3;

[[nodiscard]] std::u16string EncodeMacroRecord(const MacroRecord& record);
// Reads groups as far as the text goes: missing groups read 0, a damaged group the number its
// leading digits form (low 8 bits). Decodes onto `into`, so callers decide what a short text
// leaves behind.
void DecodeMacroRecord(std::u16string_view digits, MacroRecord& into);

struct MacroFileResult {
    bool fileFound = false;
    int declared = 0;  // "macroNum" as the file says it
    int loaded = 0;    // how many slots were filled (never more than the store holds)
};

// Replaces the store's count and its first slots from the file; slots past the count are left as
// they were. A missing file shows "找不到配置文件" and empties the store. A count above the
// store's size loads what fits; a negative count loads nothing.
MacroFileResult LoadMacroFile(const ProfileFile& ini, const std::filesystem::path& file,
                              UserMacroStore& store, UserPrompts& prompts);
MacroFileResult LoadMacroFile(const ProfileFile& ini, const std::filesystem::path& file,
                              ConstantMacroStore& store, UserPrompts& prompts);

// Writes "macroNum" and every macro of the store as one replacement of the file. Keys past the
// count that the file already held stay (readers ignore them).
[[nodiscard]] bool SaveMacroFile(ProfileFile& ini, const std::filesystem::path& file,
                                 const UserMacroStore& store);

}  // namespace zep
