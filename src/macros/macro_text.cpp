#include "macros/macro_text.h"

#include <vector>

#include "macros/key_codes.h"
#include "platform/ini/decimal.h"
#include "platform/ini/text_codec.h"

namespace zep {

namespace {

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t' || s.back() == u'\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::u16string_view> Split(std::u16string_view s, char16_t sep) {
    std::vector<std::u16string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = s.find(sep, start);
        parts.push_back(
            Trim(s.substr(start, end == std::u16string_view::npos ? end : end - start)));
        if (end == std::u16string_view::npos) return parts;
        start = end + 1;
    }
}

bool AllDigits(std::u16string_view s) {
    if (s.empty() || s.size() > 5) return false;
    for (char16_t c : s) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

MacroTextError Error(std::string what, std::u16string_view near) {
    return {what + ": '" + Utf16ToUtf8(near) + "'"};
}

// "+NAME DELAY" / "-NAME DELAY"; the name may itself contain blanks (" ' ").
std::variant<std::pair<MacroStep, std::uint16_t>, MacroTextError> ParseStep(std::u16string_view s) {
    if (s.size() < 3 || (s.front() != u'+' && s.front() != u'-')) {
        return Error("a step starts with + (press) or - (release)", s);
    }
    const std::size_t blank = s.find_last_of(u' ');
    if (blank == std::u16string_view::npos || blank == 0)
        return Error("a step ends with its delay", s);
    const std::u16string_view delay = s.substr(blank + 1);
    if (!AllDigits(delay) || ParseDecimal(delay) > 65535) return Error("delay is 0 ... 65535", s);
    const std::u16string_view name = s.substr(1, blank - 1);
    auto code = KeyCodeFromName(name);
    if (!code) code = KeyCodeFromName(Trim(name));
    if (!code) return Error("unknown key name", name);
    const std::uint8_t direction = s.front() == u'+' ? kStepPress : kStepRelease;
    return std::pair{MacroStep{*code, direction}, static_cast<std::uint16_t>(ParseDecimal(delay))};
}

}  // namespace

std::variant<MacroRecord, MacroTextError> ParseMacroLine(std::u16string_view line) {
    const auto fields = Split(line, u'|');
    if (fields.size() != 3) return Error("expected: name | once or repeat N | steps", line);
    MacroRecord r = FreedSlot();
    if (fields[0].empty() || fields[0].size() >= kMacroNameUnits) {
        return Error("a name has 1 ... 19 characters", fields[0]);
    }
    r.SetName(fields[0]);
    if (fields[1] == u"once") {
        r.repeatEnabled = 0;
    } else if (fields[1].starts_with(u"repeat ") && AllDigits(Trim(fields[1].substr(7))) &&
               ParseDecimal(fields[1].substr(7)) >= 1 &&
               ParseDecimal(fields[1].substr(7)) <= 65535) {
        r.repeatEnabled = 1;
        r.repeatCount = static_cast<std::uint16_t>(ParseDecimal(fields[1].substr(7)));
    } else {
        return Error("expected 'once' or 'repeat N' (N 1 ... 65535)", fields[1]);
    }
    if (fields[2].empty()) return r;
    const auto steps = Split(fields[2], u',');
    if (steps.size() > kMacroStepCapacity) return Error("at most 255 steps", fields[0]);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        auto step = ParseStep(steps[i]);
        if (auto* e = std::get_if<MacroTextError>(&step)) return *e;
        const auto& [s, delay] = std::get<std::pair<MacroStep, std::uint16_t>>(step);
        r.steps[i] = s;
        r.delays[i] = delay;
    }
    r.stepCount = static_cast<std::uint8_t>(steps.size());
    return r;
}

std::u16string FormatMacroLine(const MacroRecord& record) {
    std::u16string out(record.Name());
    out += record.repeatEnabled ? u" | repeat " + FormatDecimal(record.repeatCount) : u" | once";
    out += u" |";
    for (std::size_t i = 0; i < record.stepCount; ++i) {
        out += i == 0 ? u" " : u", ";
        out += record.steps[i].direction == kStepPress ? u'+' : u'-';
        out += KeyCodeName(record.steps[i].code);
        out += u' ';
        out += FormatDecimal(record.delays[i]);
    }
    return out;
}

}  // namespace zep
