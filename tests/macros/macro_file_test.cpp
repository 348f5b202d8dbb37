#include <gtest/gtest.h>

#include "macros/macro_file.h"
#include "platform/ini/decimal.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace zep {
namespace {

using test::FakePrompts;
using test::TempDir;
using test::WriteBytes;

constexpr std::u16string_view kMissing = u"\u627E\u4E0D\u5230\u914D\u7F6E\u6587\u4EF6";

MacroRecord Sample(std::u16string_view name, int steps) {
    MacroRecord r;
    r.SetName(name);
    r.repeatEnabled = 1;
    r.repeatCount = 0x1234;
    r.stepCount = static_cast<std::uint8_t>(steps);
    for (int i = 0; i < kMacroStepCapacity; ++i) {  // stale positions too: all 255 are written
        const auto u = static_cast<std::size_t>(i);
        r.steps[u] = {static_cast<std::uint8_t>(i % 2 ? 240 : 4 + i % 26),
                      static_cast<std::uint8_t>(1 + i % 2)};
        r.delays[u] = static_cast<std::uint16_t>(15 + 257 * i);
    }
    return r;
}

TEST(MacroRecordCodec, GroupsFollowTheFileLayout) {
    MacroRecord r;
    r.SetName(u"M1");
    r.repeatEnabled = 1;
    r.repeatCount = 300;  // 0x012C
    r.stepCount = 2;
    r.steps[0] = {4, kStepPress};  // "A" -> virtual key 65
    r.delays[0] = 40;
    r.steps[1] = {kLeftButtonCode, kStepRelease};
    r.delays[1] = 1000;  // 0x03E8
    const std::u16string digits = EncodeMacroRecord(r);
    ASSERT_EQ(digits.size(), 3192u);
    EXPECT_EQ(digits.substr(0, 12), u"077000049000");
    EXPECT_EQ(digits.substr(12, 36 * 3), std::u16string(108, u'0'));
    EXPECT_EQ(digits.substr(120, 12), u"001044001002");  // groups 40 ... 43
    EXPECT_EQ(digits.substr(132, 24), u"065001040000240002232003");
    EXPECT_EQ(digits.substr(156), std::u16string(3192 - 156, u'0'));

    MacroRecord back;
    DecodeMacroRecord(digits, back);
    EXPECT_EQ(back, r);
}

TEST(MacroRecordCodec, ShortOrDamagedTextReadsZerosAndLeadingDigits) {
    MacroRecord r;
    DecodeMacroRecord(u"0770000490002x1", r);  // group 4 "2x1" reads 2, group 5 "" reads 0
    EXPECT_EQ(r.name[0], u'M');
    EXPECT_EQ(r.name[1], u'1');
    EXPECT_EQ(r.name[2], 2);
    EXPECT_EQ(r.stepCount, 0);
    DecodeMacroRecord(u"999", r);  // 999 keeps its low 8 bits
    EXPECT_EQ(r.name[0], 999 & 0xFF);
}

TEST(MacroFile, SaveThenLoadRestoresEverySlot) {
    TempDir dir;
    ProfileFile ini;
    FakePrompts prompts;
    UserMacroStore saved;
    saved.count = 2;
    saved.slots[0] = Sample(u"First", 3);
    saved.slots[1] = Sample(u"\u590D\u5236 second", 255);
    ASSERT_TRUE(SaveMacroFile(ini, dir / "Macro_EN.dat", saved));
    EXPECT_EQ(ini.replacements(), 1u);

    UserMacroStore loaded;
    const MacroFileResult r = LoadMacroFile(ini, dir / "Macro_EN.dat", loaded, prompts);
    EXPECT_TRUE(r.fileFound);
    EXPECT_EQ(loaded.count, 2);
    EXPECT_EQ(loaded.current, 1);
    EXPECT_EQ(loaded.slots[0], saved.slots[0]);
    EXPECT_EQ(loaded.slots[1], saved.slots[1]);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(MacroFile, MacroNumIsReadSafely) {
    const struct {
        const char* macroNum;
        int count;
    } cases[] = {{"7x", 7}, {"", 0}, {"99", 12}, {"-1", 0}, {"123", 12}, {"3", 3}};
    TempDir dir;
    ProfileFile ini;
    FakePrompts prompts;
    std::string body;
    for (int i = 0; i < 12; ++i) {
        body += std::to_string(i) + "=077\r\n";
    }
    for (const auto& c : cases) {
        WriteBytes(dir / "m.dat",
                   std::string("[Macros]\r\nmacroNum=") + c.macroNum + "\r\n" + body);
        UserMacroStore store;
        (void)LoadMacroFile(ini, dir / "m.dat", store, prompts);
        EXPECT_EQ(store.count, c.count) << c.macroNum;
        EXPECT_EQ(store.current, c.count > 0 ? c.count - 1 : 0) << c.macroNum;
        ConstantMacroStore constants;
        (void)LoadMacroFile(ini, dir / "m.dat", constants, prompts);
        EXPECT_LE(constants.count, 13) << c.macroNum;
    }
}

TEST(MacroFile, ShorterStoreLeavesOldKeysThatReadersIgnore) {
    TempDir dir;
    ProfileFile ini;
    FakePrompts prompts;
    UserMacroStore five;
    five.count = 5;
    for (int i = 0; i < 5; ++i)
        five.slots[static_cast<std::size_t>(i)] = Sample(u"m" + FormatDecimal(i), 2);
    ASSERT_TRUE(SaveMacroFile(ini, dir / "m.dat", five));
    UserMacroStore three = five;
    three.count = 3;
    ASSERT_TRUE(SaveMacroFile(ini, dir / "m.dat", three));
    EXPECT_EQ(ini.Read(dir / "m.dat", u"Macros", u"4", 4000).size(), 3192u);
    UserMacroStore loaded;
    (void)LoadMacroFile(ini, dir / "m.dat", loaded, prompts);
    EXPECT_EQ(loaded.count, 3);
    EXPECT_EQ(loaded.slots[3], MacroRecord{});  // untouched
}

TEST(MacroFile, MissingFileSaysSoAndEmptiesTheStore) {
    TempDir dir;
    ProfileFile ini;
    FakePrompts prompts;
    UserMacroStore store;
    store.count = 4;
    store.current = 2;
    const MacroFileResult r = LoadMacroFile(ini, dir / "none.dat", store, prompts);
    EXPECT_FALSE(r.fileFound);
    EXPECT_EQ(store.count, 0);
    EXPECT_EQ(store.current, 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], kMissing);
}

}  // namespace
}  // namespace zep
