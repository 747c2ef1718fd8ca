#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartCanvas.h"
#include "chart/ChartException.h"
#include "chart/ChartLegend.h"
#include "chart/ChartSeries.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

// A chart with a legend and the series it lists. The series are destroyed
// before the chart, so each leaves the chart's list on its own.
struct LegendScene {
  TChartSeries& Add(const std::string& title, bool active = true, bool inLegend = true) {
    series.push_back(std::make_unique<TChartSeries>());
    TChartSeries& s = *series.back();
    s.SetTitle(title);
    s.SetActive(active);
    s.SetShowInLegend(inLegend);
    s.SetParentChart(&chart);
    return s;
  }

  TCountingChart chart;
  TChartLegend legend{chart};
  std::vector<std::unique_ptr<TChartSeries>> series;
};

// Measures a text as 6 pixels per byte and records what it was asked.
class TMeasuringCanvas : public TChartCanvas3D {
 public:
  int TextWidth(std::string_view text) override {
    measured.emplace_back(text);
    return 6 * static_cast<int>(text.size());
  }
  std::vector<std::string> measured;
};

TEST(ChartLegend, StartsWithTheClassDefaultsAndRequestsNoRepaint) {
  TCountingChart chart;
  const TChartLegend legend(chart);
  EXPECT_EQ(&legend.ParentChart(), &chart);
  EXPECT_EQ(chart.invalidations, 0);
  EXPECT_EQ(legend.Alignment(), laRight);
  EXPECT_EQ(legend.Brush().Color(), clAutoColor);
  EXPECT_EQ(legend.Brush().Style(), bsSolid);
  EXPECT_EQ(legend.Brush().Image(), nullptr);
  EXPECT_EQ(legend.Color(), clWhite);
  EXPECT_EQ(legend.ColorWidth(), 12);
  EXPECT_FALSE(legend.DividingLines().Visible());
  EXPECT_EQ(legend.FirstValue(), 0);
  EXPECT_TRUE(IsDefaultChartFont(legend.Font()));
  EXPECT_TRUE(legend.Frame().Visible());
  EXPECT_EQ(legend.Frame().Color(), clBlack);
  EXPECT_EQ(legend.Frame().Width(), 1);
  EXPECT_EQ(legend.Frame().Style(), psSolid);
  EXPECT_EQ(legend.HorizMargin(), 0);
  EXPECT_FALSE(legend.Inverted());
  EXPECT_EQ(legend.LegendStyle(), lsAuto);
  EXPECT_EQ(legend.MaxNumRows(), 10);
  EXPECT_TRUE(legend.ResizeChart());
  EXPECT_EQ(legend.ShadowColor(), clBlack);
  EXPECT_EQ(legend.ShadowSize(), 3);
  EXPECT_EQ(legend.TextStyle(), ltsLeftValue);
  EXPECT_EQ(legend.TopPos(), 10);
  EXPECT_EQ(legend.VertMargin(), 0);
  EXPECT_TRUE(legend.Visible());
  EXPECT_TRUE(legend.IsVertical());
  EXPECT_EQ(legend.ResolvedStyle(), lsValues);
  EXPECT_EQ(legend.LegendRect(), TRect{});
  EXPECT_EQ(legend.RowCount(), 0);
  EXPECT_EQ(legend.ColumnCount(), 0);
  EXPECT_EQ(legend.SymbolWidth(), 0);
}

TEST(ChartLegend, AChangedSettingRepaintsOnceAndAnEqualOneNotAtAll) {
  TChartBrush hatched;
  hatched.SetStyle(bsCross);
  TChartPen thick;
  thick.SetWidth(3);
  TFont bold;
  InitDefaultChartFont(bold, {});
  bold.SetStyle(fsBold);

  const struct {
    const char* name;
    std::function<void(TChartLegend&)> change;
    std::function<bool(const TChartLegend&)> took;
  } cases[] = {
      {"Alignment", [](auto& l) { l.SetAlignment(laBottom); },
       [](auto& l) { return l.Alignment() == laBottom && !l.IsVertical(); }},
      {"Color", [](auto& l) { l.SetColor(clNavy); }, [](auto& l) { return l.Color() == clNavy; }},
      {"ColorWidth", [](auto& l) { l.SetColorWidth(50); },
       [](auto& l) { return l.ColorWidth() == 50; }},
      {"FirstValue", [](auto& l) { l.SetFirstValue(2); },
       [](auto& l) { return l.FirstValue() == 2; }},
      {"HorizMargin", [](auto& l) { l.SetHorizMargin(1); },
       [](auto& l) { return l.HorizMargin() == 1; }},
      {"Inverted", [](auto& l) { l.SetInverted(true); }, [](auto& l) { return l.Inverted(); }},
      {"LegendStyle", [](auto& l) { l.SetLegendStyle(lsLastValues); },
       [](auto& l) { return l.LegendStyle() == lsLastValues; }},
      {"MaxNumRows", [](auto& l) { l.SetMaxNumRows(3); },
       [](auto& l) { return l.MaxNumRows() == 3; }},
      {"ResizeChart", [](auto& l) { l.SetResizeChart(false); },
       [](auto& l) { return !l.ResizeChart(); }},
      {"ShadowColor", [](auto& l) { l.SetShadowColor(clGray); },
       [](auto& l) { return l.ShadowColor() == clGray; }},
      {"ShadowSize", [](auto& l) { l.SetShadowSize(0); },
       [](auto& l) { return l.ShadowSize() == 0; }},
      {"TextStyle", [](auto& l) { l.SetTextStyle(ltsRightValue); },
       [](auto& l) { return l.TextStyle() == ltsRightValue; }},
      {"TopPos", [](auto& l) { l.SetTopPos(0); }, [](auto& l) { return l.TopPos() == 0; }},
      {"VertMargin", [](auto& l) { l.SetVertMargin(1); },
       [](auto& l) { return l.VertMargin() == 1; }},
      {"Visible", [](auto& l) { l.SetVisible(false); }, [](auto& l) { return !l.Visible(); }},
      {"Brush assigned", [&](auto& l) { l.SetBrush(hatched); },
       [](auto& l) { return l.Brush().Style() == bsCross; }},
      {"Brush changed", [](auto& l) { l.Brush().SetColor(clRed); },
       [](auto& l) { return l.Brush().Color() == clRed; }},
      {"Frame assigned", [&](auto& l) { l.SetFrame(thick); },
       [](auto& l) { return l.Frame().Width() == 3; }},
      {"Frame changed", [](auto& l) { l.Frame().SetVisible(false); },
       [](auto& l) { return !l.Frame().Visible(); }},
      {"DividingLines assigned", [&](auto& l) { l.SetDividingLines(thick); },
       [](auto& l) { return l.DividingLines().Visible() && l.DividingLines().Width() == 3; }},
      {"DividingLines changed", [](auto& l) { l.DividingLines().SetColor(clRed); },
       [](auto& l) { return l.DividingLines().Color() == clRed; }},
      {"Font assigned", [&](auto& l) { l.SetFont(bold); },
       [](auto& l) { return l.Font().Style() == fsBold; }},
      {"Font changed", [](auto& l) { l.Font().SetHeight(-12); },
       [](auto& l) { return l.Font().Height() == -12; }},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    TChartLegend legend(chart);
    c.change(legend);
    EXPECT_TRUE(c.took(legend)) << c.name;
    EXPECT_EQ(chart.invalidations, 1) << c.name;
    c.change(legend);
    EXPECT_EQ(chart.invalidations, 1) << c.name << ", written again";
  }
}

TEST(ChartLegend, CheckedSettersRefuseOutOfRangeValuesAndKeepTheOldOne) {
  const struct Checked {
    const char* name;
    void (TCustomChartLegend::*set)(int);
    int (TCustomChartLegend::*get)() const;
    std::string message;
  } topPos{"TopPos", &TCustomChartLegend::SetTopPos, &TCustomChartLegend::TopPos,
           "Top Legend Position must be between 0 and 100 %"},
      colorWidth{"ColorWidth", &TCustomChartLegend::SetColorWidth, &TCustomChartLegend::ColorWidth,
                 "Legend Color Width must be between 0 and 100 %"},
      firstValue{"FirstValue", &TCustomChartLegend::SetFirstValue, &TCustomChartLegend::FirstValue,
                 "First Legend Value must be > 0"};
  const struct {
    const Checked* setter;
    int value;
    bool accepted;
  } cases[] = {
      {&topPos, 101, false},    {&topPos, -1, false},   {&topPos, INT_MIN, false},
      {&topPos, 0, true},       {&topPos, 100, true},   {&colorWidth, 101, false},
      {&colorWidth, -1, false}, {&colorWidth, 0, true}, {&colorWidth, 100, true},
      {&firstValue, -1, false}, {&firstValue, 0, true}, {&firstValue, INT_MAX, true},
  };
  for (const auto& c : cases) {
    const Checked& setter = *c.setter;
    TCountingChart chart;
    TChartLegend legend(chart);
    // Start from a value that is neither a default nor a bound, so that a
    // refused write visibly keeps it.
    (legend.*setter.set)(40);
    chart.invalidations = 0;
    if (c.accepted) {
      EXPECT_NO_THROW((legend.*setter.set)(c.value)) << setter.name << " " << c.value;
      EXPECT_EQ((legend.*setter.get)(), c.value) << setter.name;
      EXPECT_EQ(chart.invalidations, 1) << setter.name << " " << c.value;
      continue;
    }
    try {
      (legend.*setter.set)(c.value);
      ADD_FAILURE() << setter.name << " accepted " << c.value;
    } catch (const LegendException& e) {
      EXPECT_EQ(e.Message(), setter.message) << setter.name;
    }
    EXPECT_EQ((legend.*setter.get)(), 40) << setter.name << " " << c.value;
    EXPECT_EQ(chart.invalidations, 0) << setter.name << " " << c.value;
  }
}

TEST(ChartLegend, CopyFromTakesTheSettingsButNotTheShadowOrTheDividingLines) {
  TCountingChart sourceChart;
  TChartLegend source(sourceChart);
  source.SetVisible(false);
  source.SetLegendStyle(lsLastValues);
  source.SetFirstValue(2);
  source.SetAlignment(laTop);
  source.SetTextStyle(ltsXValue);
  source.SetColorWidth(50);
  source.SetHorizMargin(7);
  source.SetVertMargin(8);
  source.SetResizeChart(false);
  source.SetInverted(true);
  source.SetTopPos(33);
  source.SetColor(clYellow);
  source.Frame().SetColor(clRed);
  source.Frame().SetWidth(2);
  source.SetMaxNumRows(4);
  source.Brush().SetStyle(bsDiagCross);
  source.Brush().SetColor(clGreen);
  source.Font().SetName("Courier New");
  source.Font().SetStyle(fsItalic);
  source.SetShadowColor(clPurple);
  source.SetShadowSize(9);
  source.DividingLines().SetVisible(true);
  source.DividingLines().SetColor(clAqua);

  TCountingChart chart;
  TChartLegend legend(chart);
  legend.CopyFrom(source);
  EXPECT_GT(chart.invalidations, 0);
  EXPECT_FALSE(legend.Visible());
  EXPECT_EQ(legend.LegendStyle(), lsLastValues);
  EXPECT_EQ(legend.ResolvedStyle(), lsLastValues);
  EXPECT_EQ(legend.FirstValue(), 2);
  EXPECT_EQ(legend.Alignment(), laTop);
  EXPECT_EQ(legend.TextStyle(), ltsXValue);
  EXPECT_EQ(legend.ColorWidth(), 50);
  EXPECT_EQ(legend.HorizMargin(), 7);
  EXPECT_EQ(legend.VertMargin(), 8);
  EXPECT_FALSE(legend.ResizeChart());
  EXPECT_TRUE(legend.Inverted());
  EXPECT_EQ(legend.TopPos(), 33);
  EXPECT_EQ(legend.Color(), clYellow);
  EXPECT_EQ(legend.Frame().Color(), clRed);
  EXPECT_EQ(legend.Frame().Width(), 2);
  EXPECT_EQ(legend.MaxNumRows(), 4);
  EXPECT_EQ(legend.Brush().Style(), bsDiagCross);
  EXPECT_EQ(legend.Brush().Color(), clGreen);
  EXPECT_EQ(legend.Font().Name(), "Courier New");
  EXPECT_EQ(legend.Font().Style(), fsItalic);
  // Kept as they were.
  EXPECT_EQ(legend.ShadowColor(), clBlack);
  EXPECT_EQ(legend.ShadowSize(), 3);
  EXPECT_FALSE(legend.DividingLines().Visible());
  EXPECT_EQ(legend.DividingLines().Color(), clBlack);
  // The copy's pens and brush are its own and still report to its chart.
  chart.invalidations = 0;
  source.Frame().SetWidth(5);
  EXPECT_EQ(legend.Frame().Width(), 2);
  legend.Brush().SetColor(clBlue);
  EXPECT_EQ(source.Brush().Color(), clGreen);
  EXPECT_EQ(chart.invalidations, 1);
  // Copying an equal legend changes nothing and repaints nothing.
  legend.CopyFrom(legend);
  EXPECT_EQ(chart.invalidations, 1);
}

TEST(ChartLegend, AutomaticStyleListsSeriesFromTwoActiveSeriesOn) {
  const struct {
    std::vector<bool> active;
    TLegendStyle resolved;
  } cases[] = {
      {{}, lsValues},
      {{true}, lsValues},
      {{false, true, false}, lsValues},
      {{true, true}, lsSeries},
      {{false, true, false, true}, lsSeries},
  };
  for (const auto& c : cases) {
    LegendScene scene;
    for (const bool active : c.active) scene.Add("s", active);
    scene.legend.ResolveStyle();
    EXPECT_EQ(scene.legend.ResolvedStyle(), c.resolved) << c.active.size() << " series";
    for (const TLegendStyle fixed : {lsSeries, lsValues, lsLastValues}) {
      scene.legend.SetLegendStyle(fixed);
      EXPECT_EQ(scene.legend.ResolvedStyle(), fixed);
    }
    scene.legend.SetLegendStyle(lsAuto);
    EXPECT_EQ(scene.legend.ResolvedStyle(), c.resolved) << "set back to lsAuto";
  }
}

// Five series: active and listed with 6 points, inactive with 5, active but
// hidden from the legend with 2, active and listed with 4, and the same
// again empty.
void AddCountingSeries(LegendScene& scene) {
  const struct {
    bool active, inLegend;
    int points;
  } kinds[] = {
      {true, true, 6}, {false, true, 5}, {true, false, 2}, {true, true, 4}, {true, true, 0}};
  for (const auto& s : kinds) {
    TChartSeries& series = scene.Add("s", s.active, s.inLegend);
    for (int i = 0; i < s.points; ++i) series.AppendY(i, "", clAutoColor);
  }
}

TEST(ChartLegend, ItemCountFollowsTheStyleFromFirstValueOnAndIsNeverNegative) {
  const struct {
    TLegendStyle style;
    int firstValue;
    int expected;
  } cases[] = {
      {lsSeries, 0, 3},     {lsSeries, 2, 1},     {lsSeries, 3, 0},     {lsSeries, 50, 0},
      {lsLastValues, 0, 3}, {lsLastValues, 1, 2}, {lsLastValues, 9, 0}, {lsValues, 0, 6},
      {lsValues, 2, 4},     {lsValues, 6, 0},     {lsValues, 7, 0},     {lsAuto, 0, 3},
  };
  for (const auto& c : cases) {
    LegendScene scene;
    AddCountingSeries(scene);
    scene.legend.SetLegendStyle(c.style);
    scene.legend.ResolveStyle();
    scene.legend.SetFirstValue(c.firstValue);
    EXPECT_EQ(scene.legend.LegendItemCount(), c.expected)
        << "style " << c.style << ", FirstValue " << c.firstValue;
  }
}

TEST(ChartLegend, ValueItemsComeOnlyFromAFirstActiveSeriesThatIsListed) {
  LegendScene scene;
  AddCountingSeries(scene);
  scene.legend.SetLegendStyle(lsValues);
  // The first active series leaves the legend: the later listed ones do not
  // stand in for it.
  scene.series[0]->SetShowInLegend(false);
  EXPECT_EQ(scene.legend.LegendItemCount(), 0);
  // Now the first active series is the hidden one with 2 points.
  scene.series[0]->SetActive(false);
  EXPECT_EQ(scene.legend.LegendItemCount(), 0);
  scene.series[2]->SetShowInLegend(true);
  EXPECT_EQ(scene.legend.LegendItemCount(), 2);
  for (auto& series : scene.series) series->SetActive(false);
  for (const TLegendStyle style : {lsSeries, lsValues, lsLastValues}) {
    scene.legend.SetLegendStyle(style);
    EXPECT_EQ(scene.legend.LegendItemCount(), 0) << style;
    EXPECT_EQ(scene.legend.LegendItemText(0), "") << style;
  }
}

TEST(ChartLegend, SeriesItemsAreTheTitlesOfTheListedSeries) {
  LegendScene scene;
  scene.Add("Πριν");
  scene.Add("skipped, inactive", false);
  scene.Add("skipped, hidden", true, false);
  scene.Add("").SetName("Chart1Series4");
  scene.Add("");
  scene.Add("two\rlines\r");
  scene.legend.SetLegendStyle(lsSeries);
  const std::vector<std::string> expected = {"Πριν", "Chart1Series4", "Series 2", "two lines ", ""};
  for (int i = 0; i < static_cast<int>(expected.size()); ++i)
    EXPECT_EQ(scene.legend.LegendItemText(i), expected[i]) << i;
  // FirstValue hides items from the count but does not renumber them.
  scene.legend.SetFirstValue(1);
  EXPECT_EQ(scene.legend.LegendItemText(1), "Chart1Series4");
}

TEST(ChartLegend, ValueItemsJoinLabelAndFormattedValueAsTheTextStyleSays) {
  LegendScene scene;
  scene.Add("inactive first", false).AppendXY(9, 9, "not this one", clAutoColor);
  TChartSeries& series = scene.Add("values");
  series.AppendXY(2, 1234.5, "a", clAutoColor);
  series.AppendXY(3, -2, "", clAutoColor);
  series.AppendXY(1500.25, 0.25, "c\rd", clAutoColor);
  scene.legend.SetLegendStyle(lsValues);
  // The absolute values sum to 1236.75.
  const struct {
    TLegendTextStyle style;
    std::vector<std::string> texts;
  } cases[] = {
      {ltsPlain, {"a", "", "c d"}},
      {ltsLeftValue, {"1,234.5 a", "-2", "0.25 c d"}},
      {ltsRightValue, {"a 1,234.5", "-2", "c d 0.25"}},
      {ltsLeftPercent, {"99.82 % a", "-0.16 %", "0.02 % c d"}},
      {ltsRightPercent, {"a 99.82 %", "-0.16 %", "c d 0.02 %"}},
      {ltsXValue, {"2", "3", "1,500.25"}},
  };
  for (const auto& c : cases) {
    scene.legend.SetTextStyle(c.style);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(scene.legend.LegendItemText(i), c.texts[i])
          << "style " << c.style << ", item " << i;
    EXPECT_EQ(scene.legend.LegendItemText(3), "") << "past the points, style " << c.style;
    EXPECT_EQ(scene.legend.LegendItemText(-1), "") << "no point, style " << c.style;
  }
  series.SetValueFormat("0.00");
  series.SetPercentFormat("0.0");
  scene.legend.SetTextStyle(ltsRightValue);
  EXPECT_EQ(scene.legend.LegendItemText(0), "a 1234.50");
  scene.legend.SetTextStyle(ltsLeftPercent);
  EXPECT_EQ(scene.legend.LegendItemText(0), "99.8 a");
}

TEST(ChartLegend, PercentOfASeriesWithoutMagnitudeIsAHundred) {
  LegendScene scene;
  TChartSeries& series = scene.Add("zeros");
  series.AppendY(0, "x", clAutoColor);
  series.AppendY(0, "", clAutoColor);
  scene.legend.SetLegendStyle(lsValues);
  scene.legend.SetTextStyle(ltsRightPercent);
  EXPECT_EQ(scene.legend.LegendItemText(0), "x 100 %");
  EXPECT_EQ(scene.legend.LegendItemText(1), "100 %");
}

TEST(ChartLegend, LastValueItemsShowTheLastPointOfEachListedSeries) {
  LegendScene scene;
  scene.Add("inactive", false).AppendY(111, "off", clAutoColor);
  TChartSeries& first = scene.Add("first");
  first.AppendY(5, "early", clAutoColor);
  first.AppendY(7, "late", clAutoColor);
  scene.Add("hidden", true, false).AppendY(222, "hid", clAutoColor);
  scene.Add("empty");
  TChartSeries& last = scene.Add("last");
  last.AppendXY(1, 3.5, "", clAutoColor);
  scene.legend.SetLegendStyle(lsLastValues);
  scene.legend.SetTextStyle(ltsRightValue);
  ASSERT_EQ(scene.legend.LegendItemCount(), 3);
  // Each row's text comes from the series whose symbol the row shows.
  const int listed[] = {1, 3, 4};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(scene.chart.LegendSeriesAt(i), scene.series[listed[i]].get());
  EXPECT_EQ(scene.legend.LegendItemText(0), "late 7");
  EXPECT_EQ(scene.legend.LegendItemText(1), "");
  EXPECT_EQ(scene.legend.LegendItemText(2), "3.5");
  EXPECT_EQ(scene.legend.LegendItemText(3), "");
}

TEST(ChartLegend, WidestTextIsMeasuredOverTheShownItemsOnly) {
  LegendScene scene;
  for (const char* title : {"abcdefg", "ab", "abcd", "abc"}) scene.Add(title);
  scene.legend.SetLegendStyle(lsSeries);
  scene.legend.SetFirstValue(1);
  const struct {
    int count;
    int width;
    std::vector<std::string> measured;
  } cases[] = {
      {-1, 24, {"ab", "abcd", "abc"}}, {1, 12, {"ab"}}, {2, 24, {"ab", "abcd"}},
      {10, 24, {"ab", "abcd", "abc"}}, {0, 0, {}},      {-2, 0, {}},
  };
  for (const auto& c : cases) {
    TMeasuringCanvas canvas;
    EXPECT_EQ(scene.legend.MaxItemTextWidth(canvas, c.count), c.width) << c.count;
    EXPECT_EQ(canvas.measured, c.measured) << c.count;
  }
  scene.legend.SetFirstValue(4);
  TMeasuringCanvas canvas;
  EXPECT_EQ(scene.legend.MaxItemTextWidth(canvas, -1), 0);
}

TEST(ChartLegend, ItemsThatFitCountsWholeRowsInsideTheFrameUpToTheItemCount) {
  const struct {
    TLegendAlignment alignment;
    int frameWidth;
    bool frameVisible;
    int firstValue;
    int position, size;
    int expected;
  } cases[] = {
      // ChartRect runs from (10, 20) to (210, 120); four items.
      {laRight, 1, true, 0, 20, 32, 3},   // (120 - 2 - 20) div 32
      {laLeft, 1, true, 0, 20, 32, 3},    //
      {laRight, 3, false, 0, 20, 32, 2},  // a hidden frame keeps its width: 94 div 32
      {laRight, 0, true, 0, 20, 49, 2},   // 100 div 49
      {laRight, 1, true, 0, 20, 10, 4},   // 9 rows fit, four items
      {laRight, 1, true, 3, 20, 10, 1},   // one item from FirstValue on
      {laRight, 1, true, 4, 20, 10, 0},   //
      {laRight, 1, true, 0, 120, 1, 0},   // at the bottom edge
      {laRight, 1, true, 0, 119, 1, 0},   // inside the frame's width of it
      {laRight, 1, true, 0, 20, 0, 0},    //
      {laRight, 1, true, 0, 20, -5, 0},   //
      {laTop, 1, true, 0, 8, 63, 3},      // (200 - 2 - 8) div 63
      {laBottom, 2, false, 0, 8, 63, 2},  // 188 div 63
      {laTop, 1, true, 0, 8, 20, 4},      //
      {laTop, 1, true, 0, 210, 1, 0},     // at the right edge
      {laTop, 1, true, 0, 199, 1, 0},     // past the width inside the frame
      {laTop, 1, true, 0, 8, 0, 0},       //
  };
  for (const auto& c : cases) {
    LegendScene scene;
    for (int i = 0; i < 4; ++i) scene.Add("s");
    scene.chart.SetChartRect(TRect{10, 20, 210, 120});
    scene.legend.SetLegendStyle(lsSeries);
    scene.legend.SetAlignment(c.alignment);
    scene.legend.Frame().SetWidth(c.frameWidth);
    scene.legend.Frame().SetVisible(c.frameVisible);
    scene.legend.SetFirstValue(c.firstValue);
    EXPECT_EQ(scene.legend.ItemsThatFit(c.position, c.size), c.expected)
        << "alignment " << c.alignment << ", frame " << c.frameWidth << ", position " << c.position
        << ", size " << c.size;
  }
}

}  // namespace
}  // namespace halvorn
