#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/ChartAxis.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

TEST(ChartAxis, ChartCreatesFiveAxesInDrawingOrder) {
  TCountingChart chart;
  const std::vector<TCustomChartAxis*> expected = {&chart.BottomAxis(), &chart.TopAxis(),
                                                   &chart.LeftAxis(), &chart.RightAxis(),
                                                   &chart.DepthAxis()};
  EXPECT_EQ(chart.Axes(), expected);
  {
    TCustomChartAxis custom(chart, true, false, false);
    EXPECT_EQ(chart.Axes().back(), &custom);
  }
  EXPECT_EQ(chart.Axes(), expected);
}

TEST(ChartAxis, PixelSpanFollowsChartRectAndPositions) {
  const struct {
    const char* name;
    TRect rect;
    bool horizontal;
    double startPercent, endPercent;
    int start, end, span, center;
  } cases[] = {
      {"horizontal full", MakeRect(10, 20, 260, 120), true, 0, 100, 10, 260, 250, 135},
      {"vertical full", MakeRect(10, 20, 260, 120), false, 0, 100, 20, 120, 100, 70},
      {"part of the width", MakeRect(10, 20, 260, 120), true, 10, 90, 35, 235, 200, 135},
      {"half pixel to even, down", MakeRect(0, 0, 250, 10), true, 1, 100, 2, 250, 248, 126},
      {"half pixel to even, up", MakeRect(0, 0, 250, 10), true, 3, 100, 8, 250, 242, 129},
      {"centre truncates toward zero", MakeRect(-15, 0, -2, 10), true, 0, 100, -15, -2, 13, -8},
      {"empty rectangle", MakeRect(5, 5, 5, 5), true, 0, 100, 5, 5, 0, 5},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    chart.SetChartRect(c.rect);
    TCustomChartAxis& axis = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    axis.SetStartPosition(c.startPercent);
    axis.SetEndPosition(c.endPercent);
    axis.RecalcPixelSpan();
    EXPECT_EQ(axis.StartPixel(), c.start) << c.name;
    EXPECT_EQ(axis.EndPixel(), c.end) << c.name;
    EXPECT_EQ(axis.SpanPixels(), c.span) << c.name;
    EXPECT_EQ(axis.CenterPixel(), c.center) << c.name;
  }
}

TEST(ChartAxis, ValuesMapToPixelsLinearly) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    bool horizontal, inverted;
    double min, max, value;
    int pixel;
  } cases[] = {
      {"x", true, false, 0, 10, 2, 14},
      {"x inverted", true, true, 0, 10, 2, 26},
      {"y: larger values higher", false, false, 0, 10, 2, 26},
      {"y inverted", false, true, 0, 10, 2, 14},
      {"x half pixel to even, down", true, false, 0, 10, 0.25, 10},
      {"x half pixel to even, up", true, false, 0, 10, 0.75, 12},
      {"outside the range", true, false, 0, 10, -4, 2},
      {"zero range: centre", true, false, 3, 3, 100, 20},
      {"offset beyond 32 bits: centre", false, false, 0, 10, 1e300, 20},
      {"not a number: centre", true, false, 0, 10, nan, 20},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    chart.SetChartRect(MakeRect(10, 10, 30, 30));
    TCustomChartAxis& axis = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    axis.SetInverted(c.inverted);
    axis.SetRange(c.min, c.max);
    axis.RecalcPixelSpan();
    EXPECT_EQ(axis.ValueToPixel(c.value), c.pixel) << c.name;
  }
}

TEST(ChartAxis, PixelToValueInvertsTheMapping) {
  for (bool horizontal : {true, false}) {
    for (bool inverted : {false, true}) {
      TCountingChart chart;
      chart.SetChartRect(MakeRect(10, 10, 30, 30));
      TCustomChartAxis& axis = horizontal ? chart.BottomAxis() : chart.LeftAxis();
      axis.SetInverted(inverted);
      axis.SetRange(-5, 5);
      axis.RecalcPixelSpan();
      for (double v : {-5.0, -1.5, 0.0, 2.5, 5.0})
        EXPECT_EQ(axis.PixelToValue(axis.ValueToPixel(v)), v) << horizontal << inverted << " " << v;
    }
  }
}

TEST(ChartAxis, PixelToValueIsZeroWithoutASpan) {
  TCountingChart chart;
  TCustomChartAxis& axis = chart.BottomAxis();
  axis.SetRange(3, 9);
  EXPECT_EQ(axis.SpanPixels(), 0);
  EXPECT_EQ(axis.PixelToValue(5), 0);
  EXPECT_EQ(axis.ValueToPixel(7), 0);
}

}  // namespace
}  // namespace halvorn
