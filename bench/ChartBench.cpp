// Costs of painting the window's chart: a full Render at the window's size
// with empty, 12-point and 200-point series, and the repaint of a fresh
// bitmap, which is a block copy only. A render is also given as a multiple
// of the fill of the whole bitmap measured in the same run (x_fill, in CPU
// time), the floor of any render.

#include <benchmark/benchmark.h>

#include <ctime>

#include "chart/Chart.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"
#include "scene/SimulationChart.h"

namespace halvorn {
namespace {

constexpr int kWidth = 873;
constexpr int kHeight = 393;

// Thread CPU time: on a machine shared with other work it varies far less
// than wall time, for the render and its floor alike.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct TWindowChart {
  explicit TWindowChart(int points) {
    window.SetClient(&chart.Chart());
    chart.Chart().SetHost(&window);
    window.Resize(kWidth, kHeight);
    for (int i = 0; i < points; ++i) {
      chart.Before().AppendXY(i + 1, 100 + (i * 37) % 23, "", clAutoColor);
      chart.After().AppendXY(i + 1, 120 + (i * 17) % 29, "", clAutoColor);
    }
    window.DeliverPaint();
  }

  TOffscreenPanelHost window;
  TSimulationChart chart;
};

// The floor is measured between the renders, so that both see the same
// machine; it is left out of the reported time.
void BM_RenderWindowChart(benchmark::State& state) {
  TWindowChart w(static_cast<int>(state.range(0)));
  TRasterBitmap floorBitmap(kWidth, kHeight);
  TDeviceContext floorDc(&floorBitmap);
  TLogBrush brush{bsSolid, RGB(212, 208, 200), nullptr};
  double renders = 0, fills = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const double fillStart = CpuSeconds();
    floorDc.FillRect(TRect{0, 0, kWidth, kHeight}, brush);
    benchmark::DoNotOptimize(floorBitmap.Data());
    brush.Color ^= 0xFFFFFF;
    fills += CpuSeconds() - fillStart;
    state.ResumeTiming();
    const double renderStart = CpuSeconds();
    w.chart.Chart().Invalidate();
    w.window.DeliverPaint();
    renders += CpuSeconds() - renderStart;
  }
  state.counters["x_fill"] = renders / fills;
}
BENCHMARK(BM_RenderWindowChart)->Arg(0)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_PaintFreshBitmap(benchmark::State& state) {
  TWindowChart w(200);
  for (auto _ : state) w.window.PaintNow();
}
BENCHMARK(BM_PaintFreshBitmap)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halvorn
