#include <gtest/gtest.h>

#include <random>

#include "ui/skin/mask_region.h"

namespace zep {
namespace {

// An RGB picture in memory, with padding at the end of each row as decoders leave it.
struct Picture {
    Picture(int w, int h, std::uint8_t fill) : width(w), height(h), stride(3 * w + 5) {
        bytes.assign(stride * h, fill);
    }
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::uint8_t* p = bytes.data() + y * stride + 3 * x;
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
    [[nodiscard]] MaskPixels Pixels() const { return {width, height, stride, bytes}; }
    int width, height;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;
};

bool IsHoleAt(const Picture& p, int x, int y) {
    const std::uint8_t* px = p.bytes.data() + y * p.stride + 3 * x;
    return IsMaskHole(px[0], px[1], px[2]);
}

// Every pixel of the picture is in the region exactly when it is not a hole, and the region has
// nothing outside the picture.
void ExpectFollowsPixelRule(const Picture& p, const Region& region) {
    std::int64_t inside = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            ASSERT_EQ(region.Contains(x, y), !IsHoleAt(p, x, y)) << x << "," << y;
            inside += !IsHoleAt(p, x, y);
        }
    }
    EXPECT_EQ(region.Area(), inside);
}

TEST(MaskHole, ThresholdIsAboveHundredOnAllThree) {
    EXPECT_TRUE(IsMaskHole(101, 101, 101));
    EXPECT_FALSE(IsMaskHole(100, 255, 255));
    EXPECT_FALSE(IsMaskHole(255, 100, 255));
    EXPECT_FALSE(IsMaskHole(255, 255, 100));
    EXPECT_FALSE(IsMaskHole(0, 0, 0));
    EXPECT_FALSE(IsMaskHole(255, 0, 0));
    EXPECT_TRUE(IsMaskHole(255, 255, 255));
}

TEST(MaskRegion, UniformMasks) {
    const Picture white(7, 5, 255);
    EXPECT_TRUE(BuildMaskRegion(white.Pixels()).empty());
    const Picture black(7, 5, 0);
    EXPECT_EQ(BuildMaskRegion(black.Pixels()).rects(), (std::vector<RegionRect>{{0, 0, 7, 5}}));
}

TEST(MaskRegion, RunsAndBandsAreMerged) {
    // Rounded corners on a black picture: two light pixels top left, one bottom right.
    Picture p(6, 4, 0);
    p.Set(0, 0, 255, 255, 255);
    p.Set(1, 0, 200, 200, 200);
    p.Set(5, 3, 101, 101, 101);
    const Region region = BuildMaskRegion(p.Pixels());
    EXPECT_EQ(region.rects(), (std::vector<RegionRect>{{2, 0, 6, 1}, {0, 1, 6, 3}, {0, 3, 5, 4}}));
    EXPECT_EQ(region, BuildMaskRegionPerPixel(p.Pixels()));
}

TEST(MaskRegion, EqualsPerPixelExclusiveOrOnRandomMasks) {
    std::mt19937 random(20240501);
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(random() % 23);
        const int h = 1 + static_cast<int>(random() % 17);
        Picture p(w, h, 0);
        // Values around the threshold, and blobs, so that runs start and end everywhere.
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const auto near = [&] { return static_cast<std::uint8_t>(99 + random() % 4); };
                if (random() % 3 == 0) p.Set(x, y, near(), near(), near());
                if ((x / 3 + y / 2 + round) % 4 == 0) p.Set(x, y, 255, 255, 255);
            }
        }
        const Region fast = BuildMaskRegion(p.Pixels());
        ExpectFollowsPixelRule(p, fast);
        ASSERT_EQ(fast, BuildMaskRegionPerPixel(p.Pixels())) << "round " << round;
    }
}

TEST(MaskRegion, BufferTooSmallGivesEmptyRegion) {
    Picture p(4, 4, 0);
    MaskPixels pixels = p.Pixels();
    // The last row needs its pixels, not its padding: drop the padding and one byte more.
    pixels.rgb = pixels.rgb.first(pixels.rgb.size() - 6);
    EXPECT_TRUE(BuildMaskRegion(pixels).empty());
    pixels = p.Pixels();
    pixels.stride = 3 * 4 - 1;  // rows would overlap
    EXPECT_TRUE(BuildMaskRegion(pixels).empty());
    pixels = p.Pixels();
    pixels.width = -1;
    EXPECT_TRUE(BuildMaskRegion(pixels).empty());
}

TEST(RegionXor, MatchesPointwiseDefinition) {
    std::mt19937 random(7);
    const auto randomRegion = [&] {
        Region r;
        for (int i = 0; i < 4; ++i) {
            const int x = random() % 12, y = random() % 12;
            r = r.Xor(Region::FromRect({x, y, x + int(random() % 6), y + int(random() % 6)}));
        }
        return r;
    };
    for (int round = 0; round < 60; ++round) {
        const Region a = randomRegion();
        const Region b = randomRegion();
        const Region x = a.Xor(b);
        for (int py = -1; py < 20; ++py) {
            for (int px = -1; px < 20; ++px) {
                ASSERT_EQ(x.Contains(px, py), a.Contains(px, py) != b.Contains(px, py));
            }
        }
        EXPECT_EQ(x.Xor(b), a);  // canonical form: toggling twice gives the same rectangles
    }
}

TEST(RepaintRegion, ControlsInsideBecomeHolesOutsideAreAdded) {
    const Region shape = Region::FromRect({0, 0, 100, 50});
    SkinLayouts layouts;
    layouts.macroNameBox = {10, 10, 20, 5};
    layouts.macroListBox = {40, 10, 10, 10};
    layouts.stepListBox = {90, 40, 20, 20};     // sticks out at the bottom right
    layouts.repeatCountBox = {60, 10, 10, 10};  // never cut out
    const Region repaint = BuildRepaintRegion(shape, layouts);
    EXPECT_FALSE(repaint.Contains(10, 10));
    EXPECT_FALSE(repaint.Contains(29, 14));
    EXPECT_TRUE(repaint.Contains(30, 14));
    EXPECT_FALSE(repaint.Contains(45, 15));
    EXPECT_TRUE(repaint.Contains(65, 15));
    EXPECT_FALSE(repaint.Contains(95, 45));  // inside both: toggled out
    EXPECT_TRUE(repaint.Contains(105, 55));  // outside the shape: added
    EXPECT_EQ(repaint.Area(), 5000 - 100 - 100 - 100 + 300);
    // The shape itself is untouched, and empty controls change nothing.
    EXPECT_EQ(BuildRepaintRegion(shape, SkinLayouts{}), shape);
}

TEST(RepaintRegion, HugeControlRectanglesDoNotWrap) {
    SkinLayouts layouts;
    layouts.macroNameBox = {2147483600, 0, 2147483600, 10};
    const Region repaint = BuildRepaintRegion(Region::FromRect({0, 0, 10, 10}), layouts);
    EXPECT_TRUE(repaint.Contains(5, 5));
    EXPECT_TRUE(repaint.Contains(2147483640, 5));
    EXPECT_FALSE(repaint.Contains(-5, 5));
}

}  // namespace
}  // namespace zep
