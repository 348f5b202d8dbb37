#pragma once
// Drawing of the default skin: one palette, one way to draw each kind of area in each state.

#include <QColor>
#include <QPainter>
#include <QRect>
#include <optional>

#include "tools/skin-gen/skin_description.h"

namespace zep::skingen {

enum class State { Normal, Over, Down };

namespace palette {
inline const QColor kBase(9, 12, 18);
inline const QColor kTitle(14, 19, 28);
inline const QColor kCard(17, 23, 33);
inline const QColor kCardEdge(36, 46, 64);
inline const QColor kControl(27, 35, 49);
inline const QColor kControlEdge(50, 62, 84);
inline const QColor kHover(36, 49, 70);
inline const QColor kWell(7, 9, 13);
inline const QColor kAccent(40, 212, 248);
inline const QColor kAccentMid(20, 150, 192);
inline const QColor kAccentDeep(9, 80, 108);
inline const QColor kMuted(120, 136, 160);
}  // namespace palette

// The colours the window paints the DPI bars in, one per level.
[[nodiscard]] QColor LevelColor(int level);

// Draws area `a` in `state` strictly inside its rectangle, since the window copies exactly that
// rectangle from the hovered or pressed picture.
void DrawArea(QPainter& p, const AreaSpec& a, State state);

// The top view of the mouse at (x, y), 150 x 350 units at scale 1. `lit` lights all seven
// buttons (the hovered picture; each mark copies one of them). `light` is the LED colour of the
// preview, none for dark.
struct MouseLook {
    bool litButtons = false;
    bool litLeds = false;
    bool litEmblem = false;
    std::optional<QColor> light;
};
void DrawMouse(QPainter& p, QPointF origin, qreal scale, const MouseLook& look);

// The LED preview panel of the colour page; `light` none draws it dark.
void DrawPreview(QPainter& p, QRect rect, std::optional<QColor> light);

void FillRounded(QPainter& p, QRectF r, qreal radius, const QBrush& fill, const QColor& edge,
                 qreal edgeWidth = 1.0);
[[nodiscard]] QLinearGradient Vertical(QRectF r, QColor top, QColor bottom);

}  // namespace zep::skingen
