// The window's chart, configured as the main window configures it and
// painted at the window's size.

#include <gtest/gtest.h>

#include "chart/Chart.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "scene/SimulationChart.h"
#include "sim/RandomSource.h"
#include "sim/Simulation.h"
#include "tests/chart/ProbeChart.h"

namespace halvorn {
namespace {

constexpr TPixel Px(TColor c) { return ColorToPixel(ColorToRGB(c)); }

using testing::TProbeChart;

TEST(SimulationChart, TheWindowsChartAtItsDesignSize) {
  TOffscreenPanelHost window;
  TProbeChart chart;
  ConfigureChart(chart);
  TLineSeries before, after;
  ConfigureBeforeSeries(before);
  ConfigureAfterSeries(after);
  before.SetParentChart(&chart);
  after.SetParentChart(&chart);
  window.SetClient(&chart);
  chart.SetHost(&window);
  window.Resize(873, 393);
  window.DeliverPaint();

  EXPECT_EQ(chart.PaintRect(), (TRect{0, 0, 873, 393}));
  EXPECT_EQ(chart.beforeTitlesLegend, (TRect{0, 20, 829, 393}));
  chart.Canvas().Font().Assign(chart.Title().Font());
  const int lh = chart.Canvas().TextHeight("W");
  // The legend's margin of one pixel, then the empty title line.
  EXPECT_EQ(chart.afterTitlesLegend, (TRect{0, 20 + lh + 5, 828, 393}));
  const TRect r = chart.ChartRect();

  const TRasterBitmap& p = window.Pixels();
  EXPECT_EQ(p.At(400, 0), Px(clBtnHighlight));
  EXPECT_EQ(p.At(0, 10), Px(clBtnHighlight));
  EXPECT_EQ(p.At(400, 392), Px(clBtnShadow));
  EXPECT_EQ(p.At(872, 200), Px(clBtnShadow));
  // The left and bottom axes take their title, labels and ticks out of the
  // plot rectangle.
  chart.Canvas().Font().Assign(chart.LeftAxis().Title().Font());
  const int titleLine = chart.Canvas().TextHeight("W");
  chart.Canvas().Font().Assign(chart.LeftAxis().LabelsFont());
  const int labelLine = chart.Canvas().TextHeight("W");
  const int zeroLabel = chart.Canvas().TextWidth("0") + chart.Canvas().TextWidth(" ");
  EXPECT_EQ(r,
            (TRect{titleLine + zeroLabel + 6, 20 + lh + 5, 828, 393 - titleLine - labelLine - 6}));

  // The back wall: a black frame on the plot rectangle's edges, unfilled.
  for (int x = r.Left; x <= r.Right; x += 7) EXPECT_EQ(p.At(x, r.Top), Px(clBlack)) << x;
  for (int y = r.Top; y <= r.Bottom; y += 5) {
    EXPECT_EQ(p.At(r.Left, y), Px(clBlack)) << y;
    EXPECT_EQ(p.At(r.Right, y), Px(clBlack)) << y;
  }
  EXPECT_EQ(p.At(r.Right + 1, 200), Px(clBtnFace));
  EXPECT_EQ(p.At(400, r.Top + 3), Px(clBtnFace));
  EXPECT_EQ(p.At(400, r.Top - 1), Px(clBtnFace));
  chart.SetHost(nullptr);
}

// A Run through the chart fills the window's series in their own colours and
// leaves their titles.
TEST(SimulationChart, ARunFillsTheSeriesInTheirOwnColours) {
  struct TNoView : TRunResultView {
    void SetTText(const std::string&) override {}
    void SetPText(const std::string&) override {}
    void SetSignificanceVisible(bool) override {}
  } view;
  SeedRandom(1);
  TSimulationChart chart;
  TSimulation sim;
  sim.Run(chart.RunTarget(), TTestKind::EqualVariance, view);
  EXPECT_EQ(chart.Chart().SeriesAt(0), &chart.Before());
  EXPECT_EQ(chart.Before().Title(), "Πριν");
  EXPECT_EQ(chart.After().Title(), "Μετά");
  ASSERT_EQ(chart.Before().PointCount(), 12);
  ASSERT_EQ(chart.After().PointCount(), 12);
  EXPECT_EQ(chart.Before().PointColor(0), clBlue);
  EXPECT_EQ(chart.After().PointColor(11), 0x0080FFu);
  EXPECT_EQ(chart.After().XValueAt(11), 12);
  EXPECT_EQ(static_cast<float>(chart.After().YValueAt(3)), sim.ValuesM()[4]);
}

}  // namespace
}  // namespace halvorn
