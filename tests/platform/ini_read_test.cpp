#include <gtest/gtest.h>

#include "platform/ini/profile_file.h"
#include "platform/ini/text_codec.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::TempDir;
using test::WriteBytes;

constexpr std::string_view kSample =
    "; comment line\r\n"
    "[Init]\r\n"
    "CurConfig=3\r\n"
    "  VER_SEL  =  1  \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Half=\"open\r\n"
    ";Commented=9\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "NoEquals\r\n"
    "Long=12345\r\n"
    "\r\n"
    "[init]\r\n"
    "Later=shadowed\r\n"
    "[ Config1 ]\r\n"
    "K0=1\r\n";

TEST(IniRead, FollowsThePrivateProfileRules) {
    TempDir dir;
    WriteBytes(dir / "a.ini", kSample);
    ProfileFile ini;
    const struct {
        std::u16string_view section, key;
        std::size_t buffer;
        std::u16string_view expected;
    } cases[] = {
        {u"Init", u"CurConfig", 5, u"3"},
        {u"INIT", u"curconfig", 5, u"3"},         // names are case-insensitive
        {u"Init", u"VER_SEL", 5, u"1"},           // blanks around name and value trimmed
        {u"Init", u"Quoted", 64, u"  spaced  "},  // one pair of quotes removed, inside kept
        {u"Init", u"Half", 64, u"\"open"},        // unmatched quote kept
        {u"Init", u"Commented", 5, u""},          // ';' lines are comments
        {u"Init", u"Dup", 64, u"first"},          // first duplicate wins
        {u"Init", u"NoEquals", 5, u""},
        {u"Init", u"Long", 5, u"1234"},  // cut to buffer - 1 units
        {u"Init", u"Long", 1, u""},
        {u"Init", u"Long", 0, u""},
        {u"Init", u"Later", 64, u""},  // first of duplicate sections wins
        {u"Config1", u"K0", 5, u"1"},  // blanks inside brackets trimmed
        {u"Missing", u"K0", 5, u""},
        {u"Init", u"Missing", 5, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.Read(dir / "a.ini", c.section, c.key, c.buffer), c.expected)
            << std::string(c.key.begin(), c.key.end());
    }
    EXPECT_EQ(ini.Read(dir / "missing.ini", u"Init", u"CurConfig", 5), u"");
}

// Files written on Windows: every encoding the original produced, with CRLF or LF.
TEST(IniRead, ReadsFilesInEveryWindowsEncoding) {
    const std::u16string chinese = u"\u5B8B\u4F53";  // 宋体
    const std::u16string text = u"[FUN_STRING]\r\n1=" + chinese + u"\r\n2=Left\r\n";
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"utf16le-bom", EncodeText(text, TextEncoding::Utf16LeBom), TextEncoding::Utf16LeBom},
        {"utf8-bom", EncodeText(text, TextEncoding::Utf8Bom), TextEncoding::Utf8Bom},
        {"utf8", EncodeText(text, TextEncoding::Utf8), TextEncoding::Utf8},
        // GBK bytes of 宋体 written out by hand, so the test does not trust our own encoder.
        {"gbk", "[FUN_STRING]\r\n1=\xCB\xCE\xCC\xE5\r\n2=Left\r\n", TextEncoding::Gbk},
        {"gbk-lf", "[FUN_STRING]\n1=\xCB\xCE\xCC\xE5\n2=Left\n", TextEncoding::Gbk},
    };
    TempDir dir;
    ProfileFile ini;
    for (const auto& c : cases) {
        const auto file = dir / c.name;
        WriteBytes(file, c.bytes);
        EXPECT_EQ(ini.Read(file, u"FUN_STRING", u"1", 260), chinese) << c.name;
        EXPECT_EQ(ini.Read(file, u"FUN_STRING", u"2", 260), u"Left") << c.name;
        EXPECT_EQ(DecodeText(c.bytes).encoding, c.encoding) << c.name;
    }
}

TEST(TextCodec, Utf8RoundTripsOutsideTheBasicPlane) {
    const std::u16string text = u"a\u00E9\u4E2D\U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));      // truncated
    EXPECT_TRUE(IsValidUtf8("\xE4\xB8\xAD"));
}

TEST(TextCodec, ChineseTextThatCannotConvertIsReplacedNotLost) {
    const DecodedText truncated = DecodeText(
        "A\xCB\xCE"
        "B\x81");  // 宋 then a lone lead byte
    EXPECT_EQ(truncated.encoding, TextEncoding::Gbk);
    EXPECT_EQ(truncated.text, u"A\u5B8BB\uFFFD");
    EXPECT_EQ(EncodeText(u"a\u4F53b", TextEncoding::Gbk),
              "a\xCC\xE5"
              "b");
    EXPECT_EQ(EncodeText(std::u16string(u"a") + char16_t(0xD800) + u"b", TextEncoding::Gbk), "a?b");
}

}  // namespace
}  // namespace zep
