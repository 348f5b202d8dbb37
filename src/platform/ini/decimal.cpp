#include "platform/ini/decimal.h"

#include <limits>

namespace zep {

namespace {
bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}
}  // namespace

std::int32_t ParseDecimal(std::u16string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate as a negative number so INT32_MIN is reachable without overflow.
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 - (text[i] - u'0');
        if (value < lowest) {
            value = lowest - 1;  // saturated; keep consuming digits
        }
    }
    if (negative)
        return value < lowest ? std::numeric_limits<std::int32_t>::min()
                              : static_cast<std::int32_t>(value);
    if (value < -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(-value);
}

std::u16string FormatDecimal(std::int64_t value) {
    return Ascii16(std::to_string(value));
}

std::u16string Ascii16(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace zep
