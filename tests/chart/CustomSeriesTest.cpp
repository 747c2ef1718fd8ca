#include "chart/CustomSeries.h"

#include <gtest/gtest.h>

#include <functional>

#include "chart/ChartException.h"
#include "chart/SeriesPointer.h"
#include "tests/chart/CountingChart.h"

namespace halvorn {
namespace {

using testing::TCountingChart;

// A marker-only kind: a TCustomSeries that is not a line series.
class TMarkerSeries : public TCustomSeries {};

// The settings the main window's form gives both of its series.
void ConfigureAsTheForm(TLineSeries& s, TColor colour) {
  s.Marks().SetArrowLength(8);
  s.Marks().SetVisible(false);
  s.LinePen().SetWidth(2);
  s.Pointer().SetHorizSize(3);
  s.Pointer().SetVertSize(3);
  s.Pointer().SetInflateMargins(true);
  s.Pointer().Pen().SetVisible(false);
  s.Pointer().SetStyle(psRectangle);
  s.Pointer().SetVisible(true);
  s.SetSeriesColor(colour);
}

TEST(CustomSeries, LineSeriesDefaults) {
  TLineSeries s;
  EXPECT_TRUE(s.DrawLine());
  EXPECT_FALSE(s.DrawArea());
  EXPECT_FALSE(s.Pointer().Visible());
  EXPECT_EQ(s.Pointer().HorizSize(), 4);
  EXPECT_EQ(s.Pointer().VertSize(), 4);
  EXPECT_EQ(s.Pointer().Style(), psRectangle);
  EXPECT_TRUE(s.Pointer().InflateMargins());
  EXPECT_EQ(s.Pointer().Brush().Color(), clAutoColor);
  EXPECT_EQ(s.Pointer().Brush().Style(), bsSolid);
  EXPECT_TRUE(s.Pointer().Pen().Visible());
  EXPECT_EQ(s.Pointer().Pen().Color(), clBlack);
  EXPECT_EQ(s.LinePen().Color(), clBlack);
  EXPECT_EQ(s.LinePen().Width(), 1);
  EXPECT_EQ(s.LinePen().Style(), psSolid);
  EXPECT_TRUE(s.LinePen().Visible());
  EXPECT_FALSE(s.Stairs());
  EXPECT_EQ(s.LineHeight(), 0);
  EXPECT_EQ(s.AreaColor(), clAutoColor);
  EXPECT_TRUE(s.ClickableLine());
  EXPECT_EQ(s.XValues().Order(), loAscending);
  EXPECT_EQ(s.YValues().Order(), loNone);
  EXPECT_EQ(s.SeriesColor(), clAutoColor);
  EXPECT_TRUE(TMarkerSeries().Pointer().Visible());
  EXPECT_FALSE(TMarkerSeries().DrawLine());
}

TEST(CustomSeries, PointerSizeBelowOneIsRefusedAndTheSizeStays) {
  TCountingChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  chart.invalidations = 0;
  const struct {
    const char* name;
    std::function<void()> write;
  } cases[] = {
      {"HorizSize 0", [&] { s.Pointer().SetHorizSize(0); }},
      {"HorizSize -3", [&] { s.Pointer().SetHorizSize(-3); }},
      {"VertSize 0", [&] { s.Pointer().SetVertSize(0); }},
  };
  for (const auto& c : cases) {
    try {
      c.write();
      ADD_FAILURE() << c.name << " accepted";
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "Pointer size must be greater than zero") << c.name;
    }
  }
  EXPECT_EQ(s.Pointer().HorizSize(), 4);
  EXPECT_EQ(s.Pointer().VertSize(), 4);
  EXPECT_EQ(chart.invalidations, 0);
  s.Pointer().SetHorizSize(1);
  EXPECT_EQ(s.Pointer().HorizSize(), 1);
  EXPECT_EQ(chart.invalidations, 1);
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

TEST(CustomSeries, EveryChangedPropertyAsksForOneRepaint) {
  TCountingChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  const struct {
    const char* name;
    std::function<void()> write;
  } cases[] = {
      {"Stairs", [&] { s.SetStairs(true); }},
      {"InvertedStairs", [&] { s.SetInvertedStairs(true); }},
      {"LineHeight", [&] { s.SetLineHeight(3); }},
      {"LineBrush", [&] { s.SetLineBrush(bsCross); }},
      {"Dark3D", [&] { s.SetDark3D(false); }},
      {"LinePen colour", [&] { s.LinePen().SetColor(33023); }},
      {"LinePen visibility", [&] { s.LinePen().SetVisible(false); }},
      {"LinePen copied",
       [&] {
         TChartPen pen;
         pen.SetWidth(5);
         s.SetLinePen(pen);
       }},
      {"Pointer style", [&] { s.Pointer().SetStyle(psDiamond); }},
      {"Pointer visibility", [&] { s.Pointer().SetVisible(true); }},
      {"Pointer margins", [&] { s.Pointer().SetInflateMargins(false); }},
      {"Pointer Draw3D", [&] { s.Pointer().SetDraw3D(false); }},
      {"Pointer Dark3D", [&] { s.Pointer().SetDark3D(false); }},
      {"Pointer pen", [&] { s.Pointer().Pen().SetVisible(false); }},
      {"Pointer brush", [&] { s.Pointer().Brush().SetColor(clRed); }},
      {"Pointer size", [&] { s.Pointer().SetVertSize(7); }},
  };
  for (const auto& c : cases) {
    chart.invalidations = 0;
    c.write();
    EXPECT_EQ(chart.invalidations, 1) << c.name;
    c.write();  // the same value again
    EXPECT_EQ(chart.invalidations, 1) << c.name << " twice";
  }
}

// A line runs on to the far edge of ChartRect, so its visible range keeps
// the first point beyond it.
TEST(CustomSeries, VisibleRangeKeepsThePointBeyondTheFarEdge) {
  TCountingChart chart;
  chart.SetChartRect(MakeRect(0, 0, 100, 100));
  chart.BottomAxis().SetRange(2.5, 7.5);
  chart.BottomAxis().RecalcPixelSpan();
  TLineSeries s;
  s.SetParentChart(&chart);
  for (int i = 0; i <= 20; ++i) s.AppendXY(i, i, "", clAutoColor);
  s.ComputeVisibleRange();
  EXPECT_EQ(s.FirstVisibleIndex(), 3);
  EXPECT_EQ(s.LastVisibleIndex(), 8);
}

TEST(CustomSeries, CopyFromLineSeriesTakesLineMarkerAndPoints) {
  TLineSeries source;
  ConfigureAsTheForm(source, 33023);
  source.LinePen().SetColor(33023);
  source.SetStairs(true);
  source.AppendXY(1, 2, "", clAutoColor);
  TLineSeries copy;
  copy.CopyFrom(source);
  EXPECT_TRUE(copy.Pointer().Visible());
  EXPECT_EQ(copy.Pointer().HorizSize(), 3);
  EXPECT_FALSE(copy.Pointer().Pen().Visible());
  EXPECT_EQ(copy.LinePen().Width(), 2);
  EXPECT_EQ(copy.LinePen().Color(), 33023u);
  EXPECT_TRUE(copy.Stairs());
  EXPECT_EQ(copy.SeriesColor(), 33023u);
  EXPECT_EQ(copy.PointCount(), 1);
  EXPECT_TRUE(copy.DrawLine());
}

TEST(CustomSeries, CopyFromAnotherKindLeavesTheLineSeriesALine) {
  TMarkerSeries source;
  source.Pointer().SetVertSize(6);
  source.LinePen().SetWidth(3);
  TLineSeries copy;
  copy.Pointer().SetVisible(true);
  copy.CopyFrom(source);
  EXPECT_FALSE(copy.Pointer().Visible());
  EXPECT_EQ(copy.Pointer().VertSize(), 6);
  EXPECT_EQ(copy.LinePen().Width(), 3);
  EXPECT_TRUE(copy.DrawLine());
  EXPECT_FALSE(copy.DrawArea());

  // From a plain series only the series' own settings come across.
  TChartSeries plain;
  plain.SetTitle("plain");
  TLineSeries fromPlain;
  fromPlain.LinePen().SetWidth(2);
  fromPlain.CopyFrom(plain);
  EXPECT_EQ(fromPlain.Title(), "plain");
  EXPECT_EQ(fromPlain.LinePen().Width(), 2);
}

TEST(CustomSeries, FormSeriesKeepTheirColoursAfterAttaching) {
  TCountingChart chart;
  auto* before = new TLineSeries;
  auto* after = new TLineSeries;
  // The form attaches first, while the colour is unchosen, then reads it.
  before->SetParentChart(&chart);
  EXPECT_EQ(before->SeriesColor(), clRed);
  ConfigureAsTheForm(*before, clBlue);
  after->SetParentChart(&chart);
  ConfigureAsTheForm(*after, 33023);
  EXPECT_EQ(chart.SeriesAt(0)->SeriesColor(), clBlue);
  EXPECT_EQ(chart.SeriesAt(1)->SeriesColor(), 33023u);
  int left = 0, right = 0;
  chart.SeriesAt(1)->HorizontalMargins(left, right);
  EXPECT_EQ(left, 4);
}

}  // namespace
}  // namespace halvorn
