#pragma once
// An INI file held as its lines, so that a write changes one line and keeps everything else
// (comments, unknown keys, blank lines, spelling of names) as the file had it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/text_codec.h"

namespace zep {

enum class LineEnding { CrLf, Lf };

class IniDocument {
  public:
    // A new, empty document: UTF-8 without BOM and CRLF, as a file the utility creates.
    IniDocument() = default;

    [[nodiscard]] static IniDocument Parse(std::string_view bytes);
    [[nodiscard]] std::string Serialize() const;

    // The value of key in section, trimmed, with one pair of surrounding double quotes removed;
    // nullopt when the section or key is absent. Names match case-insensitively (ASCII); the
    // first matching section and the first matching key in it win.
    [[nodiscard]] std::optional<std::u16string> Get(std::u16string_view section,
                                                    std::u16string_view key) const;

    [[nodiscard]] bool HasSection(std::u16string_view section) const;

    // Replaces the value in place, else appends the key at the end of its section, else appends
    // the section at the end. Refuses (returns false, changes nothing) names or values that would
    // break the file's structure: line breaks anywhere, '=' in a key, ']' in a section, or an
    // empty section or key name.
    [[nodiscard]] bool Set(std::u16string_view section, std::u16string_view key,
                           std::u16string_view value);

    [[nodiscard]] TextEncoding encoding() const { return encoding_; }
    [[nodiscard]] LineEnding lineEnding() const { return lineEnding_; }

  private:
    // Index of the first line of the first section with this name (the header), or npos.
    [[nodiscard]] std::size_t FindSection(std::u16string_view section) const;
    // One past the last line of the section that starts at header.
    [[nodiscard]] std::size_t SectionEnd(std::size_t header) const;

    std::vector<std::u16string> lines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    LineEnding lineEnding_ = LineEnding::CrLf;
};

// ASCII case-insensitive equality, as section and key names are compared.
[[nodiscard]] bool NamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace zep
