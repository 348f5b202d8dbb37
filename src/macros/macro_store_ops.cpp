#include "macros/macro_store_ops.h"

#include <algorithm>

#include "platform/ini/decimal.h"

namespace zep {

namespace {

constexpr int kRepeatMax = 65535;

bool HasCurrent(const UserMacroStore& s) {
    return s.current >= 0 && s.current < s.count;
}

MacroRecord& Current(UserMacroStore& s) {
    return s.slots[static_cast<std::size_t>(s.current)];
}

}  // namespace

std::vector<std::u16string> MacroNames(const UserMacroStore& store) {
    std::vector<std::u16string> names;
    const int count = std::clamp<int>(store.count, 0, UserMacroStore::kSlots);
    for (int i = 0; i < count; ++i)
        names.emplace_back(store.slots[static_cast<std::size_t>(i)].Name());
    return names;
}

PanelUpdate AddMacro(UserMacroStore& store, std::u16string_view nameText) {
    PanelUpdate u;
    u.focusMacroList = true;
    if (store.count >= UserMacroStore::kSlots || nameText.empty()) return u;
    const std::u16string_view name = nameText.substr(0, kMacroNameUnits - 1);
    int k = 0;
    while (k < store.count && store.slots[static_cast<std::size_t>(k)].Name() != name) ++k;
    store.current = k;
    if (k == store.count) {
        MacroRecord& slot = store.slots[static_cast<std::size_t>(k)];
        slot = FreedSlot();
        slot.SetName(name);
        ++store.count;
        u.clearStepList = true;
        u.listRows = MacroNames(store);
    }
    u.listSelection = k;
    return u;
}

PanelUpdate DeleteMacro(UserMacroStore& store, int selectedRow) {
    PanelUpdate u;
    if (store.recording || store.count <= 0 || selectedRow < 0 || selectedRow >= store.count) {
        return u;
    }
    const int last = store.count - 1;
    std::move(store.slots.begin() + selectedRow + 1, store.slots.begin() + last + 1,
              store.slots.begin() + selectedRow);
    store.slots[static_cast<std::size_t>(last)] = FreedSlot();
    store.count = static_cast<std::int16_t>(last);
    store.current = selectedRow > 0 ? selectedRow - 1 : 0;
    u.listRows = MacroNames(store);
    if (store.count == 0) {
        u.nameText = u"";
        u.repeatText = u"1";
        u.repeatBoxEnabled = false;
    } else {
        u.listSelection = store.current;
        u.nameText = std::u16string(Current(store).Name());
    }
    u.rebuildStepList = true;
    return u;
}

PanelUpdate ApplyRepeatCount(UserMacroStore& store, std::u16string_view repeatText) {
    PanelUpdate u;
    const std::int32_t v = ParseDecimal(repeatText);
    const std::int32_t clamped = std::clamp(v, 1, kRepeatMax);
    if (clamped != v) u.repeatText = FormatDecimal(clamped);
    if (HasCurrent(store)) Current(store).repeatCount = static_cast<std::uint16_t>(clamped);
    u.saveUserMacros = true;
    return u;
}

PanelUpdate ToggleRepeat(UserMacroStore& store) {
    PanelUpdate u;
    u.repaint = true;
    if (!HasCurrent(store)) return u;
    MacroRecord& m = Current(store);
    if (m.repeatEnabled == 0) {
        m.repeatEnabled = 1;
        u.repeatText = FormatDecimal(m.repeatCount);
        u.repeatBoxEnabled = true;
    } else {
        m.repeatEnabled = 0;
        u.repeatText = u"1";
        u.repeatBoxEnabled = false;
    }
    return u;
}

}  // namespace zep
