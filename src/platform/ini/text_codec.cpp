#include "platform/ini/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace zep {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
// GB18030 is a strict superset of GBK: it decodes every GBK file and encodes GBK characters to the
// same bytes, while anything GBK lacks still round-trips instead of being lost.
constexpr const char* kChineseCodePage = "GB18030";

// Decodes one UTF-8 sequence at bytes[i]; returns the code point and advances i, or -1 if invalid.
std::int32_t NextUtf8(std::string_view bytes, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    std::uint32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
    } else
        return -1;
    if (i + length > bytes.size()) return -1;
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (b & 0x3F);
    }
    constexpr std::uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    i += length;
    return static_cast<std::int32_t>(cp);
}

void AppendCodePoint(std::u16string& out, std::uint32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

std::u16string Utf16LeToText(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return out;
}

class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(handle_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

  private:
    iconv_t handle_;
};

std::string Utf16LeBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// Runs the whole input through the converter. A unit of unitSize input bytes that cannot be
// converted becomes `replacement` (in the target encoding), and conversion goes on after it.
std::string Convert(const Iconv& cd, std::string input, std::size_t unitSize,
                    std::string_view replacement) {
    std::string out;
    std::vector<char> buffer(input.size() * 4 + 16);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += replacement;
            const std::size_t skip = std::min(unitSize, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::u16string ChineseToText(std::string_view bytes) {
    const Iconv cd("UTF-16LE", kChineseCodePage);
    if (!cd.ok()) return Utf8ToUtf16(bytes);  // no converter: best effort, never a crash
    // An undecodable or truncated byte becomes U+FFFD.
    return Utf16LeToText(Convert(cd, std::string(bytes), 1, "\xFD\xFF"));
}

std::string TextToChinese(std::u16string_view text) {
    const Iconv cd(kChineseCodePage, "UTF-16LE");
    if (!cd.ok()) return Utf16ToUtf8(text);
    // Only a lone surrogate cannot be encoded.
    return Convert(cd, Utf16LeBytes(text), 2, "?");
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (NextUtf8(bytes, i) < 0) return false;
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::int32_t cp = NextUtf8(bytes, i);
        if (cp < 0) {
            out.push_back(u'\uFFFD');
            ++i;
        } else {
            AppendCodePoint(out, static_cast<std::uint32_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

DecodedText DecodeText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) {
        return {Utf16LeToText(bytes.substr(kUtf16LeBom.size())), TextEncoding::Utf16LeBom};
    }
    if (bytes.starts_with(kUtf8Bom)) {
        return {Utf8ToUtf16(bytes.substr(kUtf8Bom.size())), TextEncoding::Utf8Bom};
    }
    if (IsValidUtf8(bytes)) return {Utf8ToUtf16(bytes), TextEncoding::Utf8};
    return {ChineseToText(bytes), TextEncoding::Gbk};
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return Utf16ToUtf8(text);
        case TextEncoding::Utf8Bom:
            return std::string(kUtf8Bom) + Utf16ToUtf8(text);
        case TextEncoding::Utf16LeBom:
            return std::string(kUtf16LeBom) + Utf16LeBytes(text);
        case TextEncoding::Gbk:
            return TextToChinese(text);
    }
    return Utf16ToUtf8(text);
}

}  // namespace zep
