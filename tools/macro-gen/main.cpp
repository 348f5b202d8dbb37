// Writes a macro file from its readable description (one macro a line, '#' starts a comment),
// so the installation's macro files are produced by the same writer the utility uses.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "macros/macro_file.h"
#include "macros/macro_text.h"
#include "platform/ini/text_codec.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "macro-gen: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: macro-gen DESCRIPTION.txt OUTPUT.dat");
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) return Fail(std::string("cannot read ") + argv[1]);
    zep::UserMacroStore store;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::u16string text = zep::Utf8ToUtf16(line);
        const auto first = text.find_first_not_of(u" \t\r");
        if (first == std::u16string::npos || text[first] == u'#') continue;
        if (store.count >= zep::UserMacroStore::kSlots) {
            return Fail(std::string(argv[1]) + ": more than 12 macros");
        }
        auto parsed = zep::ParseMacroLine(text);
        if (auto* e = std::get_if<zep::MacroTextError>(&parsed)) {
            return Fail(std::string(argv[1]) + ":" + std::to_string(number) + ": " + e->message);
        }
        store.slots[static_cast<std::size_t>(store.count++)] = std::get<zep::MacroRecord>(parsed);
    }
    std::error_code ec;
    std::filesystem::remove(argv[2], ec);  // a fresh file, without keys of an older description
    zep::ProfileFile ini;
    if (!zep::SaveMacroFile(ini, argv[2], store)) return Fail(ini.lastError());
    return 0;
}
