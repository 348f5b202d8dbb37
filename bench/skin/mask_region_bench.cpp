// Building window regions from the default skin's masks: our run-merging builder against one
// exclusive-or per light pixel, the way the outline was first assembled.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <map>

#include "ui/skin/skin_files.h"
#include "ui/skin/skin_image.h"

namespace {

const QImage& Mask(std::string_view name) {
    static std::map<std::string_view, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.emplace(name, zep::LoadSkinImage(ZEP_DEFAULT_SKIN_DIR, name)).first;
    return it->second;
}

zep::MaskPixels Pixels(const QImage& image) {
    return {image.width(), image.height(), static_cast<std::size_t>(image.bytesPerLine()),
            std::span<const std::uint8_t>(image.constBits(),
                                          static_cast<std::size_t>(image.sizeInBytes()))};
}

void Runs(benchmark::State& state, std::string_view name) {
    const QImage& mask = Mask(name);
    for (auto _ : state) benchmark::DoNotOptimize(zep::BuildMaskRegion(Pixels(mask)));
}

void RunsToQRegion(benchmark::State& state, std::string_view name) {
    const QImage& mask = Mask(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(zep::ToQRegion(zep::BuildMaskRegion(Pixels(mask))));
}

// The outline as first assembled: every pixel read through the picture's per-pixel accessor,
// one QRegion exclusive-or per hole pixel, columns outer, rows inner.
void PerPixelQRegion(benchmark::State& state, std::string_view name) {
    const QImage& mask = Mask(name);
    for (auto _ : state) {
        QRegion region(0, 0, mask.width(), mask.height());
        for (int x = 0; x < mask.width(); ++x) {
            for (int y = 0; y < mask.height(); ++y) {
                const QRgb c = mask.pixel(x, y);
                if (zep::IsMaskHole(qRed(c), qGreen(c), qBlue(c))) {
                    region = region.xored(QRect(x, y, 1, 1));
                }
            }
        }
        benchmark::DoNotOptimize(region);
    }
}

// The same XORs with direct access to the decoded bytes: what the XORs alone cost.
void PerPixelQRegionDirect(benchmark::State& state, std::string_view name) {
    const QImage& mask = Mask(name);
    for (auto _ : state) {
        QRegion region(0, 0, mask.width(), mask.height());
        for (int x = 0; x < mask.width(); ++x) {
            for (int y = 0; y < mask.height(); ++y) {
                const uchar* p = mask.constScanLine(y) + 3 * x;
                if (zep::IsMaskHole(p[0], p[1], p[2])) region = region.xored(QRect(x, y, 1, 1));
            }
        }
        benchmark::DoNotOptimize(region);
    }
}

void PerPixelCore(benchmark::State& state, std::string_view name) {
    const QImage& mask = Mask(name);
    for (auto _ : state) benchmark::DoNotOptimize(zep::BuildMaskRegionPerPixel(Pixels(mask)));
}

using zep::skin_files::kMainMask;
using zep::skin_files::kWarningMask;
BENCHMARK_CAPTURE(Runs, main_mask, kMainMask)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunsToQRegion, main_mask, kMainMask)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PerPixelQRegion, main_mask, kMainMask)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixelQRegionDirect, main_mask, kMainMask)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PerPixelCore, main_mask, kMainMask)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Runs, warning_mask, kWarningMask)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunsToQRegion, warning_mask, kWarningMask)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PerPixelQRegion, warning_mask, kWarningMask)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
