#pragma once
// A readable one-line form of a macro, used for the installation's macro descriptions and for
// showing macros on the command line:
//   Copy | once | +LCONTROL 30, +C 30, -C 30, -LCONTROL 30
//   Burst | repeat 3 | +L-KEY 20, -L-KEY 20
// "+" presses, "-" releases; the number is the delay in milliseconds; key names as the step list
// shows them.

#include <string>
#include <string_view>
#include <variant>

#include "macros/macro_record.h"

namespace zep {

struct MacroTextError {
    std::string message;
};

[[nodiscard]] std::variant<MacroRecord, MacroTextError> ParseMacroLine(std::u16string_view line);
[[nodiscard]] std::u16string FormatMacroLine(const MacroRecord& record);

}  // namespace zep
