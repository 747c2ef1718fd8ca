#include <benchmark/benchmark.h>

#include "scene/SimulationChart.h"
#include "sim/RandomSource.h"
#include "sim/Simulation.h"

namespace halvorn {
namespace {

class TDiscardedResult : public TRunResultView {
 public:
  void SetTText(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
  void SetPText(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
  void SetSignificanceVisible(bool) override {}
};

// One full Run: clear, append 2 x n points, test, format.
void BM_Run(benchmark::State& state) {
  SeedRandom(1);
  TSimulationChart chart;
  TSimulation sim;
  sim.SliderChanged(TSlider::Samples, static_cast<int>(state.range(0)));
  TDiscardedResult view;
  for (auto _ : state) sim.Run(chart.RunTarget(), TTestKind::EqualVariance, view);
}
BENCHMARK(BM_Run)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halvorn
