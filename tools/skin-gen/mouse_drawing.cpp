#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "tools/skin-gen/drawing.h"

namespace zep::skingen {

using namespace palette;

namespace {

// The body outline, 150 wide and 350 long: a narrow nose, a waist, a wide palm.
QPainterPath BodyPath() {
    QPainterPath left;
    left.moveTo(75, 0);
    left.cubicTo(36, 0, 8, 18, 6, 70);
    left.cubicTo(4, 120, 14, 150, 12, 185);
    left.cubicTo(10, 230, 0, 262, 2, 298);
    left.cubicTo(4, 334, 40, 350, 75, 350);
    QPainterPath body = left;
    // The right half mirrors the left.
    QTransform mirror(-1, 0, 0, 1, 150, 0);
    body.connectPath(mirror.map(left).toReversed());
    body.closeSubpath();
    return body;
}

QPainterPath MainButton(bool right) {
    // The front of the body down to the seam, without the centre channel.
    QPainterPath front;
    front.addRect(right ? 86 : -20, -10, 84, 158);
    QPainterPath seam;
    seam.moveTo(-20, 140);
    seam.cubicTo(30, 158, 120, 158, 170, 140);
    seam.lineTo(170, -10);
    seam.lineTo(-20, -10);
    seam.closeSubpath();
    return BodyPath().intersected(front).intersected(seam);
}

QPainterPath SideButton(int index) {
    QPainterPath path;
    path.addRoundedRect(QRectF(-7, 189 + 48 * index, 16, 40), 7, 7);
    return path;
}

void FillPart(QPainter& p, const QPainterPath& part, bool lit) {
    const QRectF r = part.boundingRect();
    if (lit) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(60, 225, 255));
        g.setColorAt(1, QColor(12, 110, 150));
        p.setPen(QPen(QColor(170, 245, 255), 1.2));
        p.setBrush(g);
    } else {
        p.setPen(QPen(QColor(58, 70, 92), 1.0));
        p.setBrush(Vertical(r, QColor(38, 46, 62), QColor(24, 30, 42)));
    }
    p.drawPath(part);
}

void DrawWheel(QPainter& p, bool lit) {
    const QRectF wheel(67, 34, 16, 64);
    FillPart(
        p,
        [&] {
            QPainterPath w;
            w.addRoundedRect(wheel, 7, 7);
            return w;
        }(),
        lit);
    p.setPen(QPen(lit ? QColor(200, 250, 255) : QColor(70, 84, 108), 1));
    for (int i = 0; i < 9; ++i) {
        const qreal y = wheel.top() + 8 + i * 6;
        p.drawLine(QPointF(wheel.left() + 4, y), QPointF(wheel.right() - 4, y));
    }
}

void DrawLeds(QPainter& p, bool lit) {
    for (int l = 0; l < 4; ++l) {
        const QPointF c(75, 176 + 16 * l);
        if (lit) {
            QRadialGradient glow(c, 6);
            glow.setColorAt(0, LevelColor(l).lighter(140));
            glow.setColorAt(1, QColor(0, 0, 0, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(c, 6, 6);
        }
        p.setPen(QPen(QColor(70, 84, 108), 1));
        p.setBrush(lit ? LevelColor(l).lighter(120) : QColor(16, 20, 28));
        p.drawEllipse(c, 3.5, 3.5);
    }
}

QPolygonF Hexagon(QPointF c, qreal radius) {
    QPolygonF hex;
    for (int i = 0; i < 6; ++i) {
        const qreal angle = M_PI / 3 * i + M_PI / 6;
        hex << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return hex;
}

void DrawEmblem(QPainter& p, bool lit) {
    const QPointF c(75, 282);
    if (lit) {
        QRadialGradient glow(c, 20);
        glow.setColorAt(0, QColor(40, 212, 248, 120));
        glow.setColorAt(1, QColor(40, 212, 248, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, 20, 20);
    }
    p.setPen(QPen(lit ? kAccent : QColor(70, 84, 108), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(Hexagon(c, 13));
    p.drawPolyline(QPolygonF({c + QPointF(-5, -6), c + QPointF(3, 0), c + QPointF(-5, 6)}));
}

// Light strips along both flanks, the mouse's LED.
void DrawLightStrips(QPainter& p, const QColor& light) {
    QPainterPath strip;
    strip.moveTo(14, 200);
    strip.cubicTo(8, 240, 6, 270, 10, 300);
    QPainterPath both = strip;
    both.addPath(QTransform(-1, 0, 0, 1, 150, 0).map(strip));
    for (int width : {18, 10, 4}) {
        QColor c = light;
        c.setAlpha(width == 4 ? 255 : (width == 10 ? 110 : 50));
        p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(both);
    }
}

}  // namespace

void DrawMouse(QPainter& p, QPointF origin, qreal scale, const MouseLook& look) {
    p.save();
    p.translate(origin);
    p.scale(scale, scale);
    const QPainterPath body = BodyPath();
    QRadialGradient shade(QPointF(75, 220), 190);
    shade.setColorAt(0, QColor(30, 37, 50));
    shade.setColorAt(1, QColor(14, 18, 25));
    p.setPen(QPen(QColor(64, 78, 102), 1.4));
    p.setBrush(shade);
    p.drawPath(body);
    if (look.light) DrawLightStrips(p, *look.light);
    FillPart(p, MainButton(false), look.litButtons);
    FillPart(p, MainButton(true), look.litButtons);
    DrawWheel(p, look.litButtons);
    for (int i = 0; i < 2; ++i) {
        QPainterPath dpi;
        dpi.addRoundedRect(QRectF(68, 106 + 22 * i, 14, 17), 4, 4);
        FillPart(p, dpi, look.litButtons);
        FillPart(p, SideButton(i), look.litButtons);
    }
    DrawLeds(p, look.litLeds);
    DrawEmblem(p, look.litEmblem);
    p.restore();
}

void DrawPreview(QPainter& p, QRect rect, std::optional<QColor> light) {
    p.save();
    p.setClipRect(rect);
    p.fillRect(rect, QColor(6, 8, 12));
    const QPointF centre = QRectF(rect).center();
    if (light) {
        QRadialGradient glow(centre, rect.height() * 0.55);
        QColor inner = *light;
        inner.setAlpha(90);
        QColor outer = *light;
        outer.setAlpha(0);
        glow.setColorAt(0, inner);
        glow.setColorAt(1, outer);
        p.fillRect(rect, glow);
    }
    // A floor line and a faint grid give the preview depth.
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (int x = rect.left() + 16; x < rect.right(); x += 24)
        p.drawLine(x, rect.top(), x, rect.bottom());
    for (int y = rect.top() + 16; y < rect.bottom(); y += 24)
        p.drawLine(rect.left(), y, rect.right(), y);
    const qreal scale = 0.82;
    const QPointF origin(centre.x() - 75 * scale, centre.y() - 175 * scale);
    MouseLook look;
    look.light = light;
    look.litEmblem = light.has_value();
    DrawMouse(p, origin, scale, look);
    p.setPen(QPen(QColor(36, 46, 64), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.restore();
}

}  // namespace zep::skingen
