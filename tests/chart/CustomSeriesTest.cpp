#include <gtest/gtest.h>

#include <functional>

#include "chart/ChartException.h"
#include "chart/CustomSeries.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

TEST(CustomSeries, PointerSizeBelowOneIsRefusedAndTheSizeStays) {
  TCountingChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  chart.invalidations = 0;
  try {
    s.Pointer().SetHorizSize(0);
    ADD_FAILURE() << "accepted";
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "Pointer size must be greater than zero");
  }
  EXPECT_THROW(s.Pointer().SetVertSize(-3), ChartException);
  EXPECT_EQ(s.Pointer().HorizSize(), 4);
  EXPECT_EQ(s.Pointer().VertSize(), 4);
  EXPECT_EQ(chart.invalidations, 0);
  s.Pointer().SetHorizSize(1);
  EXPECT_EQ(s.Pointer().HorizSize(), 1);
}

TEST(CustomSeries, MarginsKeepMarkersAndStepsInsideTheAxes) {
  const struct {
    const char* name;
    bool pointerVisible, inflate;
    int size;
    bool stairs;
    int penWidth, lineHeight;
    int left, right, top, bottom;
  } cases[] = {
      {"this program's series", true, true, 3, false, 2, 0, 4, 4, 4, 4},
      {"markers hidden", false, true, 3, false, 2, 0, 0, 0, 0, 0},
      {"markers not inflating", true, false, 3, false, 2, 0, 0, 0, 0, 0},
      {"stairs", false, true, 3, true, 2, 0, 2, 2, 2, 3},
      {"stairs with wide pen and markers", true, true, 3, true, 6, 0, 6, 6, 6, 7},
      {"line height beyond marker", true, true, 3, false, 1, 9, 4, 4, 4, 9},
      {"line height within marker", true, true, 3, false, 1, 2, 4, 4, 4, 4},
  };
  for (const auto& c : cases) {
    TLineSeries s;
    s.Pointer().SetVisible(c.pointerVisible);
    s.Pointer().SetInflateMargins(c.inflate);
    s.Pointer().SetHorizSize(c.size);
    s.Pointer().SetVertSize(c.size);
    s.SetStairs(c.stairs);
    s.LinePen().SetWidth(c.penWidth);
    s.SetLineHeight(c.lineHeight);
    int left = -1, right = -1, top = -1, bottom = -1;
    s.HorizontalMargins(left, right);
    s.VerticalMargins(top, bottom);
    EXPECT_EQ(left, c.left) << c.name;
    EXPECT_EQ(right, c.right) << c.name;
    EXPECT_EQ(top, c.top) << c.name;
    EXPECT_EQ(bottom, c.bottom) << c.name;
  }
}

// The pens and brush of a series and its marker report changes as the
// series' repaint request.
TEST(CustomSeries, ChangedToolsAskForOneRepaint) {
  TCountingChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  const struct {
    const char* name;
    std::function<void()> write;
  } cases[] = {
      {"Stairs", [&] { s.SetStairs(true); }},
      {"LinePen colour", [&] { s.LinePen().SetColor(33023); }},
      {"Pointer visibility", [&] { s.Pointer().SetVisible(true); }},
      {"Pointer pen", [&] { s.Pointer().Pen().SetVisible(false); }},
      {"Pointer brush", [&] { s.Pointer().Brush().SetColor(clRed); }},
      {"Area lines pen", [&] { s.AreaLinesPen().SetWidth(3); }},
  };
  for (const auto& c : cases) {
    chart.invalidations = 0;
    c.write();
    c.write();  // the same value again
    EXPECT_EQ(chart.invalidations, 1) << c.name;
  }
}

// A line runs on to the far edge of ChartRect, so its visible range keeps
// the first point beyond it.
TEST(CustomSeries, VisibleRangeKeepsThePointBeyondTheFarEdge) {
  TCountingChart chart;
  chart.SetChartRect(TRect{0, 0, 100, 100});
  chart.BottomAxis().SetRange(2.5, 7.5);
  chart.BottomAxis().RecalcPixelSpan();
  TLineSeries s;
  s.SetParentChart(&chart);
  for (int i = 0; i <= 20; ++i) s.AppendXY(i, i, "", clAutoColor);
  s.ComputeVisibleRange();
  EXPECT_EQ(s.FirstVisibleIndex(), 3);
  EXPECT_EQ(s.LastVisibleIndex(), 8);
}

}  // namespace
}  // namespace halvorn
