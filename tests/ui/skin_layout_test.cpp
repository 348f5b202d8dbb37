#include <gtest/gtest.h>

#include "platform/ini/profile_file.h"
#include "platform/ini/text_codec.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "ui/skin/layout.h"

namespace zep {
namespace {

using test::FakePrompts;
using test::TempDir;
using test::WriteBytes;

TEST(SplitLayoutValue, FieldsByComma) {
    const struct {
        std::u16string_view value;
        LayoutEntry expected;
    } cases[] = {
        {u"DPI 1,120,40,60,20,800,", {{u"DPI 1", u"120", u"40", u"60", u"20", u"800", u""}}},
        // The seventh field keeps every further comma.
        {u"n,1,2,3,4,A,x,y", {{u"n", u"1", u"2", u"3", u"4", u"A", u"x,y"}}},
        {u"Copy", {{u"Copy", u"", u"", u"", u"", u"", u""}}},
        {u"", {}},
        // One to five commas fill the fields they have, in order; the rest stay empty.
        {u"Copy,Ctrl+C", {{u"Copy", u"Ctrl+C", u"", u"", u"", u"", u""}}},
        {u"a,1,2,3,4", {{u"a", u"1", u"2", u"3", u"4", u"", u""}}},
        {u",,,,,,", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLayoutValue(c.value), c.expected) << Utf16ToUtf8(c.value);
    }
}

TEST(LayoutArea, HalfOpenAndOverflowSafe) {
    const LayoutArea area{10, 20, 5, 3, u""};
    EXPECT_TRUE(area.Contains(10, 20));
    EXPECT_TRUE(area.Contains(14, 22));
    EXPECT_FALSE(area.Contains(15, 22));  // right edge
    EXPECT_FALSE(area.Contains(14, 23));  // bottom edge
    EXPECT_FALSE((LayoutArea{0, 0, 0, 0, u""}).Contains(0, 0));
    EXPECT_FALSE((LayoutArea{5, 5, -3, 4, u""}).Contains(4, 6));
    // x + width past INT32_MAX must not wrap to a negative right edge.
    const LayoutArea huge{2147483000, 0, 2147483000, 10, u""};
    EXPECT_TRUE(huge.Contains(2147483600, 5));
    EXPECT_FALSE(huge.Contains(0, 5));
}

// A skin folder with the four layout files of one language, written as UTF-8 text.
class LayoutFiles : public ::testing::Test {
  protected:
    void Write(LayoutKind kind, bool english, const std::string& text) {
        WriteBytes(LayoutFilePath(dir.path(), kind, english), text);
    }
    void WriteAll(bool english, const std::string& mainText) {
        Write(LayoutKind::Main, english, mainText);
        Write(LayoutKind::Color, english, "[BUTTONPOS]\r\n9=v,1,2,3,4,DPI,\r\n");
        Write(LayoutKind::Advanced, english,
              "[BUTTONPOS]\r\n51=last,5,6,7,8,end,\r\n"
              "[EDIT]\r\n1=no,1,1,1,1,,\r\n3=count,10,20,30,40,,\r\n4=name,11,21,31,41,,\r\n"
              "[MACRODISPLAY]\r\n1=list,12,22,32,42,,\r\n2=steps,13,23,33,43,,\r\n");
        Write(LayoutKind::Warning, english, "[BUTTONPOS]\r\n2=msg,0,0,9,9,Sure?,\r\n");
    }
    LayoutReader Reader() {
        return LayoutReader(files, prompts, [this] { ++exits; });
    }

    TempDir dir;
    ProfileFile files;
    FakePrompts prompts;
    int exits = 0;
    SkinLayouts layouts;
};

TEST_F(LayoutFiles, ReadsAreasNumbersAndControls) {
    WriteAll(true,
             "[BUTTONPOS]\r\n3=DPI 1,120,40,60,20,800,\r\n4=n, 25,12ab,x25,-4,,\r\n"
             "123=last,1,1,1,1,end,\r\n"
             "[FUN_STRING]\r\n1=Left click\r\n14=Rate,whatever,,,,,\r\n54=Nothing,1,2,3,4,5,6\r\n");
    auto reader = Reader();
    ASSERT_TRUE(LoadAllLayouts(reader, dir.path(), true, layouts));
    EXPECT_EQ(layouts.mainLayout[3], (LayoutArea{120, 40, 60, 20, u"800"}));
    // Blanks skipped, digits up to the first other character, none gives 0, signs kept.
    EXPECT_EQ(layouts.mainLayout[4], (LayoutArea{25, 12, 0, -4, u""}));
    EXPECT_EQ(layouts.mainLayout[123].text, u"end");
    EXPECT_EQ(layouts.mainLayout[0], LayoutArea{});  // missing key: nothing, unreachable
    EXPECT_EQ(layouts.functionNames[0], u"");
    EXPECT_EQ(layouts.functionNames[1], u"Left click");
    EXPECT_EQ(layouts.functionNames[14], u"OFF");
    EXPECT_EQ(layouts.functionNames[54], u"Nothing");
    EXPECT_EQ(layouts.functionNames[2], u"");
    EXPECT_EQ(layouts.colorLayout[9], (LayoutArea{1, 2, 3, 4, u"DPI"}));
    EXPECT_EQ(layouts.advancedLayout[51], (LayoutArea{5, 6, 7, 8, u"end"}));
    EXPECT_EQ(layouts.warningLayout[2].text, u"Sure?");
    EXPECT_EQ(layouts.repeatCountBox, (ControlBox{10, 20, 30, 40}));
    EXPECT_EQ(layouts.macroNameBox, (ControlBox{11, 21, 31, 41}));
    EXPECT_EQ(layouts.macroListBox, (ControlBox{12, 22, 32, 42}));
    EXPECT_EQ(layouts.stepListBox, (ControlBox{13, 23, 33, 43}));
    EXPECT_EQ(layouts.stepListBox.Rect(), (LayoutRect{13, 23, 46, 66}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(exits, 0);
}

TEST_F(LayoutFiles, TooManyCommasWarnsPerValueAndIsStillUsed) {
    WriteAll(false,
             "[BUTTONPOS]\r\n1=a,1,2,3,4,A,x,y\r\n2=b,5,6,7,8,B,,,\r\n"
             "[FUN_STRING]\r\n14=什么,,,,,,,\r\n");
    auto reader = Reader();
    ASSERT_TRUE(LoadMainLayout(reader, dir.path(), false, layouts));
    EXPECT_EQ(layouts.mainLayout[1], (LayoutArea{1, 2, 3, 4, u"A"}));
    EXPECT_EQ(layouts.mainLayout[2], (LayoutArea{5, 6, 7, 8, u"B"}));
    EXPECT_EQ(layouts.functionNames[14], u"无功能");
    EXPECT_EQ(prompts.messages,
              std::vector<std::u16string>(3, std::u16string(kMalformedValueMessage)));
}

TEST_F(LayoutFiles, ValueIsCutTo259Units) {
    const std::string text(300 - 10, 'T');
    WriteAll(true, "[BUTTONPOS]\r\n5=n,1,2,3,4," + text + ",\r\n");
    auto reader = Reader();
    const LayoutEntry entry =
        reader.ReadLayoutEntry(LayoutFilePath(dir.path(), LayoutKind::Main, true), u"buttonpos", 5);
    // 259 units in all: "n,1,2,3,4," is 10 of them, the text the other 249, the last comma lost.
    EXPECT_EQ(entry.fields[5], std::u16string(249, u'T'));
    EXPECT_EQ(entry.fields[6], u"");
}

TEST_F(LayoutFiles, MissingFileReportsOnceAndStops) {
    WriteAll(true, "[BUTTONPOS]\r\n0=a,1,1,1,1,x,\r\n");
    std::filesystem::remove(LayoutFilePath(dir.path(), LayoutKind::Color, true));
    auto reader = Reader();
    EXPECT_FALSE(LoadAllLayouts(reader, dir.path(), true, layouts));
    EXPECT_EQ(prompts.messages, std::vector<std::u16string>{std::u16string(kMissingFileMessage)});
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(reader.stopped());
    // Loading goes no further: the advanced and warning files were never read.
    EXPECT_EQ(layouts.advancedLayout[51], LayoutArea{});
    EXPECT_EQ(layouts.mainLayout[0].text, u"x");
    // Later reads neither read nor report again.
    EXPECT_FALSE(LoadMainLayout(reader, dir.path(), true, layouts));
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(exits, 1);
}

TEST_F(LayoutFiles, LanguageSwitchReadsTheOtherFolderAndReplacesEverything) {
    WriteAll(true, "[BUTTONPOS]\r\n0=s,1,2,3,4,Save,\r\n[FUN_STRING]\r\n1=Left click\r\n");
    WriteAll(false, "[BUTTONPOS]\r\n0=s,1,2,3,4,保存,\r\n[FUN_STRING]\r\n2=右键\r\n");
    auto reader = Reader();
    ASSERT_TRUE(LoadAllLayouts(reader, dir.path(), true, layouts));
    EXPECT_EQ(layouts.mainLayout[0].text, u"Save");
    ASSERT_TRUE(LoadAllLayouts(reader, dir.path(), false, layouts));
    EXPECT_EQ(layouts.mainLayout[0].text, u"保存");
    EXPECT_EQ(layouts.functionNames[1], u"");  // the Chinese file has no key 1
    EXPECT_EQ(layouts.functionNames[2], u"右键");
    EXPECT_EQ(layouts.functionNames[14], u"无功能");
}

TEST_F(LayoutFiles, ReadsWindowsEncodingsAndSeesRewrites) {
    // GBK text, as a skin made on a Chinese Windows has it.
    WriteAll(false, "[BUTTONPOS]\r\n0=s,1,2,3,4,\xB1\xA3\xB4\xE6,\r\n");
    auto reader = Reader();
    const auto file = LayoutFilePath(dir.path(), LayoutKind::Main, false);
    EXPECT_EQ(reader.ReadLayoutEntry(file, u"BUTTONPOS", 0).fields[5], u"保存");
    // A rewritten file is read afresh, not served from the reader's cache.
    WriteBytes(file,
               EncodeText(u"[BUTTONPOS]\r\n0=s,1,2,3,4,应用程序,\r\n", TextEncoding::Utf16LeBom));
    EXPECT_EQ(reader.ReadLayoutEntry(file, u"BUTTONPOS", 0).fields[5], u"应用程序");
}

}  // namespace
}  // namespace zep
