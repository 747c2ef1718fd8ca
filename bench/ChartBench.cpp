// Costs of painting the window's chart: a full Render at the window's size
// with empty, 12-point and 200-point series, and the repaint of a fresh
// bitmap, which is a block copy only.

#include <benchmark/benchmark.h>

#include "chart/Chart.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "scene/SimulationChart.h"

namespace halvorn {
namespace {

struct TWindowChart {
  explicit TWindowChart(int points) {
    window.SetClient(&chart.Chart());
    chart.Chart().SetHost(&window);
    window.Resize(873, 393);
    for (int i = 0; i < points; ++i) {
      chart.Before().AppendXY(i + 1, 100 + (i * 37) % 23, "", clAutoColor);
      chart.After().AppendXY(i + 1, 120 + (i * 17) % 29, "", clAutoColor);
    }
    window.DeliverPaint();
  }

  TOffscreenPanelHost window;
  TSimulationChart chart;
};

void BM_RenderWindowChart(benchmark::State& state) {
  TWindowChart w(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    w.chart.Chart().Invalidate();
    w.window.DeliverPaint();
  }
}
BENCHMARK(BM_RenderWindowChart)->Arg(0)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_PaintFreshBitmap(benchmark::State& state) {
  TWindowChart w(200);
  for (auto _ : state) w.window.PaintNow();
}
BENCHMARK(BM_PaintFreshBitmap)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halvorn
