// The power engine beside the straightforward loop it replaces: every Run's
// samples from SeasonalSample, then the three tests with their p values.

#include <benchmark/benchmark.h>

#include <array>

#include "platform/runtime/MessageSinks.h"
#include "sim/PowerEngine.h"
#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

SimParams WithSamples(int n) {
  SimParams p;
  ApplySlider(p, TSlider::Samples, n);
  return p;
}

// The baseline: one Run at a time, as the window computes it, judged by all
// three tests.
void BM_StraightforwardRuns(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const SimParams p = WithSamples(n);
  const TSilentMessages quiet;
  SeedRandom(1);
  std::array<float, 301> before{}, after{};
  std::int64_t significant = 0;
  for (auto _ : state) {
    for (int i = 0; i < n; ++i)
      before[i + 1] = ToSingle(SeasonalSample(i * p.StepMonths + 1, p.PeriodMonths, p.BaselineP,
                                              p.AmplitudeP, p.PhaseP, p.ErrorPctP));
    for (int i = 0; i < n; ++i)
      after[i + 1] = ToSingle(SeasonalSample(i * p.StepMonths + 1, p.PeriodMonths, p.BaselineM,
                                             p.AmplitudeM, p.PhaseM, p.ErrorPctM));
    const auto un = static_cast<std::uint32_t>(n);
    for (const TTestInfo& test : kTests) {
      try {
        significant += IsSignificant(RunTest(test.Kind, before, after, un).p);
      } catch (const Exception&) {
      }
    }
  }
  benchmark::DoNotOptimize(significant);
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("Runs/s, one thread");
}
BENCHMARK(BM_StraightforwardRuns)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond);

// The engine: Runs per second for n samples on the given worker threads.
void BM_PowerRuns(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int threads = static_cast<int>(state.range(1));
  const std::int64_t runs = n <= 12 ? 200000 : 20000;
  TPowerPool pool(threads);
  TPowerRequest request{WithSamples(n), SeededRandomState(1), runs};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputePower(request, pool));
    request.Skip += runs;  // new Runs each time
  }
  state.SetItemsProcessed(state.iterations() * runs);
  state.SetLabel("Runs/s");
}
BENCHMARK(BM_PowerRuns)
    ->ArgsProduct({{12, 200}, {1, 2}})
    ->ArgNames({"n", "threads"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The engine with a measurement model of real data: lognormal errors,
// correlated at 0.5 month to month, and a detection limit that censors the
// seasonal lows. One thread.
void BM_PowerRunsOfAModel(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::int64_t runs = n <= 12 ? 200000 : 20000;
  TPowerPool pool(1);
  SimParams p = WithSamples(n);
  p.ErrorModel = TErrorModel::Lognormal;
  ApplySlider(p, TSlider::Correlation, 10);
  ApplySlider(p, TSlider::DetectionLimit, 14);
  TPowerRequest request{p, SeededRandomState(1), runs};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputePower(request, pool));
    request.Skip += runs;
  }
  state.SetItemsProcessed(state.iterations() * runs);
  state.SetLabel("Runs/s");
}
BENCHMARK(BM_PowerRunsOfAModel)
    ->Arg(12)
    ->Arg(200)
    ->ArgName("n")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The number of samples from 3 to 200, 1000 Runs each.
void BM_SamplesSweep(benchmark::State& state) {
  TPowerPool pool(static_cast<int>(state.range(0)));
  const TPowerRequest request{SimParams{}, SeededRandomState(1), 1000};
  for (auto _ : state)
    benchmark::DoNotOptimize(SweepPower(request, TSlider::Samples, 3, 200, 1, pool));
}
BENCHMARK(BM_SamplesSweep)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace halvorn
