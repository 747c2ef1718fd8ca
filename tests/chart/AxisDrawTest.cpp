// Where the axes of a painted chart land: the room they take from the plot
// rectangle, and their lines, ticks, grid and labels read from the pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/CanvasTools.h"
#include "chart/Chart.h"
#include "chart/ChartSeries.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "scene/SimulationChart.h"

namespace halvorn {
namespace {

constexpr TPixel Px(TColor c) { return ColorToPixel(ColorToRGB(c)); }
const TPixel kGray = Px(0x808080);

// A chart in an offscreen window; the window outlives the chart's use of it.
struct THostedChart {
  THostedChart(int width, int height) {
    window.SetClient(&chart);
    chart.SetHost(&window);
    window.Resize(width, height);
  }
  ~THostedChart() { chart.SetHost(nullptr); }
  void Paint() {
    chart.Invalidate();
    window.DeliverPaint();
  }
  TPixel At(int x, int y) const { return window.Pixels().At(x, y); }
  bool Ink(int x, int y) const { return At(x, y) != Px(clBtnFace); }
  // Whether anything but the panel colour lies in [x0, x1) x [y0, y1).
  bool InkIn(int x0, int y0, int x1, int y1) const {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (Ink(x, y)) return true;
    return false;
  }
  // The text height and width in a font, as the chart's canvas measures.
  int LineHeight(TFont& font) {
    SelectFont(chart.Canvas(), font);
    return chart.Canvas().TextLineHeight();
  }
  int Width(TFont& font, const std::string& text) {
    SelectFont(chart.Canvas(), font);
    return chart.Canvas().TextWidth(text);
  }
  // The x (horizontal) or y of every gray pixel along a row or column. The
  // bevel's shadow on the right and bottom edges is gray too.
  std::vector<int> GrayAlongRow(int y, int x0, int x1) const {
    std::vector<int> found;
    for (int x = x0; x <= x1; ++x)
      if (At(x, y) == kGray) found.push_back(x);
    return found;
  }
  std::vector<int> GrayAlongColumn(int x, int y0, int y1) const {
    std::vector<int> found;
    for (int y = y0; y <= y1; ++y)
      if (At(x, y) == kGray) found.push_back(y);
    return found;
  }

  TOffscreenPanelHost window;
  TChart chart;
};

// The window's chart with its two series, empty as before the first Run.
struct TProgramChart : THostedChart {
  TProgramChart(int width = 873, int height = 393) : THostedChart(width, height) {
    ConfigureChart(chart);
    ConfigureBeforeSeries(before);
    ConfigureAfterSeries(after);
    before.SetParentChart(&chart);
    after.SetParentChart(&chart);
    Paint();
  }
  ~TProgramChart() {
    before.SetParentChart(nullptr);
    after.SetParentChart(nullptr);
  }
  TLineSeries before, after;
};

// A flat chart without margins, title or legend holding a series that
// draws nothing and asks for no margins, so the axes stand alone.
struct TBareChart : THostedChart {
  TBareChart(int width, int height) : THostedChart(width, height) {
    chart.SetView3D(false);
    // Room on the right for the last grid line and the back wall's frame.
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, i == 2 ? 2 : 0);
    chart.Legend().SetVisible(false);
    series.SetParentChart(&chart);
  }
  ~TBareChart() { series.SetParentChart(nullptr); }
  TChartSeries series;
};

TEST(AxisDraw, TheWindowsChartMakesRoomForItsTwoAxes) {
  TProgramChart p;
  TChart& chart = p.chart;
  const int titleLine = p.LineHeight(chart.BottomAxis().Title().Font());
  const int labelLine = p.LineHeight(chart.BottomAxis().LabelsFont());
  const int zeroLabel =
      p.Width(chart.LeftAxis().LabelsFont(), "0") + p.Width(chart.LeftAxis().LabelsFont(), " ");
  const int headLine = p.LineHeight(chart.Title().Font());
  // Left: the rotated title's line, the widest label with a space, the
  // axis pen and outer ticks; bottom likewise with the label line.
  EXPECT_EQ(chart.ChartRect(), (TRect{titleLine + zeroLabel + 6, 20 + headLine + 5, 828,
                                      393 - titleLine - labelLine - 6}));
  EXPECT_EQ(chart.LeftAxis().TitlePos(), titleLine);
  EXPECT_EQ(chart.LeftAxis().LabelsPos(), titleLine + zeroLabel);
  EXPECT_EQ(chart.LeftAxis().AxisLinePos(), chart.ChartRect().Left);
  EXPECT_EQ(chart.BottomAxis().TitlePos(), 393 - titleLine);
  EXPECT_EQ(chart.BottomAxis().LabelsPos(), 393 - titleLine - labelLine);
  EXPECT_EQ(chart.BottomAxis().AxisLinePos(), chart.ChartRect().Bottom);
}

TEST(AxisDraw, TheBottomAxisClaimsTitleLabelsAndTicks) {
  const struct {
    const char* name;
    const char* caption;
    int titleSize, labelsSize;
    bool ticks, axisPen;
    int title, labels, tickRoom;  // -1: one line of the font
  } cases[] = {
      {"defaults", "Months", 0, 0, true, true, -1, -1, 6},
      {"a two-line title claims one line", "Months\rof the year", 0, 0, true, true, -1, -1, 6},
      {"no title", "", 0, 0, true, true, 0, -1, 6},
      {"fixed title size", "Months", 30, 0, true, true, 30, -1, 6},
      {"fixed labels size", "Months", 0, 20, true, true, -1, 20, 6},
      {"no outer ticks: the pen and the minor ticks", "Months", 0, 0, false, true, -1, -1, 2},
      {"no pen: the outer ticks", "Months", 0, 0, true, false, -1, -1, 4},
  };
  for (const auto& c : cases) {
    TProgramChart p;
    TChartAxis& axis = p.chart.BottomAxis();
    axis.Title().SetCaption(c.caption);
    axis.SetTitleSize(c.titleSize);
    axis.SetLabelsSize(c.labelsSize);
    axis.Ticks().SetVisible(c.ticks);
    axis.Axis().SetVisible(c.axisPen);
    p.Paint();
    const int title = c.title < 0 ? p.LineHeight(axis.Title().Font()) : c.title;
    const int labels = c.labels < 0 ? p.LineHeight(axis.LabelsFont()) : c.labels;
    EXPECT_EQ(p.chart.ChartRect().Bottom, 393 - title - labels - c.tickRoom) << c.name;
    EXPECT_EQ(axis.LabelsPos(), 393 - title - labels) << c.name;
  }
}

TEST(AxisDraw, EmptySeriesShowOneLabelTickAndGridLineAtTheCentre) {
  TProgramChart p;
  const TRect r = p.chart.ChartRect();
  const TCustomChartAxis& bottom = p.chart.BottomAxis();
  const TCustomChartAxis& left = p.chart.LeftAxis();
  const int b = bottom.AxisLinePos(), l = left.AxisLinePos();

  // Outer ticks: four pixels outward from beside the axis line; no minor
  // ticks beside a single tick.
  EXPECT_EQ(p.GrayAlongRow(b + 4, r.Left + 1, r.Right), std::vector{bottom.CenterPixel()});
  EXPECT_EQ(p.GrayAlongRow(b + 2, r.Left + 1, r.Right), std::vector{bottom.CenterPixel()});
  EXPECT_EQ(p.GrayAlongColumn(l - 4, r.Top + 1, r.Bottom - 1), std::vector{left.CenterPixel()});
  EXPECT_EQ(p.GrayAlongColumn(l - 2, r.Top + 1, r.Bottom - 1), std::vector{left.CenterPixel()});
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(p.At(bottom.CenterPixel(), b + k), kGray) << k;
    EXPECT_EQ(p.At(l - k, left.CenterPixel()), kGray) << k;
  }
  EXPECT_NE(p.At(bottom.CenterPixel(), b + 5), kGray);
  EXPECT_NE(p.At(l - 5, left.CenterPixel()), kGray);

  // One dotted grid line each through the centre of the plot area.
  const std::vector<int> column = p.GrayAlongColumn(bottom.CenterPixel(), r.Top + 1, r.Bottom - 1);
  EXPECT_GT(column.size(), static_cast<std::size_t>(r.Bottom - r.Top) / 3);
  EXPECT_LT(column.size(), static_cast<std::size_t>(r.Bottom - r.Top) * 2 / 3);
  const std::vector<int> row = p.GrayAlongRow(left.CenterPixel(), r.Left + 1, r.Right - 1);
  EXPECT_GT(row.size(), static_cast<std::size_t>(r.Right - r.Left) / 3);
  // Beside the grid line only the other grid line crosses.
  for (int y : p.GrayAlongColumn(bottom.CenterPixel() + 3, r.Top + 1, r.Bottom - 1))
    EXPECT_EQ(y, left.CenterPixel());

  // The label "0": centred below the bottom tick, right-aligned left of the
  // left tick, vertically centred on it.
  TFont& font = p.chart.BottomAxis().LabelsFont();
  const int w = p.Width(font, "0"), lh = p.LineHeight(font);
  const int lp = bottom.LabelsPos();
  EXPECT_TRUE(p.InkIn(bottom.CenterPixel() - w, lp, bottom.CenterPixel() + w, lp + lh));
  EXPECT_FALSE(p.InkIn(r.Left + 1, lp, bottom.CenterPixel() - w, lp + lh));
  EXPECT_FALSE(p.InkIn(bottom.CenterPixel() + w, lp, r.Right, lp + lh));
  const int llp = left.LabelsPos(), c = left.CenterPixel();
  EXPECT_TRUE(p.InkIn(llp - w, c - lh / 2, llp, c - lh / 2 + lh));
  EXPECT_FALSE(p.InkIn(llp, r.Top, l - 6, r.Bottom)) << "nothing between label and ticks";
  EXPECT_FALSE(p.InkIn(llp - w - 2, r.Top, llp, c - lh / 2));

  // The titles: the bottom one in its strip at the foot, the left one in the
  // strip at the left edge, both about the axis centre.
  const int title = bottom.TitlePos();
  EXPECT_TRUE(p.InkIn(bottom.CenterPixel() - 20, title, bottom.CenterPixel() + 20, 392));
  EXPECT_FALSE(p.InkIn(r.Left + 1, title, r.Left + 60, 392));
  EXPECT_FALSE(p.InkIn(lp + lh, title - 1, r.Right, title)) << "between labels and title";
  EXPECT_TRUE(p.InkIn(1, c - 20, left.TitlePos(), c + 20));
  EXPECT_FALSE(p.InkIn(1, r.Top, left.TitlePos(), r.Top + 20));
}

TEST(AxisDraw, AxisLinesRunAlongTheirEdge) {
  TProgramChart p;
  const TRect r = p.chart.ChartRect();
  const TCustomChartAxis& bottom = p.chart.BottomAxis();
  const TCustomChartAxis& left = p.chart.LeftAxis();
  // Width 2 and black: the row or column next to the back wall's frame
  // line is black too, along the whole pixel interval.
  const int below = p.At(r.Left + 10, r.Bottom + 1) == Px(clBlack) ? 1 : -1;
  const int beside = p.At(r.Left - 1, r.Top + 10) == Px(clBlack) ? -1 : 1;
  for (int x = bottom.StartPixel(); x < bottom.EndPixel(); ++x) {
    if (x == bottom.CenterPixel()) continue;
    ASSERT_EQ(p.At(x, r.Bottom), Px(clBlack)) << x;
    ASSERT_EQ(p.At(x, r.Bottom + below), Px(clBlack)) << x;
  }
  for (int y = left.StartPixel(); y < left.EndPixel(); ++y) {
    if (y == left.CenterPixel()) continue;
    ASSERT_EQ(p.At(r.Left, y), Px(clBlack)) << y;
    ASSERT_EQ(p.At(r.Left + beside, y), Px(clBlack)) << y;
  }
  EXPECT_NE(p.At(r.Left + 10, r.Bottom - below), Px(clBlack));
  EXPECT_NE(p.At(r.Left - beside, r.Top + 10), Px(clBlack));
}

TEST(AxisDraw, TicksMinorTicksAndGridFollowTheLabelValues) {
  TBareChart p(600, 300);
  for (int month = 1; month <= 12; ++month) p.series.AppendXY(month, 10, "", clAutoColor);
  p.Paint();
  const TCustomChartAxis& bottom = p.chart.BottomAxis();
  const int b = bottom.AxisLinePos();
  std::vector<int> expected;
  for (int month = 1; month <= 12; ++month) expected.push_back(bottom.ValueToPixel(month));
  // Without margins the first and last month lie on the ends of the axis.
  EXPECT_EQ(expected.front(), bottom.StartPixel());
  EXPECT_EQ(expected.back(), bottom.EndPixel());
  EXPECT_EQ(p.GrayAlongRow(b + 4, 0, 598), expected);
  // Three minor ticks in each of the eleven gaps, none beyond the ends.
  const std::vector<int> shortAndLong = p.GrayAlongRow(b + 2, 0, 598);
  EXPECT_EQ(shortAndLong.size(), 12u + 11 * 3);
  // Ticks are recorded from the highest value down: the gap from month 2
  // to month 1 is measured leftward.
  const int d = expected[0] - expected[1];
  for (int j = 1; j <= 3; ++j) {
    const int minor = expected[0] - static_cast<int>(std::nearbyint(j * d / 4.0));
    EXPECT_EQ(p.At(minor, b + 2), kGray) << j;
    EXPECT_NE(p.At(minor, b + 3), kGray) << j;
  }
}

TEST(AxisDraw, TickAndGridSwitches) {
  const struct {
    const char* name;
    bool labels, tickOnLabelsOnly, labelsOnAxis, gridCentered;
    int ticks, gridLines;
  } cases[] = {
      // The grid line of the first month lies under the left axis's line,
      // drawn after it.
      {"defaults", true, true, true, false, 12, 11},
      {"grid between the ticks", true, true, true, true, 12, 11},
      {"ticks without labels", false, false, true, false, 12, 11},
      {"no labels, ticks only at labels", false, true, true, false, 0, 0},
      {"labels off the axis ends skipped", true, true, false, false, 10, 10},
  };
  for (const auto& c : cases) {
    TBareChart p(600, 300);
    for (int month = 1; month <= 12; ++month) p.series.AppendXY(month, 10, "", clAutoColor);
    TChartAxis& bottom = p.chart.BottomAxis();
    bottom.SetLabels(c.labels);
    bottom.SetTickOnLabelsOnly(c.tickOnLabelsOnly);
    bottom.SetLabelsOnAxis(c.labelsOnAxis);
    bottom.SetGridCentered(c.gridCentered);
    p.Paint();
    const TRect r = p.chart.ChartRect();
    const int b = bottom.AxisLinePos();
    const std::vector<int> ticks = p.GrayAlongRow(b + 4, 0, 598);
    EXPECT_EQ(ticks.size(), static_cast<std::size_t>(c.ticks)) << c.name;
    // A dotted line shows within a few neighbouring rows; the left axis's
    // one grid line runs through the centre, away from these rows.
    std::vector<int> grid;
    for (int x = r.Left + 1; x <= r.Right; ++x)
      if (!p.GrayAlongColumn(x, r.Top + 5, r.Top + 12).empty()) grid.push_back(x);
    EXPECT_EQ(grid.size(), static_cast<std::size_t>(c.gridLines)) << c.name;
    if (c.gridCentered && ticks.size() == 12) {
      // Ticks are recorded from the highest value down.
      const int mid = static_cast<int>(std::nearbyint((ticks[11] + ticks[10]) * 0.5));
      EXPECT_NE(std::find(grid.begin(), grid.end(), mid), grid.end()) << c.name;
    }
    if (c.ticks == 0) {
      EXPECT_TRUE(p.GrayAlongRow(b + 2, 0, 598).empty()) << c.name;
    }
  }
}

TEST(AxisDraw, HiddenAxesGiveTheirSpaceBack) {
  const struct {
    const char* name;
    bool axisVisible, left, bottom;
    bool leftTaken, bottomTaken;
  } cases[] = {
      {"both shown", true, true, true, true, true},
      {"left hidden", true, false, true, false, true},
      {"bottom hidden", true, true, false, true, false},
      {"no axes", false, true, true, false, false},
  };
  for (const auto& c : cases) {
    TProgramChart p;
    p.chart.SetAxisVisible(c.axisVisible);
    p.chart.LeftAxis().SetVisible(c.left);
    p.chart.BottomAxis().SetVisible(c.bottom);
    p.Paint();
    const TRect r = p.chart.ChartRect();
    EXPECT_EQ(r.Left > 20, c.leftTaken) << c.name << " " << r.Left;
    EXPECT_EQ(r.Left == 0, !c.leftTaken) << c.name;
    EXPECT_EQ(r.Bottom == 393, !c.bottomTaken) << c.name;
    EXPECT_EQ(r.Bottom < 370, c.bottomTaken) << c.name << " " << r.Bottom;
    EXPECT_EQ(r.Right, 828) << c.name;
  }
}

TEST(AxisDraw, WithoutActiveSeriesEveryAxisShowsItsLineOnly) {
  TBareChart p(400, 250);
  p.series.SetActive(false);
  p.chart.SetMargin(0, 3);
  p.chart.SetMargin(1, 4);
  p.chart.SetMargin(2, 3);
  p.chart.SetMargin(3, 4);
  p.Paint();
  // No labels to measure on the vertical axes; one label line on the
  // horizontal ones; 6 pixels of axis pen and ticks on every side.
  const int lh = p.LineHeight(p.chart.BottomAxis().LabelsFont());
  EXPECT_EQ(p.chart.ChartRect(), (TRect{12 + 6, 10 + lh + 6, 388 - 6, 240 - lh - 6}));
  const TRect r = p.chart.ChartRect();
  EXPECT_FALSE(p.InkIn(r.Left + 2, r.Top + 2, r.Right - 1, r.Bottom - 1)) << "no grid";
  EXPECT_TRUE(p.GrayAlongRow(r.Bottom + 4, 0, 398).empty()) << "no ticks";
  for (int x = r.Left + 5; x < r.Right - 5; x += 9) {
    EXPECT_EQ(p.At(x, r.Top - 1) == Px(clBlack) || p.At(x, r.Top + 1) == Px(clBlack), true) << x;
  }
  EXPECT_EQ(p.At(r.Right, r.Top + 20), Px(clBlack));
  EXPECT_TRUE(p.At(r.Right + 1, r.Top + 20) == Px(clBlack) ||
              p.At(r.Right - 1, r.Top + 20) == Px(clBlack));
}

TEST(AxisDraw, TooSmallAChartKeepsItsRectangle) {
  TBareChart p(25, 25);
  p.chart.LeftAxis().Title().SetCaption("Value");
  p.chart.BottomAxis().Title().SetCaption("Time");
  p.Paint();
  // As the right margin of 2 % (half a pixel, rounded up) left it.
  EXPECT_EQ(p.chart.ChartRect(), (TRect{0, 0, 24, 25}));
}

}  // namespace
}  // namespace halvorn
