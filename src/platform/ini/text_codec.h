#pragma once
// Byte <-> UTF-16 conversion for the text files the utility reads and writes. Files written on
// Windows come as UTF-16LE with BOM, UTF-8 with or without BOM, or the Chinese ANSI code page
// (GBK); a rewrite must keep whatever the file had.

#include <optional>
#include <string>
#include <string_view>

namespace zep {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LeBom, Gbk };

struct DecodedText {
    std::u16string text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Detects the encoding by BOM, then by UTF-8 validity; bytes that are not valid UTF-8 are read as
// GBK (a superset decoder, so every GBK file reads). Undecodable bytes become U+FFFD.
[[nodiscard]] DecodedText DecodeText(std::string_view bytes);

// Encodes text (BOM included where the encoding has one). Never fails for the Unicode encodings;
// GBK uses a superset encoder that can represent every character, so it never fails either.
[[nodiscard]] std::string EncodeText(std::u16string_view text, TextEncoding encoding);

// Strict UTF-8 validation (no overlongs, no surrogates, nothing past U+10FFFF).
[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view bytes);
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace zep
