// The rules a skin must keep for the window to draw and hit-test it, checked on the default skin
// the build draws. A skin author can point ZEP_SKIN_CHECK_DIR at another skin folder.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <set>

#include "platform/ini/profile_file.h"
#include "platform/ini/text_codec.h"
#include "qt_app.h"
#include "support/fakes.h"
#include "ui/skin/layout.h"
#include "ui/skin/skin_files.h"
#include "ui/skin/skin_image.h"

namespace zep {
namespace {

namespace f = skin_files;

std::filesystem::path SkinDir() {
    const QByteArray dir = qgetenv("ZEP_SKIN_CHECK_DIR");
    return dir.isEmpty() ? std::filesystem::path(ZEP_DEFAULT_SKIN_DIR)
                         : std::filesystem::path(dir.toStdString());
}

std::string Name(bool english) {
    return english ? "English" : "Chinese";
}

QRect RectOf(const LayoutArea& a) {
    return QRect(a.x, a.y, a.width, a.height);
}

class SkinCheck : public ::testing::TestWithParam<bool> {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    void SetUp() override {
        LayoutReader reader(files, prompts, [this] { ++exits; });
        loaded = LoadAllLayouts(reader, SkinDir(), english, layouts);
    }

    const bool english = GetParam();
    ProfileFile files;
    test::FakePrompts prompts;
    int exits = 0;
    bool loaded = false;
    SkinLayouts layouts;
};

TEST_P(SkinCheck, LoadsWithoutAnyMessage) {
    EXPECT_TRUE(loaded);
    EXPECT_EQ(exits, 0);
    for (const auto& m : prompts.messages) ADD_FAILURE() << Utf16ToUtf8(m);
}

TEST_P(SkinCheck, EveryKeyIsPresentAndWellFormed) {
    const struct {
        LayoutKind kind;
        std::u16string_view section;
        int first, last;
        bool nameOnly;
    } keys[] = {{LayoutKind::Main, u"BUTTONPOS", 0, 123, false},
                {LayoutKind::Main, u"FUN_STRING", 1, 54, true},
                {LayoutKind::Advanced, u"BUTTONPOS", 0, 51, false},
                {LayoutKind::Advanced, u"EDIT", 3, 4, false},
                {LayoutKind::Advanced, u"MACRODISPLAY", 1, 2, false},
                {LayoutKind::Color, u"BUTTONPOS", 0, 12, false},
                {LayoutKind::Warning, u"BUTTONPOS", 0, 2, false}};
    for (const auto& k : keys) {
        const auto file = LayoutFilePath(SkinDir(), k.kind, english);
        const IniSnapshot snapshot = files.Snapshot(file);
        ASSERT_TRUE(snapshot.exists()) << file;
        for (int i = k.first; i <= k.last; ++i) {
            const std::u16string value =
                snapshot.Read(k.section, Utf8ToUtf16(std::to_string(i)), kLayoutValueBuffer);
            const auto commas = std::count(value.begin(), value.end(), u',');
            const std::string where =
                file.filename().string() + " [" + Utf16ToUtf8(k.section) + "] " + std::to_string(i);
            EXPECT_FALSE(value.empty()) << where;
            // Six commas exactly, or none for a function name: a comma inside a text would
            // shift the fields.
            EXPECT_EQ(commas, k.nameOnly ? 0 : 6) << where;
            EXPECT_LT(value.size(), kLayoutValueBuffer - 1) << where << " is cut";
        }
    }
}

TEST_P(SkinCheck, EnglishAndChineseShareTheGeometry) {
    SkinLayouts other;
    LayoutReader reader(files, prompts, nullptr);
    ASSERT_TRUE(LoadAllLayouts(reader, SkinDir(), !english, other));
    const auto same = [](const auto& a, const auto& b, const char* layout) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(RectOf(a[i]), RectOf(b[i])) << layout << " area " << i;
        }
    };
    same(layouts.mainLayout, other.mainLayout, "main");
    same(layouts.advancedLayout, other.advancedLayout, "advanced");
    same(layouts.colorLayout, other.colorLayout, "colour");
    same(layouts.warningLayout, other.warningLayout, "warning");
    EXPECT_EQ(layouts.macroListBox, other.macroListBox);
    EXPECT_EQ(layouts.stepListBox, other.stepListBox);
    EXPECT_EQ(layouts.macroNameBox, other.macroNameBox);
    EXPECT_EQ(layouts.repeatCountBox, other.repeatCountBox);
}

// The pictures are language-free, so one language's run checks them.
TEST(SkinPictures, SizesFitTheWindowTheMenusAndTheScreen) {
    test::EnsureGuiApplication();
    const QImage mask = LoadSkinImage(SkinDir(), f::kMainMask);
    ASSERT_FALSE(mask.isNull());
    EXPECT_LE(mask.width(), 1366);
    EXPECT_LE(mask.height(), 768 - 48);  // room for a panel
    for (auto name : f::kWindowPictures) {
        EXPECT_EQ(LoadSkinImage(SkinDir(), name).size(), mask.size()) << name;
    }
    const struct {
        std::string_view mask, normal, over, down;
        int rows;
    } menus[] = {
        {f::kMenuMask, f::kMenuNormal, f::kMenuOver, f::kMenuDown, f::kMenuRows},
        {f::kSubMenuMask, f::kSubMenuNormal, f::kSubMenuOver, f::kSubMenuDown, f::kSubMenuRows}};
    for (const auto& m : menus) {
        const QSize size = LoadSkinImage(SkinDir(), m.mask).size();
        EXPECT_GT(size.height() / m.rows, 0) << m.mask;
        EXPECT_EQ(size.height() % m.rows, 0) << m.mask;
        for (auto name : {m.normal, m.over, m.down}) {
            EXPECT_EQ(LoadSkinImage(SkinDir(), name).size(), size) << name;
        }
    }
    const QSize warning = LoadSkinImage(SkinDir(), f::kWarningMask).size();
    EXPECT_FALSE(warning.isEmpty());
    EXPECT_EQ(LoadSkinImage(SkinDir(), f::kWarningNormal).size(), warning);
    EXPECT_EQ(LoadSkinImage(SkinDir(), f::kWarningOver).size(), warning);
}

TEST_P(SkinCheck, AreasLieInsideTheVisibleWindow) {
    const auto main = ShapeMainWindow(SkinDir(), layouts);
    const auto warning = ShapeWarningDialog(SkinDir());
    ASSERT_TRUE(main && warning);
    const auto inside = [](const QRegion& shape, QRect r, const std::string& what) {
        if (r.isEmpty()) return;
        EXPECT_TRUE((QRegion(r) - shape).isEmpty()) << what << " leaves the window's shape";
    };
    // Main keys 122 and 123 are not used and may be empty; every other area must be reachable.
    for (std::size_t i = 0; i < layouts.mainLayout.size(); ++i) {
        const QRect r = RectOf(layouts.mainLayout[i]);
        if (i < 122) {
            EXPECT_FALSE(r.isEmpty()) << "main area " << i;
        }
        inside(main->windowShape, r, "main area " + std::to_string(i));
    }
    for (std::size_t i = 0; i < layouts.advancedLayout.size(); ++i) {
        EXPECT_FALSE(RectOf(layouts.advancedLayout[i]).isEmpty()) << "advanced area " << i;
        inside(main->windowShape, RectOf(layouts.advancedLayout[i]),
               "advanced area " + std::to_string(i));
    }
    for (std::size_t i = 0; i < layouts.colorLayout.size(); ++i) {
        EXPECT_FALSE(RectOf(layouts.colorLayout[i]).isEmpty()) << "colour area " << i;
        inside(main->windowShape, RectOf(layouts.colorLayout[i]),
               "colour area " + std::to_string(i));
    }
    for (const ControlBox* box : {&layouts.repeatCountBox, &layouts.macroNameBox,
                                  &layouts.macroListBox, &layouts.stepListBox}) {
        EXPECT_FALSE(QRect(box->x, box->y, box->width, box->height).isEmpty());
        inside(main->windowShape, QRect(box->x, box->y, box->width, box->height), "a control");
    }
    for (std::size_t i = 0; i < layouts.warningLayout.size(); ++i) {
        inside(warning->windowShape, RectOf(layouts.warningLayout[i]),
               "warning area " + std::to_string(i));
    }
}

// What the window hit-tests while a page is shown: (layout, last index) pairs.
struct HitSet {
    const char* page;
    std::vector<std::pair<const char*, std::vector<QRect>>> layouts;
};

std::vector<QRect> Rects(const auto& layout, std::size_t last) {
    std::vector<QRect> rects;
    for (std::size_t i = 0; i <= last; ++i) rects.push_back(RectOf(layout[i]));
    return rects;
}

TEST_P(SkinCheck, HitTestedAreasOfAPageDoNotOverlap) {
    const auto& l = layouts;
    const HitSet pages[] = {
        {"main", {{"main", Rects(l.mainLayout, 114)}}},
        {"advanced",
         {{"main", Rects(l.mainLayout, 19)}, {"advanced", Rects(l.advancedLayout, 37)}}},
        {"colour", {{"main", Rects(l.mainLayout, 19)}, {"colour", Rects(l.colorLayout, 4)}}},
        {"warning", {{"warning", Rects(l.warningLayout, 1)}}},
    };
    for (const HitSet& page : pages) {
        std::vector<std::pair<std::string, QRect>> all;
        for (const auto& [name, rects] : page.layouts) {
            for (std::size_t i = 0; i < rects.size(); ++i) {
                all.emplace_back(std::string(name) + " " + std::to_string(i), rects[i]);
            }
        }
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                EXPECT_FALSE(all[i].second.intersects(all[j].second))
                    << page.page << " page: " << all[i].first << " overlaps " << all[j].first;
            }
        }
    }
    // The advanced page's controls sit on no area that takes clicks.
    for (const ControlBox* box :
         {&l.macroNameBox, &l.macroListBox, &l.stepListBox, &l.repeatCountBox}) {
        const QRect r(box->x, box->y, box->width, box->height);
        for (const auto& area : Rects(l.advancedLayout, 37)) EXPECT_FALSE(r.intersects(area));
        for (const auto& area : Rects(l.mainLayout, 19)) EXPECT_FALSE(r.intersects(area));
    }
}

TEST_P(SkinCheck, FontsResolveToInstalledLookAlikes) {
    const QFontInfo info(SkinFont(english));
    const std::set<QString> expected =
        english
            ? std::set<QString>{"Consolas", "DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono"}
            : std::set<QString>{"SimSun", "宋体", "WenQuanYi Micro Hei", "Noto Sans CJK SC"};
    EXPECT_TRUE(expected.count(info.family())) << info.family().toStdString();
}

// Every text the window draws, with the font it draws it in, fits its area; the texts that the
// window puts in place of the layout's are measured at their longest.
TEST_P(SkinCheck, EveryTextFitsItsArea) {
    const QFontMetrics m(SkinFont(english));
    const auto fits = [&](const LayoutArea& a, const std::u16string& text, int reserved,
                          const std::string& what) {
        const QString t = QString::fromStdU16String(text);
        EXPECT_LE(m.horizontalAdvance(t), a.width - reserved) << what << ": " << t.toStdString();
        if (!text.empty()) {
            EXPECT_LE(m.height(), a.height) << what;
        }
    };
    const auto& l = layouts;
    for (int k = 0; k < 54; ++k) {
        if (k < 25 || k > 31)
            fits(l.mainLayout[k], l.mainLayout[k].text, 0, "main " + std::to_string(k));
    }
    // Selectors draw the name from x + 5 and keep clear of the drop-down mark at their right.
    const int assignable[] = {1,  2,  3,  4,  5,  6,  11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25,
                              26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 52};
    for (int code : assignable) {
        for (int k = 25; k <= 31; ++k) {
            fits(l.mainLayout[k], l.functionNames[code], 5 + 20,
                 "selector with code " + std::to_string(code));
        }
    }
    const std::vector<std::pair<int, std::u16string>> replaced = {
        {4, english ? u"Record" : u"录制"},
        {4, english ? u"Stop" : u"停止"},
        {33, u"300ms"},
        {43, u"[↓]255"},
        {44, u"[↑]255"}};
    for (std::size_t j = 0; j < l.advancedLayout.size(); ++j) {
        fits(l.advancedLayout[j], l.advancedLayout[j].text, 0, "advanced " + std::to_string(j));
    }
    for (const auto& [j, text] : replaced)
        fits(l.advancedLayout[j], text, 0, "advanced " + std::to_string(j));
    for (std::size_t j = 0; j < l.colorLayout.size(); ++j) {
        fits(l.colorLayout[j], j == 9 ? u"4800" : l.colorLayout[j].text, 0,
             "colour " + std::to_string(j));
    }
    for (std::size_t j = 0; j < l.warningLayout.size(); ++j) {
        fits(l.warningLayout[j], l.warningLayout[j].text, 0, "warning " + std::to_string(j));
    }
}

TEST_P(SkinCheck, FunctionNamesFitTheMenus) {
    const QFontMetrics m(SkinFont(english));
    const int menuWidth = LoadSkinImage(SkinDir(), f::kMenuMask).width();
    const int subWidth = LoadSkinImage(SkinDir(), f::kSubMenuMask).width();
    const auto width = [&](int code) {
        return m.horizontalAdvance(QString::fromStdU16String(layouts.functionNames[code]));
    };
    // Rows 7 ... 10 carry a mark that opens their sub-menu; leave it room.
    for (int code = 1; code <= 10; ++code) {
        EXPECT_FALSE(layouts.functionNames[code].empty()) << code;
        EXPECT_LE(width(code), menuWidth - (code >= 7 ? 40 : 0)) << code;
    }
    for (int code = 11; code <= 54; ++code) {
        EXPECT_FALSE(layouts.functionNames[code].empty()) << code;
        EXPECT_LE(width(code), subWidth) << code;
    }
}

// The default macros of the reset live beside the layouts when an installation ships them.
TEST_P(SkinCheck, DefaultMacrosIfPresentAreMacroFiles) {
    const auto file = SkinDir() / (english ? "INI_EN" : "INI_CN") / "defMacro.dat";
    if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " not staged";
    EXPECT_FALSE(files.Read(file, u"Macros", u"macroNum", 16).empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, SkinCheck, ::testing::Bool(),
                         [](const auto& info) { return Name(info.param); });

}  // namespace
}  // namespace zep
