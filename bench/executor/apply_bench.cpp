// The apply on the simulated mouse, ours (two batch writes of config.ini) beside the original
// design (every key written on its own), with the file replacements each costs. Run with
// --benchmark_repetitions=N for medians over repetitions.

#include <benchmark/benchmark.h>

#include "bench_rig.h"

namespace zep::bench {
namespace {

template <bool Original>
void BM_Apply(benchmark::State& state) {
    Rig rig;
    auto services = rig.ApplyWith();
    const std::uint64_t before = rig.ini.replacements();
    for (auto _ : state) {
        if constexpr (Original) {
            OriginalApplyProfile(rig.settings, services);
        } else {
            benchmark::DoNotOptimize(ApplyProfile(rig.settings, services));
        }
    }
    state.counters["replacements"] = benchmark::Counter(
        static_cast<double>(rig.ini.replacements() - before), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_Apply<false>)->Name("Apply/ours")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Apply<true>)->Name("Apply/original")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zep::bench

BENCHMARK_MAIN();
