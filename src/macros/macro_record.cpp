#include "macros/macro_record.h"

#include <algorithm>

namespace zep {

std::u16string_view MacroRecord::Name() const {
    const auto end = std::find(name.begin(), name.end(), u'\0');
    return std::u16string_view(name.data(), static_cast<std::size_t>(end - name.begin()));
}

void MacroRecord::SetName(std::u16string_view text) {
    name.fill(u'\0');
    const std::size_t n = std::min<std::size_t>(text.size(), kMacroNameUnits - 1);
    std::copy_n(text.begin(), n, name.begin());
}

MacroRecord FreedSlot() {
    MacroRecord r;
    r.repeatEnabled = 0;
    r.repeatCount = 1;
    r.stepCount = 0;
    return r;
}

}  // namespace zep
