#pragma once
// The Qt edge of the skin: decoding pictures, turning masks into window regions, the two fonts.

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <filesystem>
#include <optional>
#include <string_view>

#include "ui/skin/layout.h"
#include "ui/skin/mask_region.h"

namespace zep {

// A picture of the skin folder decoded to 8-bit RGB; a null image when the file is missing or
// not a readable picture. Nothing is cached: callers load what they draw.
[[nodiscard]] QImage LoadSkinImage(const std::filesystem::path& skinFolder, std::string_view name);

// The window region of a decoded mask (any format; converted to RGB888 first).
[[nodiscard]] Region MaskRegionOf(const QImage& mask);

[[nodiscard]] QRegion ToQRegion(const Region& region);

struct WindowShapes {
    QSize imageSize;
    QRegion windowShape;
    QRegion repaintRegion;
};

// The main window's size, outline and advanced-page repaint region from "main_mask.jpg" and the
// loaded control rectangles. nullopt when the mask cannot be read: the caller then leaves its
// window unshaped at its own size rather than guessing an outline.
[[nodiscard]] std::optional<WindowShapes> ShapeMainWindow(const std::filesystem::path& skinFolder,
                                                          const SkinLayouts& layouts);

// The warning dialog's size and outline from "warning_mask.jpg"; nullopt as above.
[[nodiscard]] std::optional<WindowShapes> ShapeWarningDialog(
    const std::filesystem::path& skinFolder);

// The font of every skinned text: "Consolas" for English and "宋体" for Chinese, each followed
// by look-alikes that Linux desktops have, at the pixel sizes the skin's areas are made for.
[[nodiscard]] QFont SkinFont(bool english);

}  // namespace zep
