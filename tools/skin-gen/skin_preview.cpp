#include "tools/skin-gen/skin_preview.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/ini/decimal.h"
#include "platform/ini/profile_file.h"
#include "platform/system/user_prompts.h"
#include "ui/skin/skin_files.h"
#include "ui/skin/skin_image.h"

namespace zep::skingen {

namespace {

namespace f = skin_files;

class CollectingPrompts : public UserPrompts {
  public:
    void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileDialogOptions&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileDialogOptions&) override {
        return std::nullopt;
    }
    std::vector<std::u16string> messages;
};

QString Q(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

struct Painter {
    QPainter& p;
    bool english;

    void Centred(const LayoutArea& a, const std::u16string& text, QColor color) {
        if (text.empty()) return;
        const QFontMetrics m(p.font());
        const QString t = Q(text);
        const int x = a.x + (a.width - m.horizontalAdvance(t)) / 2;
        const int y = a.y + (a.height - m.height()) / 2;
        p.setPen(color);
        p.drawText(x, y + m.ascent(), t);
    }
    void Left(const LayoutArea& a, const std::u16string& text, QColor color) {
        const QFontMetrics m(p.font());
        p.setPen(color);
        p.drawText(a.x + 5, a.y + (a.height - m.height()) / 2 + m.ascent(), Q(text));
    }
};

void Copy(QImage& onto, const QImage& from, const LayoutArea& a, int width = -1) {
    QPainter p(&onto);
    const QRect r(a.x, a.y, width < 0 ? a.width : width, a.height);
    p.drawImage(r.topLeft(), from, r);
}

enum class Page { Main, Advanced, Color };

// The texts of a page as the window writes them; `hover` is the main area drawn red.
void DrawTexts(QImage& image, const SkinLayouts& l, Page page, bool english, int hover) {
    QPainter qp(&image);
    qp.setFont(SkinFont(english));
    Painter p{qp, english};
    const QColor white(255, 255, 255), red(255, 0, 0);
    const int codes[7] = {1, 2, 3, 4, 5, 15, 16};
    for (int k = 0; k < (page == Page::Main ? 54 : 20); ++k) {
        if (page == Page::Main && k >= 25 && k <= 31) {
            p.Left(l.mainLayout[k], l.functionNames[codes[k - 25]], hover == k ? red : white);
        } else {
            p.Centred(l.mainLayout[k], l.mainLayout[k].text, white);
        }
    }
    if (page == Page::Advanced) {
        for (std::size_t j = 0; j < l.advancedLayout.size(); ++j) {
            std::u16string text = l.advancedLayout[j].text;
            if (j == 4) text = english ? u"Record" : u"录制";
            if (j == 33) text = u"50ms";
            if (j == 43) text = u"[↓]3";
            if (j == 44) text = u"[↑]3";
            p.Centred(l.advancedLayout[j], text, white);
        }
    }
    if (page == Page::Color) {
        for (std::size_t j = 0; j < l.colorLayout.size(); ++j) {
            p.Centred(l.colorLayout[j], j == 9 ? u"800" : l.colorLayout[j].text, white);
        }
    }
}

// Sample contents for the advanced page's controls, which the window draws as child widgets.
void DrawControls(QImage& image, const SkinLayouts& l, bool english) {
    QPainter p(&image);
    p.setFont(SkinFont(english));
    const QFontMetrics m(p.font());
    const auto box = [&](const ControlBox& b, const std::vector<QString>& lines, int selected) {
        p.fillRect(QRect(b.x, b.y, b.width, b.height), Qt::black);
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            const QRect row(b.x, b.y + 2 + i * (m.height() + 4), b.width, m.height() + 4);
            if (row.bottom() > b.y + b.height) break;
            if (i == selected) p.fillRect(row, QColor(9, 80, 108));
            p.setPen(Qt::white);
            p.drawText(row.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, lines[i]);
        }
    };
    box(l.macroListBox,
        english ? std::vector<QString>{"Reload", "Grenade", "Build wall"}
                : std::vector<QString>{"换弹", "投掷", "建墙"},
        0);
    box(l.stepListBox, {"↓ R", "  50 ms", "↑ R", "  20 ms", "↓ F", "  30 ms", "↑ F"}, 1);
    box(l.macroNameBox, {english ? "Reload" : "换弹"}, -1);
    box(l.repeatCountBox, {"3"}, -1);
}

QImage Composed(const std::array<QImage, 3>& pics, const SkinLayouts& l, Page page, bool english) {
    QImage image = pics[0].copy();
    const auto& m = l.mainLayout;
    int hover = -1;
    Copy(image, pics[2], m[4]);                           // profile 1
    Copy(image, pics[2], m[9 + static_cast<int>(page)]);  // the tab of the page
    Copy(image, pics[2], m[english ? 18 : 17]);
    if (page == Page::Main) {
        const int steps[4] = {3, 5, 6, 8};
        hover = 27;
        Copy(image, pics[1], m[27]);
        Copy(image, pics[2], m[54]);
        QPainter p(&image);
        const QColor colors[4] = {{0, 0, 255}, {255, 0, 255}, {255, 0, 0}, {128, 0, 255}};
        for (int lv = 0; lv < 4; ++lv) {
            for (int c = 66 + 12 * lv; c <= 66 + 12 * lv + steps[lv]; ++c) {
                p.fillRect(m[c].x + 1, m[c].y + 1, m[c].width - 2, m[c].height - 1, colors[lv]);
            }
        }
        p.end();
        for (int e = 46; e < 49; ++e) Copy(image, pics[2], m[e]);  // level 4 disabled
        Copy(image, pics[2], m[41]);
        Copy(image, pics[1], m[117]);
    } else if (page == Page::Advanced) {
        const auto& a = l.advancedLayout;
        Copy(image, pics[2], a[8 + 4]);
        Copy(image, pics[2], a[18 + 2]);
        Copy(image, pics[2], a[30],
             static_cast<int>(50u * static_cast<unsigned>(a[30].width) / 300u));
        Copy(image, pics[2], a[6]);
    } else {
        Copy(image, pics[2], l.colorLayout[0]);
    }
    DrawTexts(image, l, page, english, hover);
    if (page == Page::Advanced) DrawControls(image, l, english);
    return image;
}

std::string WriteMenus(const std::filesystem::path& skins, const SkinLayouts& l, bool english,
                       const std::filesystem::path& out, const std::string& tag) {
    const QImage normal = LoadSkinImage(skins, f::kMenuNormal);
    const QImage over = LoadSkinImage(skins, f::kMenuOver);
    const QImage sub = LoadSkinImage(skins, f::kSubMenuNormal);
    const QImage warnNormal = LoadSkinImage(skins, f::kWarningNormal);
    const QImage warnOver = LoadSkinImage(skins, f::kWarningOver);
    if (normal.isNull() || over.isNull() || sub.isNull() || warnNormal.isNull() ||
        warnOver.isNull()) {
        return "a menu or warning picture is missing";
    }
    // The menu with row 8 hovered beside the sub-menu that row opens.
    const int w = normal.width(), r = normal.height() / 10, sr = sub.height() / 12;
    QImage sheet(w + sub.width() + 40,
                 std::max(normal.height(), 10 * sr + 2 * r) + 40 + warnNormal.height(),
                 QImage::Format_RGB32);
    sheet.fill(QColor(40, 44, 52));
    QPainter p(&sheet);
    p.setFont(SkinFont(english));
    const QFontMetrics m(p.font());
    const int menuTop = 2 * r + 10;
    p.drawImage(10, menuTop, normal);
    p.drawImage(QPoint(10, menuTop + 7 * r), over, QRect(0, 7 * r, w, r));
    for (int i = 1; i <= 10; ++i) {
        const QString t = Q(l.functionNames[i]);
        p.setPen(i == 8 ? QColor(255, 0, 0) : QColor(255, 255, 255));
        p.drawText(10 + (w - m.horizontalAdvance(t)) / 2,
                   menuTop + r * (i - 1) + (r - m.height()) / 2 + m.ascent(), t);
    }
    const int subTop = menuTop - 2 * r;
    p.drawImage(QPoint(10 + w, subTop), sub, QRect(0, 0, sub.width(), 10 * sr + 1));
    for (int d = 1; d <= 10; ++d) {
        const QString t = Q(l.functionNames[20 + d]);
        p.setPen(Qt::white);
        p.drawText(10 + w + (sub.width() - m.horizontalAdvance(t)) / 2,
                   subTop + sr * (d - 1) + (sr - m.height()) / 2 + m.ascent(), t);
    }
    const int warnTop = std::max(menuTop + normal.height(), subTop + 10 * sr) + 20;
    p.drawImage(10, warnTop, warnNormal);
    const auto& ok = l.warningLayout[0];
    p.drawImage(QPoint(10 + ok.x, warnTop + ok.y), warnOver,
                QRect(ok.x, ok.y, ok.width, ok.height));
    for (const LayoutArea& a : l.warningLayout) {
        const QString t = Q(a.text);
        p.setPen(QColor(255, 0, 0));
        p.drawText(10 + a.x + (a.width - m.horizontalAdvance(t)) / 2,
                   warnTop + a.y + (a.height - m.height()) / 2 + m.ascent(), t);
    }
    p.end();
    const auto file = out / ("menus_" + tag + ".png");
    return sheet.save(QString::fromStdString(file.string())) ? std::string()
                                                             : "cannot write " + file.string();
}

std::string WriteLanguage(const std::filesystem::path& skins, const std::filesystem::path& out,
                          bool english) {
    ProfileFile files;
    CollectingPrompts prompts;
    LayoutReader reader(files, prompts, nullptr);
    SkinLayouts layouts;
    if (!LoadAllLayouts(reader, skins, english, layouts) || !prompts.messages.empty()) {
        return "the layouts did not load cleanly";
    }
    const std::string tag = english ? "en" : "cn";
    const struct {
        Page page;
        const char* name;
        std::string_view pictures[3];
    } pages[] = {
        {Page::Main, "main", {f::kMainNormal, f::kMainOver, f::kMainDown}},
        {Page::Advanced, "advanced", {f::kAdvancedNormal, f::kAdvancedOver, f::kAdvancedDown}},
        {Page::Color, "color", {f::kColorNormalPink, f::kColorOverRed, f::kColorDownPurple}}};
    const char* states[3] = {"normal", "over", "down"};
    for (const auto& page : pages) {
        std::array<QImage, 3> pics;
        for (int s = 0; s < 3; ++s) {
            pics[s] = LoadSkinImage(skins, page.pictures[s]);
            if (pics[s].isNull()) return "cannot read " + std::string(page.pictures[s]);
            QImage withText = pics[s].copy();
            DrawTexts(withText, layouts, page.page, english, -1);
            const auto file = out / (std::string(page.name) + "_" + states[s] + "_" + tag + ".png");
            if (!withText.save(QString::fromStdString(file.string())))
                return "cannot write " + file.string();
        }
        const auto file = out / (std::string(page.name) + "_composed_" + tag + ".png");
        if (!Composed(pics, layouts, page.page, english)
                 .save(QString::fromStdString(file.string()))) {
            return "cannot write " + file.string();
        }
    }
    return WriteMenus(skins, layouts, english, out, tag);
}

}  // namespace

std::string WritePreviews(const std::filesystem::path& skinsDir,
                          const std::filesystem::path& outDir) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    for (bool english : {true, false}) {
        if (std::string error = WriteLanguage(skinsDir, outDir, english); !error.empty()) {
            return error;
        }
    }
    return {};
}

}  // namespace zep::skingen
