#include "ui/skin/mask_region.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zep {

namespace {

struct Span {
    std::int32_t left;
    std::int32_t right;
    bool operator==(const Span&) const = default;
};

// Exclusive-or of two sorted lists of disjoint spans: the points covered by exactly one list.
// Edges that coincide cancel, so touching results come out merged.
std::vector<Span> XorSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
    std::vector<std::int32_t> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const auto* list : {&a, &b}) {
        for (const Span& s : *list) {
            edges.push_back(s.left);
            edges.push_back(s.right);
        }
    }
    std::sort(edges.begin(), edges.end());
    std::vector<std::int32_t> toggles;
    for (std::size_t i = 0; i < edges.size();) {
        std::size_t j = i;
        while (j < edges.size() && edges[j] == edges[i]) ++j;
        if ((j - i) % 2 == 1) toggles.push_back(edges[i]);
        i = j;
    }
    std::vector<Span> out;
    for (std::size_t i = 0; i + 1 < toggles.size(); i += 2) {
        out.push_back({toggles[i], toggles[i + 1]});
    }
    return out;
}

}  // namespace

// Appends bands top to bottom and keeps the canonical form: a band that continues the previous
// one with the same spans extends it instead of starting a new one.
class RegionBandWriter {
  public:
    explicit RegionBandWriter(Region& region) : rects_(region.rects_) {}

    void Add(std::int32_t top, std::int32_t bottom, const std::vector<Span>& spans) {
        if (spans.empty() || top >= bottom) return;
        if (lastBottom_ == top && spans == lastSpans_) {
            for (std::size_t i = rects_.size() - spans.size(); i < rects_.size(); ++i) {
                rects_[i].bottom = bottom;
            }
        } else {
            for (const Span& s : spans) rects_.push_back({s.left, top, s.right, bottom});
            lastSpans_ = spans;
        }
        lastBottom_ = bottom;
    }

  private:
    std::vector<RegionRect>& rects_;
    std::vector<Span> lastSpans_;
    std::int32_t lastBottom_ = std::numeric_limits<std::int32_t>::min();
};

namespace {

// The spans of `rects` on the band that starts at index `first`; returns the index after it.
std::size_t BandSpans(const std::vector<RegionRect>& rects, std::size_t first,
                      std::vector<Span>& spans) {
    spans.clear();
    std::size_t i = first;
    while (i < rects.size() && rects[i].top == rects[first].top) {
        spans.push_back({rects[i].left, rects[i].right});
        ++i;
    }
    return i;
}

constexpr std::int64_t kNoEdge = std::numeric_limits<std::int64_t>::max();

// The spans of a region on the rows from y on, and the row where they change.
struct BandCursor {
    const std::vector<RegionRect>& rects;
    std::size_t index = 0;

    // The first row after y where the spans may change; kNoEdge past the last band.
    std::int64_t NextEdge(std::int32_t y) const {
        if (index >= rects.size()) return kNoEdge;
        const RegionRect& r = rects[index];
        return y < r.top ? r.top : r.bottom;
    }
    void SpansAt(std::int32_t y, std::vector<Span>& spans) {
        while (index < rects.size() && rects[index].bottom <= y) ++index;
        spans.clear();
        if (index < rects.size() && rects[index].top <= y) BandSpans(rects, index, spans);
    }
};

}  // namespace

Region Region::FromRect(RegionRect rect) {
    Region region;
    if (rect.left < rect.right && rect.top < rect.bottom) region.rects_.push_back(rect);
    return region;
}

bool Region::Contains(std::int32_t x, std::int32_t y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const RegionRect& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

std::int64_t Region::Area() const {
    std::int64_t area = 0;
    for (const RegionRect& r : rects_) {
        area += std::int64_t{r.right - r.left} * (r.bottom - r.top);
    }
    return area;
}

Region Region::Xor(const Region& other) const {
    Region result;
    RegionBandWriter writer(result);
    BandCursor a{rects_};
    BandCursor b{other.rects_};
    std::vector<Span> spansA, spansB;
    std::int32_t y = std::numeric_limits<std::int32_t>::min();
    for (;;) {
        a.SpansAt(y, spansA);
        b.SpansAt(y, spansB);
        const std::int64_t next = std::min(a.NextEdge(y), b.NextEdge(y));
        if (next == kNoEdge) break;
        const auto bottom = static_cast<std::int32_t>(next);
        if (!spansA.empty() || !spansB.empty()) writer.Add(y, bottom, XorSpans(spansA, spansB));
        y = bottom;
    }
    return result;
}

namespace {

bool FitsInBuffer(const MaskPixels& mask) {
    if (mask.width <= 0 || mask.height <= 0) return false;
    const std::size_t rowBytes = std::size_t(mask.width) * 3;
    if (mask.stride < rowBytes) return false;
    const std::size_t needed = mask.stride * std::size_t(mask.height - 1) + rowBytes;
    return needed <= mask.rgb.size();
}

void RowSpans(const std::uint8_t* row, std::int32_t width, std::vector<Span>& spans) {
    spans.clear();
    std::int32_t x = 0;
    while (x < width) {
        while (x < width && IsMaskHole(row[3 * x], row[3 * x + 1], row[3 * x + 2])) ++x;
        const std::int32_t start = x;
        while (x < width && !IsMaskHole(row[3 * x], row[3 * x + 1], row[3 * x + 2])) ++x;
        if (x > start) spans.push_back({start, x});
    }
}

}  // namespace

Region BuildMaskRegion(const MaskPixels& mask) {
    Region region;
    if (!FitsInBuffer(mask)) return region;
    RegionBandWriter writer(region);
    std::vector<Span> spans;
    const std::size_t rowBytes = std::size_t(mask.width) * 3;
    const std::uint8_t* previous = nullptr;
    for (std::int32_t y = 0; y < mask.height; ++y) {
        const std::uint8_t* row = mask.rgb.data() + std::size_t(y) * mask.stride;
        // Most rows of a mask repeat the one above byte for byte; they have its runs.
        if (previous == nullptr || std::memcmp(previous, row, rowBytes) != 0) {
            RowSpans(row, mask.width, spans);
        }
        writer.Add(y, y + 1, spans);
        previous = row;
    }
    return region;
}

Region BuildMaskRegionPerPixel(const MaskPixels& mask) {
    if (!FitsInBuffer(mask)) return {};
    Region region = Region::FromRect({0, 0, mask.width, mask.height});
    for (std::int32_t x = 0; x < mask.width; ++x) {
        for (std::int32_t y = 0; y < mask.height; ++y) {
            const std::uint8_t* p = mask.rgb.data() + std::size_t(y) * mask.stride + 3 * x;
            if (IsMaskHole(p[0], p[1], p[2])) {
                region = region.Xor(Region::FromRect({x, y, x + 1, y + 1}));
            }
        }
    }
    return region;
}

namespace {

// Control rectangles come from a hand-editable file; clamp them into the 32-bit plane instead of
// letting x + width wrap.
RegionRect ClampedRect(const ControlBox& box) {
    const LayoutRect r = box.Rect();
    const auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    };
    return {clamp(r.left), clamp(r.top), clamp(r.right), clamp(r.bottom)};
}

}  // namespace

Region BuildRepaintRegion(const Region& windowShape, const SkinLayouts& layouts) {
    return windowShape.Xor(Region::FromRect(ClampedRect(layouts.macroNameBox)))
        .Xor(Region::FromRect(ClampedRect(layouts.stepListBox)))
        .Xor(Region::FromRect(ClampedRect(layouts.macroListBox)));
}

}  // namespace zep
