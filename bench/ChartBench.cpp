// Costs of painting the window's chart: a full Render at the window's size
// with empty, 12-point and 200-point series, and the repaint of a fresh
// bitmap, which is a block copy only. A render is also given as a multiple
// of the fill of the whole bitmap measured in the same run (x_fill), the
// floor of any render.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>

#include "chart/Chart.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"
#include "sim/SimulationChart.h"

namespace halvorn {
namespace {

constexpr int kWidth = 873;
constexpr int kHeight = 393;

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) {
  return std::chrono::duration<double>(TClock::now() - start).count();
}

// Seconds per FillRect of the whole bitmap: the median of a few batches.
double FillFloor() {
  static const double floor = [] {
    TRasterBitmap bitmap(kWidth, kHeight);
    TDeviceContext dc(&bitmap);
    TLogBrush brush{bsSolid, RGB(212, 208, 200), nullptr};
    constexpr int kFills = 50;
    std::array<double, 7> batches{};
    for (double& batch : batches) {
      const TClock::time_point start = TClock::now();
      for (int i = 0; i < kFills; ++i) {
        dc.FillRect(TRect{0, 0, kWidth, kHeight}, brush);
        brush.Color ^= 0xFFFFFF;
        benchmark::DoNotOptimize(bitmap.Data());
      }
      batch = SecondsSince(start) / kFills;
    }
    std::sort(batches.begin(), batches.end());
    return batches[batches.size() / 2];
  }();
  return floor;
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

void BM_RenderWindowChart(benchmark::State& state) {
  TWindowChart w(static_cast<int>(state.range(0)));
  const double floor = FillFloor();
  const TClock::time_point start = TClock::now();
  for (auto _ : state) {
    w.chart.Chart().Invalidate();
    w.window.DeliverPaint();
  }
  state.counters["x_fill"] = SecondsSince(start) / static_cast<double>(state.iterations()) / floor;
}
BENCHMARK(BM_RenderWindowChart)->Arg(0)->Arg(12)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_PaintFreshBitmap(benchmark::State& state) {
  TWindowChart w(200);
  for (auto _ : state) w.window.PaintNow();
}
BENCHMARK(BM_PaintFreshBitmap)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halvorn
