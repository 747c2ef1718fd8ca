#include <benchmark/benchmark.h>

#include <array>

#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

using Samples = std::array<float, 300>;

void Fill(Samples& before, Samples& after, int n) {
  for (int i = 0; i < n; ++i)
    before[i + 1] = static_cast<float>(SeasonalSample(i + 1, 12, 100, 40, 6, 10));
  for (int i = 0; i < n; ++i)
    after[i + 1] = static_cast<float>(SeasonalSample(i + 1.0, 12, 120, 40, 6, 10));
}

void BM_SeasonalSample(benchmark::State& state) {
  SeedRandom(1);
  double t = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SeasonalSample(t, 12, 100, 40, 6, 10));
    t = t < 1000 ? t + 1 : 1;
  }
}
BENCHMARK(BM_SeasonalSample);

template <int Kind>
void BM_TTest(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  SeedRandom(1);
  Samples a{}, b{};
  Fill(a, b, n);
  float t, p;
  for (auto _ : state) {
    if constexpr (Kind == 0) StudentTEqual(a, n, b, n, t, p);
    if constexpr (Kind == 1) StudentTUnequal(a, n, b, n, t, p);
    if constexpr (Kind == 2) StudentTPaired(a, b, n, t, p);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_TTest<0>)->Name("BM_StudentTEqual")->Arg(12)->Arg(200);
BENCHMARK(BM_TTest<1>)->Name("BM_StudentTUnequal")->Arg(12)->Arg(200);
BENCHMARK(BM_TTest<2>)->Name("BM_StudentTPaired")->Arg(12)->Arg(200);

// One sample-and-test cycle: both series generated, then the pooled test.
void BM_GenerateAndTest(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  SeedRandom(1);
  Samples a{}, b{};
  float t, p;
  for (auto _ : state) {
    Fill(a, b, n);
    StudentTEqual(a, n, b, n, t, p);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_GenerateAndTest)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halvorn
