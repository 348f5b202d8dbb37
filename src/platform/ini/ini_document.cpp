#include "platform/ini/ini_document.h"

#include <algorithm>

namespace zep {

namespace {

constexpr std::size_t npos = std::u16string::npos;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == u'\r')) s.remove_suffix(1);
    return s;
}

char16_t FoldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c;
}

// The section name of a header line, or nullopt when the line is not a header.
std::optional<std::u16string_view> HeaderName(std::u16string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != u'[') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.find(u']');
    return Trim(close == npos ? line : line.substr(0, close));
}

struct KeyLine {
    std::u16string_view key;
    std::u16string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::u16string_view line) {
    const std::u16string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == u';') return std::nullopt;
    const std::size_t eq = trimmed.find(u'=');
    if (eq == npos) return std::nullopt;
    return KeyLine{Trim(trimmed.substr(0, eq)), Trim(trimmed.substr(eq + 1))};
}

bool HasLineBreak(std::u16string_view s) {
    return s.find_first_of(u"\r\n") != npos;
}

}  // namespace

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    DecodedText decoded = DecodeText(bytes);
    doc.encoding_ = decoded.encoding;
    const std::u16string& text = decoded.text;
    const std::size_t firstBreak = text.find(u'\n');
    doc.lineEnding_ = (firstBreak == npos || (firstBreak > 0 && text[firstBreak - 1] == u'\r'))
                          ? LineEnding::CrLf
                          : LineEnding::Lf;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        doc.lines_.push_back(std::move(line));
        start = end + 1;
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    const std::u16string_view eol = lineEnding_ == LineEnding::CrLf ? u"\r\n" : u"\n";
    std::u16string text;
    for (const auto& line : lines_) {
        text += line;
        text += eol;
    }
    return EncodeText(text, encoding_);
}

std::size_t IniDocument::FindSection(std::u16string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i]);
        if (name && NamesEqual(*name, section)) return i;
    }
    return npos;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !HeaderName(lines_[i])) ++i;
    return i;
}

bool IniDocument::HasSection(std::u16string_view section) const {
    return FindSection(section) != npos;
}

std::optional<std::u16string> IniDocument::Get(std::u16string_view section,
                                               std::u16string_view key) const {
    const std::size_t header = FindSection(section);
    if (header == npos) return std::nullopt;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto kv = SplitKeyLine(lines_[i]);
        if (!kv || !NamesEqual(kv->key, key)) continue;
        std::u16string_view value = kv->value;
        if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') {
            value = value.substr(1, value.size() - 2);
        }
        return std::u16string(value);
    }
    return std::nullopt;
}

bool IniDocument::Set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || key.find(u'=') != npos || key.front() == u';' ||
        section.find(u']') != npos) {
        return false;
    }
    std::u16string newLine = std::u16string(key) + u"=" + std::u16string(value);
    const std::size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back(u"[" + std::u16string(section) + u"]");
        lines_.push_back(std::move(newLine));
        return true;
    }
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto kv = SplitKeyLine(lines_[i]);
        if (kv && NamesEqual(kv->key, key)) {
            lines_[i] = std::u16string(kv->key) + u"=" + std::u16string(value);
            return true;
        }
    }
    // After the section's last non-blank line, so the blank line before the next section stays.
    std::size_t insertAt = end;
    while (insertAt > header + 1 && Trim(lines_[insertAt - 1]).empty()) --insertAt;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
    return true;
}

}  // namespace zep
