#pragma once
// The macro panel's store operations, free of any toolkit: each takes what the panel's controls
// hold and returns what they must show next. The window applies the update to its widgets.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_record.h"

namespace zep {

struct PanelUpdate {
    std::optional<std::vector<std::u16string>> listRows;  // replace the macro list's rows
    std::optional<int> listSelection;                     // select this row (programmatically)
    std::optional<std::u16string> nameText;               // the name box
    std::optional<std::u16string> repeatText;             // the repeat-count box
    std::optional<bool> repeatBoxEnabled;
    bool clearStepList = false;    // empty the step list
    bool rebuildStepList = false;  // show the current macro's steps
    bool focusMacroList = false;
    bool repaint = false;
    bool saveUserMacros = false;  // write the store to the language's macro file
};

// The names of the store's macros, in list order.
[[nodiscard]] std::vector<std::u16string> MacroNames(const UserMacroStore& store);

// Adds a macro named by the text (cut to 19 units), or makes the macro of that exact name
// current. Refuses silently with 12 macros or an empty name. A new macro starts empty: a reused
// slot's old repeat settings and steps are cleared.
PanelUpdate AddMacro(UserMacroStore& store, std::u16string_view nameText);

// Removes the macro of the selected row (-1: none selected). Nothing while recording, with no
// macros, or without a valid selection.
PanelUpdate DeleteMacro(UserMacroStore& store, int selectedRow);

// Sets the current macro's repeat count from the box (1 ... 65535, out-of-range text corrected)
// and asks for the store to be saved.
PanelUpdate ApplyRepeatCount(UserMacroStore& store, std::u16string_view repeatText);

// Switches the current macro's repeat flag; nothing is saved.
PanelUpdate ToggleRepeat(UserMacroStore& store);

}  // namespace zep
