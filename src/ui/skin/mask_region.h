#pragma once
// Window outlines from mask pictures. A light mask pixel (red, green and blue all above 100) is
// a hole through which the desktop shows; every other pixel belongs to the window. The builder
// works on decoded 8-bit RGB pixels and knows nothing of image formats or window systems.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/skin/layout.h"

namespace zep {

// Half-open rectangle in window pixels.
struct RegionRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const RegionRect&) const = default;
};

// A set of pixels kept as y-x bands: rectangles sorted by top, then left; the rectangles of one
// band share top and bottom, do not touch each other, and two bands that meet with the same
// spans are one band. The form is canonical, so two regions are the same set of pixels exactly
// when their rectangle lists are equal.
class Region {
  public:
    Region() = default;
    // An empty or inverted rectangle gives the empty region.
    [[nodiscard]] static Region FromRect(RegionRect rect);

    [[nodiscard]] const std::vector<RegionRect>& rects() const { return rects_; }
    [[nodiscard]] bool empty() const { return rects_.empty(); }
    [[nodiscard]] bool Contains(std::int32_t x, std::int32_t y) const;
    [[nodiscard]] std::int64_t Area() const;
    // Pixels in exactly one of the two regions.
    [[nodiscard]] Region Xor(const Region& other) const;

    bool operator==(const Region&) const = default;

  private:
    friend class RegionBandWriter;
    std::vector<RegionRect> rects_;
};

// Decoded picture: `height` rows of `stride` bytes, each row starting with `width` pixels of
// red, green, blue.
struct MaskPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t stride = 0;
    std::span<const std::uint8_t> rgb;
};

[[nodiscard]] constexpr bool IsMaskHole(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red > 100 && green > 100 && blue > 100;
}

// The picture's rectangle minus its hole pixels, from runs of window pixels per row, rows with
// the same runs merged into one band: linear in the number of pixels. Pixels that do not fit in
// `rgb` (a stride or size too small for the stated width and height) give the empty region
// rather than a read past the buffer.
[[nodiscard]] Region BuildMaskRegion(const MaskPixels& mask);

// The same region assembled as the rule is stated: the full rectangle, then one exclusive-or per
// hole pixel, columns outer, rows inner. Quadratic; the reference for tests and benchmarks.
[[nodiscard]] Region BuildMaskRegionPerPixel(const MaskPixels& mask);

// The region repainted on the advanced page: the window shape with the macro name box, the step
// list and the macro list toggled. A control inside the shape becomes a hole; one outside it
// would be added. The repeat count box is not cut out.
[[nodiscard]] Region BuildRepaintRegion(const Region& windowShape, const SkinLayouts& layouts);

}  // namespace zep
