#include "tools/skin-gen/skin_painter.h"

#include <QImage>
#include <QPainterPath>

#include "tools/skin-gen/drawing.h"
#include "ui/skin/skin_files.h"

namespace zep::skingen {

using namespace palette;

namespace {

enum class Page { Main, Advanced, Color };

// The window's outline: cut corners at top left and bottom right, round ones elsewhere.
QPainterPath Silhouette(int w, int h) {
    const qreal cut = 26, round = 16;
    QPainterPath path;
    path.moveTo(cut, 0);
    path.lineTo(w - round, 0);
    path.quadTo(w, 0, w, round);
    path.lineTo(w, h - cut);
    path.lineTo(w - cut, h);
    path.lineTo(round, h);
    path.quadTo(0, h, 0, h - round);
    path.lineTo(0, cut);
    path.closeSubpath();
    return path;
}

QPolygonF HexagonAt(QPointF c, qreal r) {
    QPolygonF hex;
    for (int i = 0; i < 6; ++i) {
        const qreal a = M_PI / 3 * i;
        hex << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return hex;
}

void DrawLogoMark(QPainter& p) {
    const QPointF c(40, 31);
    p.setPen(QPen(kAccent, 2));
    p.setBrush(QColor(40, 212, 248, 30));
    p.drawPolygon(HexagonAt(c, 14));
    p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({c + QPointF(-6, -7), c + QPointF(2, 0), c + QPointF(-6, 7)}));
    p.drawLine(c + QPointF(4, -7), c + QPointF(4, 7));
}

void DrawCard(QPainter& p, const CardSpec& c) {
    const QRectF r = QRectF(c.x, c.y, c.width, c.height).adjusted(0.5, 0.5, -0.5, -0.5);
    FillRounded(p, r, 10, Vertical(r, kCard, QColor(13, 18, 26)), kCardEdge);
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    p.drawLine(QPointF(r.left() + 10, r.top() + 1.5), QPointF(r.right() - 10, r.top() + 1.5));
}

// Everything that is not an area: background, title bar, sidebar, bottom bar, cards, wells.
void DrawChrome(QPainter& p, const SkinDescription& skin, const PageSpec& page, bool wells) {
    const int w = skin.width, h = skin.height;
    const QPainterPath outline = Silhouette(w, h);
    p.fillRect(0, 0, w, h, Qt::white);
    p.setClipPath(outline);
    p.fillRect(0, 0, w, h, Vertical(QRectF(0, 0, w, h), QColor(12, 16, 23), kBase));
    // Title bar with a fine diagonal texture.
    p.fillRect(QRectF(0, 0, w, 60), Vertical(QRectF(0, 0, w, 60), QColor(20, 26, 38), kTitle));
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (int x = -60; x < w; x += 7) p.drawLine(x, 60, x + 60, 0);
    p.fillRect(QRectF(0, 59, w, 1), QColor(34, 44, 62));
    QLinearGradient line(0, 0, w, 0);
    line.setColorAt(0, QColor(40, 212, 248, 0));
    line.setColorAt(0.45, kAccent);
    line.setColorAt(0.55, kAccent);
    line.setColorAt(1, QColor(40, 212, 248, 0));
    p.fillRect(QRectF(0, 59, w, 1), line);
    DrawLogoMark(p);
    DrawCard(p, {12, 66, 192, 462});
    // Bottom bar.
    p.fillRect(QRectF(0, 538, w, h - 538),
               Vertical(QRectF(0, 538, w, 62), kTitle, QColor(11, 15, 22)));
    p.fillRect(QRectF(0, 538, w, 1), QColor(34, 44, 62));
    for (const CardSpec& card : page.cards) DrawCard(p, card);
    if (wells) {
        for (const ControlSpec& c : skin.controls) {
            const QRectF r =
                QRectF(c.x - 2, c.y - 2, c.width + 4, c.height + 4).adjusted(0.5, 0.5, -0.5, -0.5);
            FillRounded(p, r, 4, QColor(0, 0, 0), kControlEdge);
        }
    }
    p.setClipping(false);
    p.setPen(QPen(QColor(40, 212, 248, 140), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(QTransform::fromTranslate(0, 0).map(Silhouette(w - 1, h - 1)).translated(0.5, 0.5));
}

QImage DrawPage(const SkinDescription& skin, Page page, State state,
                std::optional<QColor> preview) {
    const PageSpec& spec = page == Page::Main       ? skin.mainPage
                           : page == Page::Advanced ? skin.advancedPage
                                                    : skin.colorPage;
    QImage image(skin.width, skin.height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawChrome(p, skin, spec, page == Page::Advanced);
    if (page == Page::Main) {
        MouseLook look;
        look.litButtons = state == State::Over;
        look.litLeds = state != State::Normal;
        look.litEmblem = state != State::Normal;
        DrawMouse(p, QPointF(250, 110), 1.0, look);
    }
    for (const AreaSpec& a : skin.common) DrawArea(p, a, state);
    for (const AreaSpec& a : spec.areas) {
        if (a.look == Look::Preview) {
            DrawPreview(p, QRect(a.x, a.y, a.width, a.height), preview);
        } else {
            DrawArea(p, a, state);
        }
    }
    return image;
}

QImage DrawMask(int w, int h, const QPainterPath& shape) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // No antialiasing: edge pixels of grey would land on either side of the threshold.
    p.fillPath(shape, Qt::black);
    return image;
}

// A menu picture: `rows` rows of height `row`, every row in `state`; chevrons on `chevronRows`.
QImage DrawMenu(int w, int rows, int row, State state, int firstChevron) {
    QImage image(w, rows * row, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), Vertical(image.rect(), QColor(20, 27, 38), QColor(13, 18, 26)));
    for (int i = 0; i < rows; ++i) {
        const QRectF r(0, i * row, w, row);
        if (state != State::Normal) {
            const QRectF inner = r.adjusted(2.5, 1.5, -2.5, -1.5);
            if (state == State::Down) {
                FillRounded(p, inner, 4, Vertical(inner, QColor(16, 122, 158), kAccentDeep),
                            kAccent);
            } else {
                FillRounded(p, inner, 4, Vertical(inner, kHover, QColor(28, 38, 56)), kAccentMid);
                p.fillRect(QRectF(3, r.top() + 6, 3, row - 12), kAccent);
            }
        } else if (i > 0) {
            p.fillRect(QRectF(10, r.top(), w - 20, 1), QColor(36, 46, 64));
        }
        if (firstChevron > 0 && i + 1 >= firstChevron) {
            const qreal cx = w - 16, cy = r.center().y();
            p.setPen(
                QPen(state == State::Normal ? kMuted : kAccent, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawPolyline(
                QPolygonF({QPointF(cx - 2, cy - 5), QPointF(cx + 3, cy), QPointF(cx - 2, cy + 5)}));
        }
    }
    p.setPen(QPen(kCardEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    return image;
}

QImage DrawWarning(const SkinDescription& skin, State state) {
    const int w = skin.warningWidth, h = skin.warningHeight;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -0.5);
    FillRounded(p, r, 14, Vertical(r, QColor(22, 29, 41), kBase), kAccentMid, 1.2);
    // A warning sign drawn as shapes: a triangle with a bar and a dot.
    const QPointF c(w / 2.0, 32);
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(40, 212, 248, 36));
    p.drawPolygon(QPolygonF({c + QPointF(0, -16), c + QPointF(16, 12), c + QPointF(-16, 12)}));
    p.drawLine(c + QPointF(0, -6), c + QPointF(0, 3));
    p.drawPoint(c + QPointF(0, 8));
    for (const AreaSpec& a : skin.warning) DrawArea(p, a, state);
    return image;
}

std::string Save(const QImage& image, const std::filesystem::path& dir, std::string_view name,
                 int quality) {
    const auto path = dir / std::filesystem::path(std::string(name));
    if (!image.save(QString::fromStdString(path.string()), "JPG", quality)) {
        return "cannot write " + path.string();
    }
    return {};
}

}  // namespace

std::string PaintSkin(const SkinDescription& skin, const std::filesystem::path& dir) {
    namespace f = skin_files;
    const QColor pink(255, 0, 255), red(255, 0, 0), purple(128, 0, 255), blue(0, 0, 255);
    const struct {
        std::string_view name;
        QImage image;
        int quality;
    } pictures[] = {
        {f::kMainMask, DrawMask(skin.width, skin.height, Silhouette(skin.width, skin.height)), 100},
        {f::kMainNormal, DrawPage(skin, Page::Main, State::Normal, {}), 94},
        {f::kMainOver, DrawPage(skin, Page::Main, State::Over, {}), 94},
        {f::kMainDown, DrawPage(skin, Page::Main, State::Down, {}), 94},
        {f::kAdvancedNormal, DrawPage(skin, Page::Advanced, State::Normal, {}), 94},
        {f::kAdvancedOver, DrawPage(skin, Page::Advanced, State::Over, {}), 94},
        {f::kAdvancedDown, DrawPage(skin, Page::Advanced, State::Down, {}), 94},
        {f::kColorNormalPink, DrawPage(skin, Page::Color, State::Normal, pink), 94},
        {f::kColorOverRed, DrawPage(skin, Page::Color, State::Over, red), 94},
        {f::kColorDownPurple, DrawPage(skin, Page::Color, State::Down, purple), 94},
        {f::kColorNormalGray, DrawPage(skin, Page::Color, State::Normal, std::nullopt), 94},
        {f::kColorOverBlue, DrawPage(skin, Page::Color, State::Normal, blue), 94},
        {f::kMenuMask,
         DrawMask(skin.menuWidth, 10 * skin.menuRow,
                  [&] {
                      QPainterPath r;
                      r.addRect(0, 0, skin.menuWidth, 10 * skin.menuRow);
                      return r;
                  }()),
         100},
        {f::kMenuNormal, DrawMenu(skin.menuWidth, 10, skin.menuRow, State::Normal, 7), 94},
        {f::kMenuOver, DrawMenu(skin.menuWidth, 10, skin.menuRow, State::Over, 7), 94},
        {f::kMenuDown, DrawMenu(skin.menuWidth, 10, skin.menuRow, State::Down, 7), 94},
        {f::kSubMenuMask,
         DrawMask(skin.subMenuWidth, 12 * skin.subMenuRow,
                  [&] {
                      QPainterPath r;
                      r.addRect(0, 0, skin.subMenuWidth, 12 * skin.subMenuRow);
                      return r;
                  }()),
         100},
        {f::kSubMenuNormal, DrawMenu(skin.subMenuWidth, 12, skin.subMenuRow, State::Normal, 0), 94},
        {f::kSubMenuOver, DrawMenu(skin.subMenuWidth, 12, skin.subMenuRow, State::Over, 0), 94},
        {f::kSubMenuDown, DrawMenu(skin.subMenuWidth, 12, skin.subMenuRow, State::Down, 0), 94},
        {f::kWarningMask,
         DrawMask(skin.warningWidth, skin.warningHeight,
                  [&] {
                      QPainterPath r;
                      r.addRoundedRect(0, 0, skin.warningWidth, skin.warningHeight, 14, 14);
                      return r;
                  }()),
         100},
        {f::kWarningNormal, DrawWarning(skin, State::Normal), 94},
        {f::kWarningOver, DrawWarning(skin, State::Over), 94},
    };
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const auto& picture : pictures) {
        if (std::string error = Save(picture.image, dir, picture.name, picture.quality);
            !error.empty()) {
            return error;
        }
    }
    return {};
}

}  // namespace zep::skingen
