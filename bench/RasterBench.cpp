#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn {
namespace {

// The chart's client area in the program's main window.
constexpr int kWidth = 873;
constexpr int kHeight = 393;

void BM_MemoryFillFloor(benchmark::State& state) {
  std::vector<TPixel> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  TPixel value = kPixelBlack;
  for (auto _ : state) {
    std::fill(pixels.begin(), pixels.end(), value);
    value ^= 0x00FFFFFFu;
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_MemoryFillFloor)->Unit(benchmark::kMicrosecond);

void BM_FillRect(benchmark::State& state) {
  TRasterBitmap bitmap(kWidth, kHeight);
  TDeviceContext dc(&bitmap);
  TLogBrush brush{bsSolid, RGB(212, 208, 200), nullptr};
  for (auto _ : state) {
    dc.FillRect(TRect{0, 0, kWidth, kHeight}, brush);
    brush.Color ^= 0xFFFFFF;
    benchmark::DoNotOptimize(bitmap.Data());
  }
}
BENCHMARK(BM_FillRect)->Unit(benchmark::kMicrosecond);

// A series segment: 100 pixels along x, 37 across.
void BM_Line(benchmark::State& state) {
  TRasterBitmap bitmap(kWidth, kHeight);
  TDeviceContext dc(&bitmap);
  dc.SelectPen(TLogPen{psSolid, static_cast<int>(state.range(0)), clBlue, false});
  dc.SetClipRect(TRect{45, 21, 828, 380});
  int y = 50;
  for (auto _ : state) {
    dc.MoveTo(100, y);
    dc.LineTo(200, y + 37);
    y = y < 300 ? y + 1 : 50;
  }
  benchmark::DoNotOptimize(bitmap.Data());
}
BENCHMARK(BM_Line)->Arg(1)->Arg(2);

// A segment of a jagged series: 4 pixels along x, 90 across.
void BM_SteepLine(benchmark::State& state) {
  TRasterBitmap bitmap(kWidth, kHeight);
  TDeviceContext dc(&bitmap);
  dc.SelectPen(TLogPen{psSolid, 2, clBlue, false});
  dc.SetClipRect(TRect{45, 21, 828, 380});
  int x = 100;
  for (auto _ : state) {
    dc.MoveTo(x, 100);
    dc.LineTo(x + 4, 190);
    x = x < 700 ? x + 4 : 100;
  }
  benchmark::DoNotOptimize(bitmap.Data());
}
BENCHMARK(BM_SteepLine);

// A series marker: a 7 x 7 box filled in the point colour, clear pen.
void BM_Rectangle7x7(benchmark::State& state) {
  TRasterBitmap bitmap(kWidth, kHeight);
  TDeviceContext dc(&bitmap);
  dc.SelectPen(TLogPen{psClear, 1, clBlack, false});
  dc.SelectBrush(TLogBrush{bsSolid, clBlue, nullptr});
  dc.SetClipRect(TRect{45, 21, 828, 380});
  int x = 100;
  for (auto _ : state) {
    dc.Rectangle(x - 3, 200 - 3, x + 4, 200 + 4);
    x = x < 700 ? x + 1 : 100;
  }
  benchmark::DoNotOptimize(bitmap.Data());
}
BENCHMARK(BM_Rectangle7x7);

TLogFont LabelFont() {
  TLogFont f;
  f.FaceName = "Arial";
  f.Height = -11;
  return f;
}

// An axis label, right-aligned as the left axis writes them.
void BM_TextOut(benchmark::State& state, const char* text) {
  TRasterBitmap bitmap(kWidth, kHeight);
  TDeviceContext dc(&bitmap);
  dc.SelectFont(LabelFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextAlign(TA_RIGHT | TA_TOP);
  for (auto _ : state) dc.TextOut(40, 200, text);
  benchmark::DoNotOptimize(bitmap.Data());
}
BENCHMARK_CAPTURE(BM_TextOut, short_label, "125")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextOut, long_label, "-12345.678")->Unit(benchmark::kMicrosecond);

// The left axis title, turned a quarter.
void BM_RotatedTextOut(benchmark::State& state) {
  TRasterBitmap bitmap(kWidth, kHeight);
  TDeviceContext dc(&bitmap);
  TLogFont font = LabelFont();
  font.Weight = FW_BOLD;
  font.Escapement = 900;
  dc.SelectFont(font);
  dc.SetBkMode(TRANSPARENT);
  for (auto _ : state) dc.TextOut(5, 250, "Τιμή παραμέτρου");
  benchmark::DoNotOptimize(bitmap.Data());
}
BENCHMARK(BM_RotatedTextOut)->Unit(benchmark::kMicrosecond);

void BM_TextWidth(benchmark::State& state) {
  TDeviceContext dc;
  dc.SelectFont(LabelFont());
  for (auto _ : state) benchmark::DoNotOptimize(dc.TextExtent("-12345.678"));
}
BENCHMARK(BM_TextWidth)->Unit(benchmark::kMicrosecond);

void BM_BlockCopy(benchmark::State& state) {
  TRasterBitmap offscreen(kWidth, kHeight), window(kWidth, kHeight);
  TDeviceContext src(&offscreen), dst(&window);
  for (auto _ : state) {
    dst.BitBlt(0, 0, kWidth, kHeight, src, 0, 0, SRCCOPY);
    benchmark::DoNotOptimize(window.Data());
  }
}
BENCHMARK(BM_BlockCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halvorn
