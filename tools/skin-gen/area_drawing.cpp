#include <QPainterPath>
#include <QRadialGradient>

#include "tools/skin-gen/drawing.h"

namespace zep::skingen {

using namespace palette;

namespace {

QRectF Inner(const AreaSpec& a, qreal inset = 0.5) {
    return QRectF(a.x, a.y, a.width, a.height).adjusted(inset, inset, -inset, -inset);
}

QColor Mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// The lit look shared by pressed buttons and chosen options: a deep accent gradient that white
// text stays readable on, a bright edge and a glow along the top.
void DrawLit(QPainter& p, QRectF r, qreal radius) {
    FillRounded(p, r, radius, Vertical(r, QColor(16, 122, 158), kAccentDeep), kAccent);
    QLinearGradient shine(r.topLeft(), QPointF(r.left(), r.top() + r.height() * 0.5));
    shine.setColorAt(0, QColor(255, 255, 255, 46));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

void DrawPlain(QPainter& p, QRectF r, qreal radius, State state) {
    if (state == State::Down) {
        DrawLit(p, r, radius);
    } else if (state == State::Over) {
        FillRounded(p, r, radius, Vertical(r, Mix(kHover, kAccentDeep, 0.3), kHover), kAccentMid);
    } else {
        FillRounded(p, r, radius, Vertical(r, kControl, Mix(kControl, kWell, 0.35)), kControlEdge);
    }
}

void DrawPrimary(QPainter& p, const AreaSpec& a, State state) {
    const QRectF r = Inner(a);
    if (state == State::Down) {
        FillRounded(p, r, 6, Vertical(r, kAccentDeep, QColor(8, 60, 82)), kAccent, 1.5);
    } else {
        const QColor top = state == State::Over ? QColor(30, 170, 212) : QColor(20, 138, 176);
        FillRounded(p, r, 6, Vertical(r, top, kAccentDeep),
                    state == State::Over ? kAccent : kAccentMid);
    }
    if (a.param == 1) {  // the record button's dot
        const QPointF c(a.x + 22, a.y + a.height / 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(state == State::Down ? QColor(255, 70, 90) : QColor(225, 50, 70));
        p.drawEllipse(c, 6, 6);
    }
}

void DrawToggle(QPainter& p, const AreaSpec& a, State state) {
    const bool compact = a.param == 1;
    const QRectF r = Inner(a, compact ? 1.0 : 0.5);
    DrawPlain(p, r, compact ? 3 : 6, state);
    if (a.width < 100) return;
    // An indicator light at the left of wide options.
    const QPointF c(a.x + 20, a.y + a.height / 2.0);
    p.setPen(QPen(state == State::Down ? kAccent : kControlEdge, 1.5));
    p.setBrush(state == State::Down ? QColor(220, 250, 255) : kWell);
    p.drawEllipse(c, 5, 5);
}

void DrawProfile(QPainter& p, const AreaSpec& a, State state) {
    const QRectF r = Inner(a);
    DrawPlain(p, r, 6, state);
    const QColor bar =
        state == State::Down ? kAccent : (state == State::Over ? kAccentMid : kControlEdge);
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(a.x + 6, a.y + 10, 3, a.height - 20), 1.5, 1.5);
}

void DrawTab(QPainter& p, const AreaSpec& a, State state) {
    if (state == State::Normal) return;
    const QRectF r(a.x, a.y, a.width, a.height);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(40, 212, 248, 0));
    g.setColorAt(1, QColor(40, 212, 248, state == State::Down ? 70 : 34));
    p.fillRect(r, g);
    p.fillRect(QRectF(a.x + 8, a.y + a.height - 3, a.width - 16, 3),
               state == State::Down ? kAccent : kAccentMid);
}

void DrawSelector(QPainter& p, const AreaSpec& a, State state) {
    const QRectF r = Inner(a);
    const QColor edge = state == State::Normal ? kControlEdge : kAccent;
    const QColor fill =
        state == State::Down ? kAccentDeep : (state == State::Over ? kHover : kWell);
    FillRounded(p, r, 5, Vertical(r, fill, Mix(fill, kWell, 0.4)), edge);
    // The drop-down chevron at the right; names are drawn from the left, clear of it.
    const qreal cx = a.x + a.width - 14, cy = a.y + a.height / 2.0;
    p.setPen(QPen(state == State::Normal ? kMuted : kAccent, 1.8, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(cx - 4, cy - 2), QPointF(cx, cy + 2), QPointF(cx + 4, cy - 2)}));
}

void DrawCell(QPainter& p, const AreaSpec& a, State state) {
    // The window fills x + 1 ... x + w - 2 and y + 1 ... y + h - 1 with the level colour, so the
    // slot's frame is the top, left and right pixel lines.
    const QRectF r(a.x, a.y, a.width, a.height);
    p.fillRect(r, state == State::Normal ? kControlEdge : kAccent);
    const QColor inside = state == State::Down ? kHover : (state == State::Over ? kControl : kWell);
    p.fillRect(QRectF(a.x + 1, a.y + 1, a.width - 2, a.height - 1), inside);
}

void DrawRadio(QPainter& p, const AreaSpec& a, State state) {
    const QPointF c(a.x + a.width / 2.0, a.y + a.height / 2.0);
    p.setPen(QPen(state == State::Normal ? kControlEdge : kAccent, 1.5));
    p.setBrush(kWell);
    p.drawEllipse(c, 9, 9);
    if (state == State::Down) {
        QRadialGradient glow(c, 12);
        glow.setColorAt(0, QColor(40, 212, 248, 160));
        glow.setColorAt(1, QColor(40, 212, 248, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, 12, 12);
        p.setBrush(kAccent);
        p.drawEllipse(c, 5, 5);
    } else if (state == State::Over) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccentDeep);
        p.drawEllipse(c, 5, 5);
    }
}

void DrawSwatch(QPainter& p, const AreaSpec& a, State state) {
    const QColor c = LevelColor(a.param);
    const QRectF r(a.x + 1, a.y + 2, a.width - 2, a.height - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(state == State::Normal ? Mix(c, kCard, 0.45) : c);
    p.drawRoundedRect(r, 2, 2);
}

void DrawIcon(QPainter& p, const AreaSpec& a, State state, bool close) {
    const QRectF r = Inner(a);
    if (state != State::Normal) {
        FillRounded(p, r, 5, state == State::Down ? QBrush(kAccentDeep) : QBrush(kHover),
                    state == State::Down ? kAccent : kAccentMid);
    }
    const QPointF c = r.center();
    p.setPen(QPen(state == State::Normal ? kMuted : QColor(235, 245, 250), 1.8, Qt::SolidLine,
                  Qt::RoundCap));
    if (close) {
        p.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
        p.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
    } else {
        p.drawLine(c + QPointF(-6, 4), c + QPointF(6, 4));
    }
}

void DrawSlider(QPainter& p, const AreaSpec& a, State state) {
    const QRectF r(a.x, a.y, a.width, a.height);
    if (state == State::Down) {
        // Copied in part, from the left, in proportion to the interval.
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, kAccentDeep);
        g.setColorAt(1, kAccent);
        FillRounded(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 4, g, kAccent);
        return;
    }
    FillRounded(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 4, kWell,
                state == State::Over ? kAccent : kControlEdge);
    p.setPen(QPen(QColor(60, 74, 98), 1));
    for (int i = 1; i < 10; ++i) {
        const qreal x = a.x + a.width * i / 10.0;
        p.drawLine(QPointF(x, a.y + a.height - 6), QPointF(x, a.y + a.height - 2));
    }
}

void DrawReadout(QPainter& p, const AreaSpec& a) {
    const QRectF r = Inner(a);
    FillRounded(p, r, 4, Vertical(r, kWell, QColor(12, 16, 23)), QColor(34, 44, 60));
}

void DrawTitle(QPainter& p, const AreaSpec& a) {
    const qreal cx = a.x + a.width / 2.0;
    p.fillRect(QRectF(cx - 14, a.y + a.height - 2, 28, 2), kAccent);
}

void DrawLogo(QPainter& p, const AreaSpec& a, State state) {
    if (state == State::Normal) return;
    p.fillRect(QRectF(a.x + 10, a.y + a.height - 2, a.width - 20, 2),
               state == State::Down ? kAccent : kAccentMid);
}

}  // namespace

QColor LevelColor(int level) {
    static const QColor colors[4] = {QColor(0, 0, 255), QColor(255, 0, 255), QColor(255, 0, 0),
                                     QColor(128, 0, 255)};
    return colors[level & 3];
}

void FillRounded(QPainter& p, QRectF r, qreal radius, const QBrush& fill, const QColor& edge,
                 qreal edgeWidth) {
    p.setPen(QPen(edge, edgeWidth));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

QLinearGradient Vertical(QRectF r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void DrawArea(QPainter& p, const AreaSpec& a, State state) {
    p.save();
    p.setClipRect(QRect(a.x, a.y, a.width, a.height));
    switch (a.look) {
        case Look::Button:
            DrawPlain(p, Inner(a), 6, state);
            break;
        case Look::Primary:
            DrawPrimary(p, a, state);
            break;
        case Look::Toggle:
            DrawToggle(p, a, state);
            break;
        case Look::Profile:
            DrawProfile(p, a, state);
            break;
        case Look::Tab:
            DrawTab(p, a, state);
            break;
        case Look::Selector:
            DrawSelector(p, a, state);
            break;
        case Look::Cell:
            DrawCell(p, a, state);
            break;
        case Look::Radio:
            DrawRadio(p, a, state);
            break;
        case Look::Swatch:
            DrawSwatch(p, a, state);
            break;
        case Look::Minimize:
            DrawIcon(p, a, state, false);
            break;
        case Look::Close:
            DrawIcon(p, a, state, true);
            break;
        case Look::Slider:
            DrawSlider(p, a, state);
            break;
        case Look::Readout:
            DrawReadout(p, a);
            break;
        case Look::Title:
            DrawTitle(p, a);
            break;
        case Look::Logo:
            DrawLogo(p, a, state);
            break;
        // Drawn with the mouse picture or the preview, or not at all.
        case Look::Mark:
        case Look::Led:
        case Look::Emblem:
        case Look::Preview:
        case Look::Label:
        case Look::Message:
        case Look::None:
            break;
    }
    p.restore();
}

}  // namespace zep::skingen
