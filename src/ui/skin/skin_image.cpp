#include "ui/skin/skin_image.h"

#include <QFile>
#include <QImageReader>
#include <QStringList>
#include <vector>

#include "ui/skin/skin_files.h"

namespace zep {

QImage LoadSkinImage(const std::filesystem::path& skinFolder, std::string_view name) {
    const std::filesystem::path file = skinFolder / std::filesystem::path(std::string(name));
    QImageReader reader(QString::fromStdString(file.string()));
    QImage image = reader.read();
    if (image.isNull()) return {};
    return image.convertToFormat(QImage::Format_RGB888);
}

Region MaskRegionOf(const QImage& mask) {
    if (mask.isNull()) return {};
    const QImage rgb =
        mask.format() == QImage::Format_RGB888 ? mask : mask.convertToFormat(QImage::Format_RGB888);
    const auto stride = static_cast<std::size_t>(rgb.bytesPerLine());
    const MaskPixels pixels{rgb.width(), rgb.height(), stride,
                            std::span<const std::uint8_t>(
                                rgb.constBits(), static_cast<std::size_t>(rgb.sizeInBytes()))};
    return BuildMaskRegion(pixels);
}

QRegion ToQRegion(const Region& region) {
    std::vector<QRect> rects;
    rects.reserve(region.rects().size());
    for (const RegionRect& r : region.rects()) {
        rects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    QRegion result;
    // The rectangles are already y-x banded, which is what setRects expects.
    result.setRects(rects.data(), static_cast<int>(rects.size()));
    return result;
}

std::optional<WindowShapes> ShapeMainWindow(const std::filesystem::path& skinFolder,
                                            const SkinLayouts& layouts) {
    const QImage mask = LoadSkinImage(skinFolder, skin_files::kMainMask);
    if (mask.isNull()) return std::nullopt;
    const Region shape = MaskRegionOf(mask);
    return WindowShapes{mask.size(), ToQRegion(shape),
                        ToQRegion(BuildRepaintRegion(shape, layouts))};
}

std::optional<WindowShapes> ShapeWarningDialog(const std::filesystem::path& skinFolder) {
    const QImage mask = LoadSkinImage(skinFolder, skin_files::kWarningMask);
    if (mask.isNull()) return std::nullopt;
    const QRegion shape = ToQRegion(MaskRegionOf(mask));
    return WindowShapes{mask.size(), shape, shape};
}

QFont SkinFont(bool english) {
    QFont font;
    if (english) {
        font.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"),
                          QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans Mono")});
        font.setStyleHint(QFont::Monospace);
        font.setPixelSize(12);  // a 14-pixel cell, 7 pixels per character
    } else {
        font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                          QStringLiteral("WenQuanYi Micro Hei"),
                          QStringLiteral("Noto Sans CJK SC")});
        font.setPixelSize(12);  // 12-pixel ideographs
    }
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace zep
