#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/ini/decimal.h"
#include "platform/ini/profile_file.h"
#include "platform/ini/text_codec.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(IniWrite, ReplacesInPlaceAppendsKeysAndSections) {
    TempDir dir;
    const auto file = dir / "c.ini";
    WriteBytes(file,
               "; keep me\r\n[Init]\r\ncurconfig=1\r\nVER_SEL=0\r\n\r\n[Config1]\r\nK0=1\r\n");
    ProfileFile ini;
    ASSERT_TRUE(ini.Write(file, u"INIT", u"CurConfig", u"4"));  // replaced, spelling kept
    ASSERT_TRUE(ini.Write(file, u"Init", u"New", u"x"));        // appended before the blank
    ASSERT_TRUE(ini.Write(file, u"Config2", u"K0", u"2"));      // new section at the end
    EXPECT_EQ(ReadBytes(file),
              "; keep me\r\n[Init]\r\ncurconfig=4\r\nVER_SEL=0\r\nNew=x\r\n\r\n"
              "[Config1]\r\nK0=1\r\n\r\n[Config2]\r\nK0=2\r\n");
}

TEST(IniWrite, CreatesANewFileAsUtf8WithCrLf) {
    TempDir dir;
    ProfileFile ini;
    ASSERT_TRUE(ini.Write(dir / "new.ini", u"Macros", u"macroNum", u"\u4E2D"));
    EXPECT_EQ(ReadBytes(dir / "new.ini"), "[Macros]\r\nmacroNum=\xE4\xB8\xAD\r\n");
}

TEST(IniWrite, KeepsTheFileEncodingAndLineEnds) {
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"gbk-lf", "[S]\nA=\xCB\xCE\n", "[S]\nA=\xCB\xCE\nB=\xCC\xE5\n"},
        {"utf8bom", "\xEF\xBB\xBF[S]\r\nA=1\r\n", "\xEF\xBB\xBF[S]\r\nA=1\r\nB=\xE4\xBD\x93\r\n"},
        {"utf16", EncodeText(u"[S]\r\nA=1\r\n", TextEncoding::Utf16LeBom),
         EncodeText(u"[S]\r\nA=1\r\nB=\u4F53\r\n", TextEncoding::Utf16LeBom)},
    };
    TempDir dir;
    ProfileFile ini;
    for (const auto& c : cases) {
        const auto file = dir / c.name;
        WriteBytes(file, c.before);
        ASSERT_TRUE(ini.Write(file, u"S", u"B", u"\u4F53")) << c.name;  // 体
        EXPECT_EQ(ReadBytes(file), c.after) << c.name;
    }
}

TEST(IniWrite, BatchEqualsSingleWritesAtOneReplacement) {
    TempDir dir;
    WriteBytes(dir / "one.ini", "[Config1]\r\nK1=9\r\n[Init]\r\nCurConfig=1\r\n");
    WriteBytes(dir / "many.ini", ReadBytes(dir / "one.ini"));
    std::vector<IniEntry> entries;
    for (int i = 0; i < 23; ++i) {
        entries.push_back({u"K" + FormatDecimal(i % 7) + (i >= 7 ? u"_" + FormatDecimal(i) : u""),
                           FormatDecimal(i)});
    }
    ProfileFile batch, single;
    ASSERT_TRUE(batch.WriteBatch(dir / "one.ini", u"Config1", entries));
    for (const auto& e : entries)
        ASSERT_TRUE(single.Write(dir / "many.ini", u"Config1", e.key, e.value));
    EXPECT_EQ(ReadBytes(dir / "one.ini"), ReadBytes(dir / "many.ini"));
    EXPECT_EQ(batch.replacements(), 1u);
    EXPECT_EQ(single.replacements(), 23u);
}

TEST(IniWrite, RefusesInputThatWouldInjectLinesAndChangesNothing) {
    TempDir dir;
    const auto file = dir / "c.ini";
    WriteBytes(file, "[S]\r\nA=1\r\n");
    ProfileFile ini;
    const struct {
        std::u16string_view section, key, value;
    } cases[] = {
        {u"S", u"A", u"1\r\n[Init]\r\nCurConfig=5"},
        {u"S", u"A\nB", u"1"},
        {u"S]x", u"A", u"1"},
        {u"S", u"A=B", u"1"},
        {u"", u"A", u"1"},
        {u"S", u"", u"1"},
        {u"S", u";A", u"1"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ini.Write(file, c.section, c.key, c.value));
        EXPECT_FALSE(ini.lastError().empty());
    }
    EXPECT_EQ(ReadBytes(file), "[S]\r\nA=1\r\n");
}

TEST(IniWrite, NeverOverwritesAFileItCannotRead) {
    TempDir dir;
    std::filesystem::create_directory(dir / "c.ini");  // exists but is not readable as a file
    ProfileFile ini;
    EXPECT_FALSE(ini.Write(dir / "c.ini", u"S", u"A", u"1"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "c.ini"));
}

TEST(IniWrite, ThreadsNeverLoseEachOthersKeys) {
    TempDir dir;
    const auto file = dir / "c.ini";
    ProfileFile ini;
    constexpr int kWrites = 150;
    auto writer = [&](std::u16string section) {
        for (int i = 0; i < kWrites; ++i) {
            ASSERT_TRUE(ini.Write(file, section, u"K" + FormatDecimal(i), FormatDecimal(i)));
        }
    };
    std::thread a(writer, u"Config1"), b(writer, u"Config6");
    a.join();
    b.join();
    const IniSnapshot snap = ini.Snapshot(file);
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(snap.Read(u"Config1", u"K" + FormatDecimal(i), 10), FormatDecimal(i));
        EXPECT_EQ(snap.Read(u"Config6", u"K" + FormatDecimal(i), 10), FormatDecimal(i));
    }
}

// A process killed at any moment during saves leaves either the old or the new complete file.
TEST(IniWrite, AKilledWriterNeverLeavesAHalfWrittenFile) {
    TempDir dir;
    const auto file = dir / "config.ini";
    std::vector<IniEntry> entries;
    for (int i = 0; i < 23; ++i) entries.push_back({u"KEY" + FormatDecimal(i), u"0"});
    ProfileFile ini;
    ASSERT_TRUE(ini.WriteBatch(file, u"Config1", entries));

    for (int round = 0; round < 5; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ProfileFile childIni;
            for (int v = 1;; ++v) {
                for (auto& e : entries) e.value = FormatDecimal(v);
                (void)childIni.WriteBatch(file, u"Config1", entries);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 7 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const IniSnapshot snap = ini.Snapshot(file);
        const std::u16string first = snap.Read(u"Config1", u"KEY0", 16);
        ASSERT_FALSE(first.empty());
        for (int i = 1; i < 23; ++i) {
            ASSERT_EQ(snap.Read(u"Config1", u"KEY" + FormatDecimal(i), 16), first)
                << "round " << round;
        }
    }
}

}  // namespace
}  // namespace zep
