#pragma once
// Decimal text <-> integers, with the rules the settings files have always been read with.

#include <cstdint>
#include <string>
#include <string_view>

namespace zep {

// Leading blanks (space, tab, CR, LF, VT, FF) are skipped, then an optional '+' or '-', then
// decimal digits up to the first other character. No digits give 0. Values past the 32-bit range
// saturate at INT32_MIN / INT32_MAX instead of overflowing.
[[nodiscard]] std::int32_t ParseDecimal(std::u16string_view text) noexcept;

// "%d" of a signed value, as UTF-16 text.
[[nodiscard]] std::u16string FormatDecimal(std::int64_t value);

// ASCII text to UTF-16, for names and keys that are plain ASCII in the code.
[[nodiscard]] std::u16string Ascii16(std::string_view ascii);

}  // namespace zep
