#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "platform/runtime/Exceptions.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

// Reports its own destruction, to see who destroys it.
class TTracedSeries : public TChartSeries {
 public:
  explicit TTracedSeries(std::vector<std::string>& log, std::string name) : log_(log) {
    SetName(std::move(name));
  }
  ~TTracedSeries() override { log_.push_back(Name()); }

 private:
  std::vector<std::string>& log_;
};

TEST(ChartSeries, ClearedSeriesReportsNoPointsAndZeroExtents) {
  TCountingChart chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  int cleared = 0;
  series.OnClearValues = [&](TChartSeries& sender) {
    EXPECT_EQ(&sender, &series);
    ++cleared;
  };
  series.AppendXY(4, -3, "x", clRed);
  series.AppendXY(6, 9, "", clAutoColor);
  chart.invalidations = 0;
  series.ClearPoints();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(chart.invalidations, 1);
  EXPECT_EQ(series.PointCount(), 0);
  EXPECT_EQ(series.YValues().ValueCount(), 0);
  EXPECT_EQ(series.PointColor(0), series.SeriesColor());
  EXPECT_EQ(series.PointLabel(0), "");
  EXPECT_EQ(series.LowestX(), 0);
  EXPECT_EQ(series.HighestX(), 0);
  EXPECT_EQ(series.LowestY(), 0);
  EXPECT_EQ(series.HighestY(), 0);
}

TEST(ChartSeries, MidInsertionKeepsEveryPointWhole) {
  TChartSeries series;
  series.SetSeriesColor(clBlue);
  EXPECT_EQ(series.AppendXY(3, 1, "", clAutoColor), 0);
  EXPECT_EQ(series.AppendXY(2, 5, "a", clRed), 0);
  EXPECT_EQ(series.AppendXY(2.5, 7, "b", clLime), 1);
  const struct {
    double x, y;
    TColor colour;
    const char* label;
  } expected[] = {{2, 5, clRed, "a"}, {2.5, 7, clLime, "b"}, {3, 1, clBlue, ""}};
  ASSERT_EQ(series.PointCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(series.XValueAt(i), expected[i].x) << i;
    EXPECT_EQ(series.YValueAt(i), expected[i].y) << i;
    EXPECT_EQ(series.PointColor(i), expected[i].colour) << i;
    EXPECT_EQ(series.PointLabel(i), expected[i].label) << i;
  }
  EXPECT_EQ(series.LowestX(), 2);
  EXPECT_EQ(series.HighestY(), 7);
}

TEST(ChartSeries, BeforeAddSeesThePendingPointAndMayRefuseIt) {
  TCountingChart chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  std::vector<int> added;
  series.OnBeforeAdd = [](TChartSeries& s) { return s.YValues().PendingValue() >= 0; };
  series.OnAfterAdd = [&](TChartSeries&, int index) { added.push_back(index); };
  chart.invalidations = 0;
  EXPECT_EQ(series.AppendXY(1, -1, "no", clRed), -1);
  EXPECT_EQ(series.PointCount(), 0);
  EXPECT_EQ(chart.invalidations, 0);
  EXPECT_EQ(series.AppendXY(5, 1, "", clAutoColor), 0);
  EXPECT_EQ(series.AppendXY(4, 2, "", clAutoColor), 0);
  EXPECT_EQ(added, (std::vector<int>{0, 0}));
  EXPECT_EQ(chart.invalidations, 2);
}

TEST(ChartSeries, PointColoursResolveThroughTheSeriesColourAndPalette) {
  TChartSeries series;
  series.SetSeriesColor(clNavy);
  for (int i = 0; i < 18; ++i) series.AppendY(i, "", clAutoColor);
  series.SetPointColor(3, clRed);
  EXPECT_EQ(series.PointColor(17), clNavy);
  series.SetColorEachPoint(true);
  EXPECT_EQ(series.PointColor(17), clGreen);
  EXPECT_EQ(series.PointColor(3), clRed);
  EXPECT_EQ(series.PointColor(18), clNavy);  // beyond the points
  series.SetSeriesColor(clOlive);
  series.SetColorEachPoint(false);
  EXPECT_EQ(series.PointColor(17), clOlive);
  EXPECT_EQ(series.PointColor(3), clOlive);
}

TEST(ChartSeries, NullPointsStayNullWhateverTheColourRules) {
  TChartSeries series;
  series.AppendY(1, "", clAutoColor);
  EXPECT_EQ(series.AppendNull(), 1);
  EXPECT_EQ(series.AppendNullXY(7, 3, "gap"), 2);
  EXPECT_FALSE(series.IsNullPoint(0));
  EXPECT_TRUE(series.IsNullPoint(1));
  EXPECT_EQ(series.YValueAt(1), 0);
  EXPECT_TRUE(series.IsNullPoint(2));
  EXPECT_EQ(series.PointLabel(2), "gap");
  series.SetColorEachPoint(true);
  EXPECT_TRUE(series.IsNullPoint(1));
  // Switching ColorEachPoint off resets point colours, but must not turn a
  // null point into a point with the value 0.
  series.SetColorEachPoint(false);
  EXPECT_TRUE(series.IsNullPoint(1));
  EXPECT_TRUE(series.IsNullPoint(2));
}

TEST(ChartSeries, DeletePointRemovesTheWholeRowOrNothing) {
  TChartSeries series;
  series.AppendXY(1, 10, "a", clRed);
  series.AppendXY(2, 20, "b", clLime);
  series.AppendXY(3, 30, "c", clAqua);
  EXPECT_THROW(series.DeletePoint(3), EListError);
  EXPECT_THROW(series.DeletePoint(-1), EListError);
  ASSERT_EQ(series.PointCount(), 3);
  ASSERT_EQ(series.YValues().ValueCount(), 3);
  series.DeletePoint(1);
  ASSERT_EQ(series.PointCount(), 2);
  EXPECT_EQ(series.XValueAt(1), 3);
  EXPECT_EQ(series.YValueAt(1), 30);
  EXPECT_EQ(series.PointColor(1), clAqua);
  EXPECT_EQ(series.PointLabel(1), "c");
}

TEST(ChartSeries, InactiveSeriesDoesNotRepaintOnDataChanges) {
  TCountingChart chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  series.SetActive(false);
  chart.invalidations = 0;
  series.AppendXY(1, 1, "", clAutoColor);
  series.AppendXY(2, 1, "", clAutoColor);
  series.DeletePoint(0);
  series.ClearPoints();
  EXPECT_EQ(chart.invalidations, 0);
  series.SetActive(true);
  EXPECT_EQ(chart.invalidations, 1);
}

TEST(ChartSeries, AttachingGivesFreePaletteColours) {
  const struct {
    const char* name;
    TColor chartColour;
    TColor backWall;
    std::vector<TColor> taken;  // series already attached, with these colours
    TColor expected;
  } cases[] = {
      {"empty chart", clBtnFace, clAutoColor, {}, clRed},
      {"red taken", clBtnFace, clAutoColor, {clRed}, clGreen},
      {"red and green taken", clBtnFace, clAutoColor, {clGreen, clRed}, clYellow},
      {"chart is red", clRed, clAutoColor, {}, clGreen},
      {"back wall is red", clBtnFace, clRed, {clGreen}, clYellow},
      {"all sixteen taken", clBtnFace, clAutoColor,
       std::vector<TColor>(DefaultSeriesPalette.begin(), DefaultSeriesPalette.end()), clRed},
      {"unlisted colours do not count", clBtnFace, clAutoColor, {0x123456}, clRed},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    chart.SetColor(c.chartColour);
    chart.backWall = c.backWall;
    for (TColor colour : c.taken) {
      auto* s = new TChartSeries;
      s->SetSeriesColor(colour);
      s->SetParentChart(&chart);
    }
    auto* series = new TChartSeries;
    series->SetParentChart(&chart);
    EXPECT_EQ(series->SeriesColor(), c.expected) << c.name;
  }
}

TEST(ChartSeries, SeriesListKeepsAttachmentOrderAndClosesGaps) {
  TCountingChart chart;
  TChartSeries a, b, c;
  for (TChartSeries* s : {&a, &b, &c}) s->SetParentChart(&chart);
  chart.AttachSeries(b);  // already listed: nothing
  ASSERT_EQ(chart.NumberOfSeries(), 3);
  EXPECT_EQ(chart.SeriesAt(1), &b);
  chart.invalidations = 0;
  chart.DetachSeries(a);
  EXPECT_EQ(chart.invalidations, 1);
  EXPECT_EQ(a.ParentChart(), nullptr);
  EXPECT_EQ(a.GetHorizAxis(), nullptr);
  ASSERT_EQ(chart.NumberOfSeries(), 2);
  EXPECT_EQ(chart.SeriesAt(0), &b);
  EXPECT_EQ(chart.SeriesAt(1), &c);
  chart.DetachSeries(a);  // not listed: nothing
  EXPECT_EQ(chart.invalidations, 1);
  try {
    chart.SeriesAt(2);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  c.SetActive(false);
  EXPECT_EQ(chart.ActiveSeriesCount(), 1);
}

TEST(ChartSeries, ParentChartWriterMovesTheSeriesBetweenCharts) {
  TCountingChart one, two;
  TChartSeries series;
  series.SetParentChart(&one);
  EXPECT_EQ(series.GetHorizAxis(), &one.BottomAxis());
  EXPECT_EQ(series.GetVertAxis(), &one.LeftAxis());
  series.SetParentChart(&two);
  EXPECT_EQ(one.NumberOfSeries(), 0);
  ASSERT_EQ(two.NumberOfSeries(), 1);
  EXPECT_EQ(series.ParentChart(), &two);
  EXPECT_EQ(series.GetHorizAxis(), &two.BottomAxis());
  // Attaching directly also leaves the old chart.
  one.AttachSeries(series);
  EXPECT_EQ(two.NumberOfSeries(), 0);
  EXPECT_EQ(series.ParentChart(), &one);
  EXPECT_EQ(series.GetVertAxis(), &one.LeftAxis());
  series.SetParentChart(nullptr);
  EXPECT_EQ(one.NumberOfSeries(), 0);
  EXPECT_EQ(series.GetVertAxis(), nullptr);
}

TEST(ChartSeries, OwnershipBetweenChartAndSeries) {
  std::vector<std::string> destroyed;
  {
    TCountingChart chart;
    auto* first = new TTracedSeries(destroyed, "first");
    auto* second = new TTracedSeries(destroyed, "second");
    auto* third = new TTracedSeries(destroyed, "third");
    for (TChartSeries* s : {first, second, third}) s->SetParentChart(&chart);
    delete second;  // destroyed first: leaves the list
    ASSERT_EQ(chart.NumberOfSeries(), 2);
    EXPECT_EQ(chart.SeriesAt(1), third);
  }
  // The chart destroyed the series still listed, from position 0.
  EXPECT_EQ(destroyed, (std::vector<std::string>{"second", "first", "third"}));
}

TEST(ChartSeries, LegendCountsOnlyActiveSeriesShownInTheLegend) {
  TCountingChart chart;
  TChartSeries hidden, inactive, titled, named, bare;
  hidden.SetShowInLegend(false);
  inactive.SetActive(false);
  titled.SetTitle("Πριν");
  titled.SetName("Series1");
  named.SetName("Series2");
  for (TChartSeries* s : {&hidden, &titled, &inactive, &named, &bare}) s->SetParentChart(&chart);
  EXPECT_EQ(chart.LegendSeriesAt(0), &titled);
  EXPECT_EQ(chart.LegendSeriesAt(2), &bare);
  EXPECT_EQ(chart.LegendSeriesAt(3), nullptr);
  EXPECT_EQ(chart.LegendSeriesTitle(0), "Πριν");
  EXPECT_EQ(chart.LegendSeriesTitle(1), "Series2");
  EXPECT_EQ(chart.LegendSeriesTitle(2), "Series 2");
  EXPECT_EQ(chart.LegendSeriesTitle(3), "");
}

TEST(ChartSeries, AxesAreBoundByKind) {
  TCountingChart chart;
  TCustomChartAxis custom(chart, true, false, false);
  TChartSeries series;
  series.SetParentChart(&chart);
  series.SetCustomHorizAxis(&custom);
  const struct {
    THorizAxis kind;
    TCustomChartAxis* bound;
    bool usesBottom, usesTop;
  } cases[] = {
      {aTopAxis, &chart.TopAxis(), false, true},
      {aBothHorizAxis, &chart.BottomAxis(), true, true},
      {aCustomHorizAxis, &custom, false, false},
  };
  for (const auto& c : cases) {
    series.SetHorizAxis(c.kind);
    EXPECT_EQ(series.GetHorizAxis(), c.bound) << c.kind;
    EXPECT_EQ(series.UsesAxis(chart.BottomAxis()), c.usesBottom) << c.kind;
    EXPECT_EQ(series.UsesAxis(chart.TopAxis()), c.usesTop) << c.kind;
  }
  series.SetCustomHorizAxis(nullptr);  // custom kind without an axis: the bottom one
  EXPECT_EQ(series.GetHorizAxis(), &chart.BottomAxis());
  series.SetVertAxis(aBothVertAxis);
  EXPECT_TRUE(series.UsesAxis(chart.RightAxis()));
  EXPECT_TRUE(series.UsesAxis(chart.LeftAxis()));
}

TEST(ChartSeries, VisibleRangeFollowsTheHorizontalAxisRange) {
  const struct {
    const char* name;
    double min, max;
    bool inverted;
    TChartListOrder order;
    int first, last;
  } cases[] = {
      {"inside", 2.5, 7.5, false, loAscending, 3, 7},
      {"inverted", 2.5, 7.5, true, loAscending, 3, 7},
      {"on points", 2, 8, false, loAscending, 2, 8},
      {"all", -5, 50, false, loAscending, 0, 20},
      {"right of all points", 30, 40, false, loAscending, -1, -1},
      {"between two points", 4.2, 4.8, false, loAscending, 5, 4},
      {"unordered: everything", 2.5, 7.5, false, loNone, 0, 20},
  };
  for (const auto& c : cases) {
    TCountingChart chart;
    chart.SetChartRect(TRect{10, 0, 110, 50});
    TCustomChartAxis& axis = chart.BottomAxis();
    axis.SetInverted(c.inverted);
    axis.SetRange(c.min, c.max);
    axis.RecalcPixelSpan();
    TChartSeries series;
    series.XValues().SetOrder(c.order);
    series.SetParentChart(&chart);
    for (int i = 0; i <= 20; ++i) series.AppendXY(i, i, "", clAutoColor);
    series.ComputeVisibleRange();
    EXPECT_EQ(series.FirstVisibleIndex(), c.first) << c.name;
    EXPECT_EQ(series.LastVisibleIndex(), c.last) << c.name;
  }
}

TEST(ChartSeries, PixelsComeFromTheBoundAxesAndNeedAChart) {
  TCountingChart chart;
  chart.SetChartRect(TRect{0, 0, 100, 200});
  TChartSeries series;
  series.SetParentChart(&chart);
  series.SetVertAxis(aRightAxis);
  series.AppendXY(5, 30, "", clAutoColor);
  for (TCustomChartAxis* axis : chart.Axes()) axis->RecalcPixelSpan();
  chart.BottomAxis().SetRange(0, 10);
  chart.RightAxis().SetRange(20, 40);
  EXPECT_EQ(series.XPixel(0), 50);
  EXPECT_EQ(series.YPixel(0), 100);
  series.SetParentChart(nullptr);
  EXPECT_THROW(series.XPixel(0), EInvalidOperation);
}

// Copying must not let the ColorEachPoint writer wipe the copied colours.
TEST(ChartSeries, CopyFromTakesSettingsAndPoints) {
  TChartSeries source;
  source.SetTitle("Μετά");
  source.SetVertAxis(aRightAxis);
  source.YValues().SetMultiplier(2);
  source.AppendXY(1, 3, "a", clRed);
  source.AppendXY(2, 4, "", clAutoColor);
  source.SetColorEachPoint(true);
  TChartSeries copy;
  copy.CopyFrom(source);
  EXPECT_EQ(copy.Title(), "Μετά");
  EXPECT_EQ(copy.VertAxis(), aRightAxis);
  ASSERT_EQ(copy.PointCount(), 2);
  EXPECT_EQ(copy.YValueAt(0), 6);
  EXPECT_EQ(copy.HighestY(), 8);
  EXPECT_EQ(copy.PointColor(0), clRed);
  EXPECT_EQ(copy.PointColor(1), clGreen);
  EXPECT_EQ(copy.PointLabel(0), "a");
}

}  // namespace
}  // namespace halvorn
