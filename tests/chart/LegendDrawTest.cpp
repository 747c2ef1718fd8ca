// The legend as a chart paint lays it out and draws it, read from the
// pixels of an offscreen window.

#include <gtest/gtest.h>

#include <cmath>

#include "chart/CanvasTools.h"
#include "chart/Chart.h"
#include "chart/ChartSeries.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/runtime/MulDiv.h"
#include "tests/chart/ProbeChart.h"

namespace halvorn {
namespace {

constexpr TPixel Px(TColor c) { return ColorToPixel(ColorToRGB(c)); }

using testing::TProbeChart;

// A flat chart of two titled series with the window's legend settings.
struct TLegendChart {
  TLegendChart(int width, int height) {
    chart.SetView3D(false);
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 0);
    first.SetTitle("First");
    second.SetTitle("Second series");
    first.SetSeriesColor(clBlue);
    second.SetSeriesColor(clRed);
    first.SetParentChart(&chart);
    second.SetParentChart(&chart);
    TChartLegend& legend = chart.Legend();
    legend.SetColorWidth(50);
    legend.SetHorizMargin(1);
    legend.SetResizeChart(false);
    legend.SetTopPos(0);
    window.SetClient(&chart);
    chart.SetHost(&window);
    window.Resize(width, height);
  }
  ~TLegendChart() { chart.SetHost(nullptr); }
  TPixel At(int x, int y) const { return window.Pixels().At(x, y); }
  void Paint() {
    chart.Invalidate();
    window.DeliverPaint();
  }
  // The legend font's measures, as the legend takes them.
  int LineHeight() {
    SelectFont(chart.Canvas(), chart.Legend().Font());
    return chart.Canvas().TextLineHeight();
  }
  int Width(const char* text) {
    SelectFont(chart.Canvas(), chart.Legend().Font());
    return chart.Canvas().TextWidth(text);
  }

  TOffscreenPanelHost window;
  TProbeChart chart;
  TChartSeries first, second;
};

TEST(LegendDraw, AVerticalLegendAtTheTopRightOfThePanel) {
  TLegendChart c(400, 200);
  // The back wall, drawn later, lies below the legend's rows.
  c.chart.SetMarginTop(20);
  c.chart.SetMarginRight(5);
  c.Paint();
  const TChartLegend& legend = c.chart.Legend();
  const int h = c.LineHeight();
  const int widest = c.Width("Second series");
  const TRect r = legend.LegendRect();
  // From the panel's top edge, above the top margin.
  EXPECT_EQ(r.Top, 0);
  EXPECT_EQ(r.Bottom, 2 * h + 2);
  EXPECT_EQ(legend.RowCount(), 2);
  EXPECT_EQ(legend.ColumnCount(), 1);
  // Frame (1) + 1, then the shadow, from the plot rectangle's right side.
  EXPECT_EQ(r.Right, 380 - 2 - 3);
  EXPECT_EQ(legend.SymbolWidth(), static_cast<int>(std::lround((widest + 10) * 0.5)));
  EXPECT_EQ(r.Left, r.Right - widest - 2 - legend.SymbolWidth() - 8);

  // Only the margin of one pixel leaves the plot rectangle.
  EXPECT_EQ(c.chart.afterTitlesLegend.Right, c.chart.beforeTitlesLegend.Right - 1);
  EXPECT_EQ(c.chart.afterTitlesLegend.Top, c.chart.beforeTitlesLegend.Top);

  // The outline one pixel outside, the box white, a black shadow of 3.
  EXPECT_EQ(c.At(r.Left - 1, r.Top + 5), Px(clBlack));
  EXPECT_EQ(c.At(r.Right, r.Top + 5), Px(clBlack));
  EXPECT_EQ(c.At(r.Left + 2, r.Bottom), Px(clBlack));
  EXPECT_EQ(c.At(r.Left + 1, r.Top + 1), Px(clWhite));
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(c.At(r.Right + d, r.Top + 5), Px(clBlack)) << d;
    EXPECT_EQ(c.At(r.Left + 5, r.Bottom + d), Px(clBlack)) << d;
  }
  EXPECT_EQ(c.At(r.Right + 1, r.Top + 2), Px(clBtnFace)) << "the shadow starts 3 rows down";
  EXPECT_EQ(c.At(r.Right + 4, r.Top + 5), Px(clBtnFace));

  // Each row: the symbol in the series colour left of the text.
  const int textX = r.Right - widest - 2;
  for (const auto& [row, colour] : {std::pair{0, clBlue}, std::pair{1, clRed}}) {
    const int y = r.Top + 1 + row * h;
    EXPECT_EQ(c.At(textX - 4 - legend.SymbolWidth() / 2, y + h / 2), Px(colour)) << row;
    bool ink = false;
    for (int x = textX; x < r.Right && !ink; ++x)
      for (int yy = y; yy < y + h && !ink; ++yy) ink = c.At(x, yy) == Px(clBlack);
    EXPECT_TRUE(ink) << "text of row " << row;
  }
  EXPECT_EQ(legend.ItemAtPixel(r.Left + 3, r.Top + 2), 0);
  EXPECT_EQ(legend.ItemAtPixel(r.Left + 3, r.Top + 1 + h + 2), 1);
  EXPECT_EQ(legend.ItemAtPixel(r.Left - 3, r.Top + 2), -1);
}

TEST(LegendDraw, TheSpaceTheLegendTakesFromThePlotRectangle) {
  const struct {
    bool resize;
    int margin;
    TLegendAlignment alignment;
  } cases[] = {{false, 1, laRight}, {false, 0, laRight}, {true, 1, laRight},
               {true, 0, laLeft},   {false, 0, laTop},   {true, 2, laBottom}};
  for (const auto& k : cases) {
    TLegendChart c(400, 200);
    TChartLegend& legend = c.chart.Legend();
    legend.SetResizeChart(k.resize);
    legend.SetHorizMargin(k.margin);
    legend.SetVertMargin(k.margin);
    legend.SetAlignment(k.alignment);
    c.Paint();
    const TRect before = c.chart.beforeTitlesLegend, after = c.chart.afterTitlesLegend;
    const TRect r = legend.LegendRect();
    const int hm = k.margin != 0 ? k.margin : MulDiv(3, before.Right - before.Left, 100);
    const int vm = k.margin != 0 ? k.margin : MulDiv(4, before.Bottom - before.Top, 100);
    TRect expected = before;
    switch (k.alignment) {
      case laRight:
        expected.Right = (k.resize ? r.Left : before.Right) - hm;
        break;
      case laLeft:
        expected.Left = (k.resize ? r.Right : before.Left) + hm;
        break;
      case laTop:
        expected.Top = (k.resize ? r.Bottom + 3 : before.Top) + vm;
        break;
      case laBottom:
        expected.Bottom = (k.resize ? r.Top : before.Bottom) - vm;
        break;
    }
    EXPECT_EQ(after, expected) << k.alignment << " " << k.resize << " " << k.margin;
  }
}

TEST(LegendDraw, NoLegendWithoutRoomOrActiveSeriesOrVisibility) {
  {
    TLegendChart c(300, 8);  // not one row fits
    c.Paint();
    EXPECT_EQ(c.chart.Legend().RowCount(), 0);
    EXPECT_EQ(c.chart.afterTitlesLegend, c.chart.beforeTitlesLegend);
  }
  {
    TLegendChart c(300, 100);
    c.first.SetActive(false);
    c.second.SetActive(false);
    c.Paint();
    EXPECT_EQ(c.chart.afterTitlesLegend, c.chart.beforeTitlesLegend);
    EXPECT_EQ(c.At(290, 5), Px(clBtnFace));
  }
  {
    TLegendChart c(300, 100);
    c.chart.Legend().SetVisible(false);
    c.Paint();
    EXPECT_EQ(c.chart.afterTitlesLegend, c.chart.beforeTitlesLegend);
  }
}

TEST(LegendDraw, SymbolsOfNullAndBackgroundColours) {
  TLegendChart c(300, 100);
  c.first.SetSeriesColor(clWhite);  // the legend's own colour: outlined again
  c.Paint();
  const TChartLegend& legend = c.chart.Legend();
  const TRect r = legend.LegendRect();
  const int h = c.LineHeight();
  const int textX = r.Right - c.Width("Second series") - 2;
  const TRect symbol{textX - 4 - legend.SymbolWidth(), r.Top + 3, textX - 4, r.Top + 1 + h - 2};
  EXPECT_EQ(c.At(symbol.Left, symbol.Top + 2), Px(clBlack));
  EXPECT_EQ(c.At((symbol.Left + symbol.Right) / 2, symbol.Top + 2), Px(clWhite));
}

}  // namespace
}  // namespace halvorn
