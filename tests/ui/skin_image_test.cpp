#include <gtest/gtest.h>

#include <QPainter>

#include "platform/ini/profile_file.h"
#include "qt_app.h"
#include "support/temp_dir.h"
#include "ui/skin/skin_image.h"

namespace zep {
namespace {

using test::TempDir;

class SkinImage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    // A dark rounded shape on white with a grey ring near the threshold, saved as JPEG.
    void WriteMask(const char* name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(100, 100, 100), 2));
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(1, 1, w - 3, h - 3), 6, 6);
        p.end();
        ASSERT_TRUE(image.save(QString::fromStdString((dir / name).string()), "JPG", 80));
    }

    TempDir dir;
};

TEST_F(SkinImage, MissingOrBrokenPicturesGiveNothing) {
    EXPECT_TRUE(LoadSkinImage(dir.path(), "main_mask.jpg").isNull());
    test::WriteBytes(dir / "main_mask.jpg", "not a picture");
    EXPECT_TRUE(LoadSkinImage(dir.path(), "main_mask.jpg").isNull());
    // The window then stays unshaped.
    EXPECT_FALSE(ShapeMainWindow(dir.path(), SkinLayouts{}).has_value());
    EXPECT_FALSE(ShapeWarningDialog(dir.path()).has_value());
}

TEST_F(SkinImage, QRegionEqualsPerPixelExclusiveOrOfTheDecodedMask) {
    WriteMask("warning_mask.jpg", 31, 19);
    const QImage mask = LoadSkinImage(dir.path(), "warning_mask.jpg");
    ASSERT_FALSE(mask.isNull());
    ASSERT_EQ(mask.format(), QImage::Format_RGB888);
    // The rule as the window system would run it: one XOR per light pixel of the decoded data.
    QRegion expected(0, 0, mask.width(), mask.height());
    for (int x = 0; x < mask.width(); ++x) {
        for (int y = 0; y < mask.height(); ++y) {
            const QRgb c = mask.pixel(x, y);
            if (IsMaskHole(qRed(c), qGreen(c), qBlue(c)))
                expected = expected.xored(QRect(x, y, 1, 1));
        }
    }
    const QRegion built = ToQRegion(MaskRegionOf(mask));
    EXPECT_EQ(built, expected);
    EXPECT_FALSE(built.isEmpty());
    const auto shapes = ShapeWarningDialog(dir.path());
    ASSERT_TRUE(shapes.has_value());
    EXPECT_EQ(shapes->imageSize, QSize(31, 19));
    EXPECT_EQ(shapes->windowShape, expected);
}

TEST_F(SkinImage, MainWindowRepaintRegionLeavesTheControlsOut) {
    WriteMask("main_mask.jpg", 60, 40);
    SkinLayouts layouts;
    layouts.macroNameBox = {10, 10, 8, 6};
    layouts.macroListBox = {20, 10, 8, 6};
    layouts.stepListBox = {30, 10, 8, 6};
    layouts.repeatCountBox = {40, 10, 8, 6};
    const auto shapes = ShapeMainWindow(dir.path(), layouts);
    ASSERT_TRUE(shapes.has_value());
    EXPECT_EQ(shapes->imageSize, QSize(60, 40));
    for (const QPoint inControl : {QPoint(12, 12), QPoint(22, 12), QPoint(32, 12)}) {
        EXPECT_TRUE(shapes->windowShape.contains(inControl));
        EXPECT_FALSE(shapes->repaintRegion.contains(inControl));
    }
    EXPECT_TRUE(shapes->repaintRegion.contains(QPoint(42, 12)));  // the count box is repainted
    EXPECT_FALSE(shapes->windowShape.contains(QPoint(0, 0)));     // a rounded corner
}

}  // namespace
}  // namespace zep
