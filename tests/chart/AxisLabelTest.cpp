// Label steps, label values and label texts of an axis, and fixing its
// range.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

// An axis of the given pixel length with the given working range.
TCustomChartAxis& PlaceAxis(TCountingChart& chart, bool horizontal, int span, double min,
                            double max) {
  chart.SetChartRect(TRect{0, 0, span, span});
  TCustomChartAxis& axis = horizontal ? static_cast<TCustomChartAxis&>(chart.BottomAxis())
                                      : static_cast<TCustomChartAxis&>(chart.LeftAxis());
  axis.RecalcPixelSpan();
  axis.SetRange(min, max);
  return axis;
}

TEST(AxisLabels, StepForLabelSize) {
  const struct {
    const char* name;
    bool horizontal;
    int span, size;
    double min, max, increment;
    int separation;
    double step;
  } cases[] = {
      {"13-pixel lines on 330 pixels keep 1", false, 330, 13, 0, 20.8, 0, 10, 1},
      {"50-pixel labels on 800 pixels walk to 100", true, 800, 50, 0, 1200, 0, 10, 100},
      {"no size: one label", true, 800, 0, 0, 10, 0, 10, 10},
      {"a set increment grows along the same steps", true, 800, 50, 0, 100, 3, 10, 10},
      {"a set increment that fits is kept", true, 800, 50, 0, 30, 3, 10, 3},
      {"no separation keeps 1 however crowded", true, 800, 50, 0, 1200, 0, 0, 1},
      {"no separation keeps the set increment", true, 800, 50, 0, 1200, 0.3, 0, 0.3},
      {"no separation, small range", true, 800, 50, 0, 0.5, 0, 0, 1e-12},
      {"small ranges step in small decades", true, 800, 50, 0, 0.05, 0, 10, 0.005},
      {"quotients beyond 32 bits grow the step", true, 800, 50, 0, 1e12, 0, 10, 1e11},
      {"a reversed range fits at once", true, 800, 50, 5, 1, 0, 10, 1},
      {"half a label on the axis: no count", true, 20, 50, 0, 100, 0, 10, 1e-12},
      {"no span before the first paint, even with an increment", true, 0, 50, 0, 100, 5, 10, 1e-12},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = PlaceAxis(chart, c.horizontal, c.span, c.min, c.max);
    axis.SetIncrement(c.increment);
    axis.SetLabelsSeparation(c.separation);
    EXPECT_NEAR(axis.LabelStepForSize(c.size), c.step, c.step * 1e-9) << c.name;
  }
}

TEST(AxisLabels, NextNiceStep) {
  const struct {
    double x, next;
  } cases[] = {{1, 2},         {1.5, 2},     {2, 5},      {4.99, 5},        {5, 10},
               {9.99, 10},     {10, 20},     {20, 50},    {50, 100},        {3, 5},
               {0.5, 1},       {0.2, 0.5},   {0.3, 0.5},  {1.5e-12, 2e-12}, {3e-12, 5e-12},
               {7e-12, 1e-11}, {1e11, 2e11}, {7e15, 1e16}};
  for (const auto& c : cases)
    EXPECT_NEAR(TCustomChartAxis::NextNiceStep(c.x), c.next, c.next * 1e-12) << c.x;
}

TEST(AxisLabels, NextNiceStepAlwaysGrows) {
  // Decades that a double holds just below their value come back within
  // rounding of themselves, but never at or below.
  for (double x : {1e-12, 1e-11, 0.1, 0.01, 1e-5, 1e-3, 1e20})
    EXPECT_GT(TCustomChartAxis::NextNiceStep(x), x) << x;
  TCountingChart chart;
  TCustomChartAxis& axis = PlaceAxis(chart, true, 800, 0, 4e-11);
  EXPECT_NEAR(axis.LabelStepForSize(50), 5e-12, 1e-24) << "walks on from 1e-12";
}

TEST(AxisLabels, ValuesFromTheTopDown) {
  const struct {
    const char* name;
    double min, max, step;
    bool roundFirst;
    std::vector<double> values;
  } cases[] = {
      {"empty range: its one value", 0, 0, 1e-12, true, {0}},
      {"even steps include both ends", 0, 10, 2, true, {10, 8, 6, 4, 2, 0}},
      {"first value rounded down to the step", 0.5, 3.7, 1, true, {3, 2, 1}},
      {"first value the maximum", 0.5, 3.7, 1, false, {3.7, 2.7, 1.7, 0.7}},
      {"negative maximum rounds below it", -4.5, -2.5, 1, true, {-3, -4}},
      {"10000 steps or more: none", 0, 2, 1e-4, true, {}},
      {"no step", 0, 10, 0, true, {}},
      {"reversed range", 10, 0, 1, true, {}},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = PlaceAxis(chart, true, 100, c.min, c.max);
    axis.SetRoundFirstLabel(c.roundFirst);
    const std::vector<double> values = axis.LabelValues(c.step);
    ASSERT_EQ(values.size(), c.values.size()) << c.name;
    for (std::size_t i = 0; i < values.size(); ++i)
      EXPECT_NEAR(values[i], c.values[i], 1e-9) << c.name << " #" << i;
  }
}

TEST(AxisLabels, ValuesEndWhereTheStepNoLongerCounts) {
  // At 1e20 a double's spacing is 16384: steps below half of it leave the
  // value where it is.
  const struct {
    double min, max, step;
  } cases[] = {{1e20, 1e20, 1e-12}, {1e20, 1e20 + 65536, 1000}, {1e19, 1e19 + 8192, 1}};
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = PlaceAxis(chart, false, 100, c.min, c.max);
    const std::vector<double> values = axis.LabelValues(c.step);
    ASSERT_FALSE(values.empty()) << c.min;
    EXPECT_LE(values.size(), 10000u);
    for (std::size_t i = 1; i < values.size(); ++i) EXPECT_LT(values[i], values[i - 1]);
    EXPECT_LE(values.front(), c.max);
  }
}

TEST(AxisLabels, ValuesFromTheChartsHandler) {
  const struct {
    const char* name;
    int supplied;
    std::size_t count;
  } cases[] = {{"three values", 3, 3}, {"none", 0, 0}, {"a handler that never stops", -1, 2001}};
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = PlaceAxis(chart, true, 100, 0, 10);
    std::vector<int> indices;
    chart.OnGetNextAxisLabel = [&](TCustomChartAxis& sender, int index, double& value, bool& stop) {
      EXPECT_EQ(&sender, &axis);
      indices.push_back(index);
      if (c.supplied >= 0 && index >= c.supplied) return;
      value = 0.5 * index;
      stop = false;
    };
    const std::vector<double> values = axis.LabelValues(1);
    ASSERT_EQ(values.size(), c.count) << c.name;
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], 0.5 * i) << c.name;
    EXPECT_EQ(indices.front(), 0) << c.name;
  }
}

TEST(AxisLabels, Texts) {
  const struct {
    double value;
    const char* format;
    bool multiLine;
    const char* text;
  } cases[] = {
      {1500, "#,##0.###", false, "1,500"},
      {1234.5, "#,##0.###", false, "1,234.5"},
      {-1234567.25, "#,##0.###", false, "-1,234,567.25"},
      {2.5, "#,##0.###", false, "2.5"},
      {100, "#,##0.###", false, "100"},
      {0.0004, "#,##0.###", false, "0"},
      {0.0006, "#,##0.###", false, "0.001"},
      {12, "0.00' m'", false, "12.00 m"},
      {12, "0' m of'", true, "12\rm\rof"},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = chart.LeftAxis();
    axis.SetAxisValuesFormat(c.format);
    axis.SetLabelsMultiLine(c.multiLine);
    EXPECT_EQ(axis.LabelText(c.value), c.text) << c.value << " " << c.format;
  }
}

// Texts are remembered between paints: one axis whose pattern changes back
// and forth, with values that compare equal but are written differently,
// and more values than are kept, must write each as the pattern does.
TEST(AxisLabels, RememberedTextsFollowThePattern) {
  TCountingChart chart;
  TCustomChartAxis& axis = chart.LeftAxis();
  std::vector<double> values{1234.5, 0.0, -0.0, 2.5};
  for (int i = 0; i < 100; ++i) values.push_back(i * 0.25);
  for (const char* format : {"#,##0.###", "0.00;(0.00);'zero'", "#,##0.###", "0.0;-0.0"}) {
    axis.SetAxisValuesFormat(format);
    for (int pass = 0; pass < 2; ++pass)
      for (const double v : values)
        ASSERT_EQ(axis.LabelText(v), FormatFloat(format, v)) << v << " " << format;
  }
}

TEST(AxisLabels, TextsPassThroughTheChartsHandlerBeforeLineBreaks) {
  TCountingChart chart;
  TCustomChartAxis& axis = chart.BottomAxis();
  axis.SetLabelsMultiLine(true);
  chart.OnGetAxisLabel = [&](TCustomChartAxis& sender, TChartSeries* series, int index,
                             std::string& text) {
    EXPECT_EQ(&sender, &axis);
    EXPECT_EQ(series, nullptr);
    EXPECT_EQ(index, -1);
    text = "month " + text;
  };
  EXPECT_EQ(axis.LabelText(7), "month\r7");
}

TEST(AxisLabels, FixedValueRange) {
  const struct {
    double min, max, storedMin, storedMax;
  } cases[] = {{2, 9, 2, 9}, {7, 3, 3, 7}, {5, 5, 5, 5 + 1e-10}, {-1, -1 + 1e-11, -1, -1 + 1e-10}};
  for (const auto& c : cases) {
    TCountingChart chart;
    TCustomChartAxis& axis = chart.LeftAxis();
    // Below the current limits: no order check stands in the way.
    axis.SetMinimum(-100);
    axis.SetValueRange(c.min, c.max);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    EXPECT_EQ(axis.Minimum(), c.storedMin) << c.min;
    EXPECT_EQ(axis.Maximum(), c.storedMax) << c.min;
    EXPECT_GT(chart.invalidations, 1);
    const int before = chart.invalidations;
    axis.SetValueRange(c.storedMin, c.storedMax);
    EXPECT_EQ(chart.invalidations, before) << "an unchanged range repaints nothing";
  }
}

TEST(AxisLabels, EffectiveStyleFollowsTheSeries) {
  const struct {
    const char* name;
    bool withSeries, active;
    const char* firstLabel;
    TAxisLabelStyle style;
    TAxisLabelStyle bottom, left;
  } cases[] = {
      {"no series", false, true, "", talAuto, talNone, talNone},
      {"an inactive series", true, false, "", talAuto, talNone, talNone},
      {"points without labels", true, true, "", talAuto, talValue, talValue},
      {"labelled points: texts along X", true, true, "Jan", talAuto, talText, talValue},
      {"a set style stays", true, true, "Jan", talMark, talMark, talMark},
      {"a set style without series", false, true, "", talValue, talValue, talValue},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TChartSeries series;
    if (c.withSeries) {
      series.SetParentChart(&chart);
      series.SetActive(c.active);
      series.AppendXY(1, 2, c.firstLabel, clAutoColor);
      series.AppendXY(2, 3, "Feb", clAutoColor);
    }
    chart.BottomAxis().SetLabelStyle(c.style);
    chart.LeftAxis().SetLabelStyle(c.style);
    EXPECT_EQ(chart.BottomAxis().EffectiveLabelStyle(), c.bottom) << c.name;
    EXPECT_EQ(chart.LeftAxis().EffectiveLabelStyle(), c.left) << c.name;
    series.SetParentChart(nullptr);
  }
}

}  // namespace
}  // namespace halvorn
