#pragma once
// Readable text of profiles and macros for the command line.

#include <array>
#include <string>

#include "macros/macro_record.h"
#include "settings/profile.h"

namespace zep::cli {

// What the command line calls things: the skin's English function names where the skin could be
// read (empty entries otherwise), and the macros.
struct NameSources {
    std::array<std::u16string, kFunctionCodeCount> skinNames;
    UserMacroStore user;
    ConstantMacroStore constants;
};

// The name a button's function goes by; macros by their own names.
[[nodiscard]] std::string FunctionName(std::int32_t code, const NameSources& names);

[[nodiscard]] std::string FormatProfile(const MouseProfile& p, int number, bool current,
                                        const NameSources& names);

[[nodiscard]] std::string FormatMacroList(const UserMacroStore& store);
// The macro in its one-line form, then one line per step.
[[nodiscard]] std::string FormatMacro(const MacroRecord& macro, int number);

}  // namespace zep::cli
