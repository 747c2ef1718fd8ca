// Costs of the data side of a series: adding points in order, as a Run
// does, and the statistics pass the axes trigger after every change.

#include <benchmark/benchmark.h>

#include "chart/Chart.h"
#include "chart/CustomSeries.h"

namespace halvorn {
namespace {

// Clears the series and appends n points with increasing X, per iteration.
void BM_AppendXYInOrder(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TChart chart;
  auto* series = new TLineSeries;
  series->SetParentChart(&chart);
  for (auto _ : state) {
    series->ClearPoints();
    for (int i = 0; i < n; ++i) series->AppendXY(i + 1, 100.0 + i % 7, "", clAutoColor);
    benchmark::DoNotOptimize(series->PointCount());
  }
  // Seconds per point, shown with an SI prefix (n for nanoseconds).
  state.counters["per_point"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AppendXYInOrder)->Arg(12)->Arg(200)->Arg(10000);

// One recomputation of the four statistics of a 200-point column.
void BM_RefreshStatistics200(benchmark::State& state) {
  TLineSeries series;
  for (int i = 0; i < 200; ++i) series.AppendXY(i + 1, 100.0 + (i * 37) % 101, "", clAutoColor);
  const TChartValueList& y = series.YValues();
  for (auto _ : state) {
    y.RefreshStatistics();
    benchmark::DoNotOptimize(y.SumOfValues());
  }
}
BENCHMARK(BM_RefreshStatistics200);

}  // namespace
}  // namespace halvorn
