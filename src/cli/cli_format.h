#pragma once
// Readable text of profiles and macros for the command line.

#include <string>

#include "macros/macro_record.h"
#include "settings/profile.h"

namespace zep::cli {

// The name a button's function goes by; macros by their own names.
[[nodiscard]] std::string FunctionName(std::int32_t code, const UserMacroStore& user,
                                       const ConstantMacroStore& constants);

[[nodiscard]] std::string FormatProfile(const MouseProfile& p, int number, bool current,
                                        const UserMacroStore& user,
                                        const ConstantMacroStore& constants);

[[nodiscard]] std::string FormatMacroList(const UserMacroStore& store);
// The macro in its one-line form, then one line per step.
[[nodiscard]] std::string FormatMacro(const MacroRecord& macro, int number);

}  // namespace zep::cli
