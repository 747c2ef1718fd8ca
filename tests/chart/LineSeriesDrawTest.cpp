// Line series drawn on a flat chart, read from the pixels of an offscreen
// window: segments, markers, null points, entering from the left edge,
// clipping, the order of series, marker shapes, the legend symbol and the
// hit test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/CanvasTools.h"
#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/raster/Bitmap.h"

namespace halvorn {
namespace {

constexpr TPixel Px(TColor c) { return ColorToPixel(ColorToRGB(c)); }

constexpr TColor kBackground = clWhite;

// The series as the program's window sets it up: lines of width 2,
// markers 7 pixels across without outline.
void ConfigureLikeTheWindow(TLineSeries& s, TColor colour) {
  s.LinePen().SetWidth(2);
  s.Pointer().SetHorizSize(3);
  s.Pointer().SetVertSize(3);
  s.Pointer().Pen().SetVisible(false);
  s.Pointer().SetVisible(true);
  s.SetSeriesColor(colour);
}

// A flat chart without axes, legend or margins on a white back wall, with
// line series painted into an offscreen window.
struct TLineChart {
  explicit TLineChart(int width = 200, int height = 120) {
    chart.SetView3D(false);
    // Room around the plot rectangle, to see what the clip cuts off.
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 5);
    chart.SetAxisVisible(false);
    chart.Legend().SetVisible(false);
    chart.SetBackColor(kBackground);
    window.SetClient(&chart);
    chart.SetHost(&window);
    window.Resize(width, height);
  }
  ~TLineChart() {
    chart.SetHost(nullptr);
    // Destroyed before the chart, the series leave its list.
    series.clear();
  }

  TLineSeries& Add(TColor colour) {
    series.push_back(std::make_unique<TLineSeries>());
    TLineSeries& s = *series.back();
    s.SetParentChart(&chart);
    ConfigureLikeTheWindow(s, colour);
    return s;
  }
  void Paint() {
    chart.Invalidate();
    window.DeliverPaint();
  }
  // Fixed ranges on both axes, wide enough to keep the markers off the
  // edges of the clip.
  void Inside(double xMin, double xMax, double yMin, double yMax) {
    Fix(chart.BottomAxis(), xMin, xMax);
    Fix(chart.LeftAxis(), yMin, yMax);
  }
  // A fixed range on one axis, without room for markers.
  static void Fix(TCustomChartAxis& axis, double min, double max) {
    axis.SetAutomatic(false);
    axis.SetMaximum(max);
    axis.SetMinimum(min);
  }

  TPixel At(int x, int y) const { return window.Pixels().At(x, y); }
  bool Is(int x, int y, TColor c) const { return At(x, y) == Px(c); }
  int Count(TColor c) const {
    int n = 0;
    for (int y = 0; y < window.Pixels().Height(); ++y)
      for (int x = 0; x < window.Pixels().Width(); ++x) n += Is(x, y, c);
    return n;
  }
  // Every pixel of the 7 by 7 box around (x, y) is in colour c.
  bool MarkerAt(int x, int y, TColor c) const {
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx)
        if (!Is(x + dx, y + dy, c)) return false;
    return true;
  }
  bool MarkerOf(const TLineSeries& s, int index, TColor c) const {
    return MarkerAt(s.XPixel(index), s.YPixel(index), c);
  }
  // Some pixel at most one row off the straight line between the two
  // points' pixels, at the middle column, is in colour c.
  bool SegmentBetween(const TLineSeries& s, int a, int b, TColor c) const {
    const int xa = s.XPixel(a), ya = s.YPixel(a), xb = s.XPixel(b), yb = s.YPixel(b);
    const int x = (xa + xb) / 2;
    const int y = ya + (yb - ya) * (x - xa) / (xb - xa);
    return Is(x, y - 1, c) || Is(x, y, c) || Is(x, y + 1, c);
  }

  TOffscreenPanelHost window;
  TChart chart;
  std::vector<std::unique_ptr<TLineSeries>> series;
};

TEST(LineSeriesDraw, MarkersAreSevenPixelSquaresWithoutOutlineInThePointColour) {
  TLineChart c;
  TLineSeries& s = c.Add(clBlue);
  s.AppendXY(0, 1, "", clAutoColor);
  s.AppendXY(1, 2, "", clRed);
  s.AppendXY(2, 1, "", clAutoColor);
  c.Inside(-1, 3, 0, 4);
  c.Paint();
  for (int i = 0; i < 3; ++i) {
    const TColor colour = s.PointColor(i);
    const int x = s.XPixel(i), y = s.YPixel(i);
    EXPECT_TRUE(c.MarkerOf(s, i, colour)) << i;
    // Just beyond the box above and below, away from the lines.
    EXPECT_FALSE(c.Is(x, y - 4, colour)) << i;
    EXPECT_FALSE(c.Is(x, y + 4, colour)) << i;
  }
}

TEST(LineSeriesDraw, SegmentsAreTwoPixelsWideInTheColourOfTheirEndPoint) {
  TLineChart c;
  TLineSeries& s = c.Add(clBlue);
  s.AppendXY(0, 5, "", clRed);
  s.AppendXY(1, 5, "", clGreen);
  s.AppendXY(2, 5, "", clFuchsia);
  c.Paint();
  const int y = s.YPixel(0);
  for (const auto& [from, colour] : {std::pair{0, clGreen}, std::pair{1, clFuchsia}}) {
    const int x = (s.XPixel(from) + s.XPixel(from + 1)) / 2;
    EXPECT_TRUE(c.Is(x, y - 1, colour)) << from;
    EXPECT_TRUE(c.Is(x, y, colour)) << from;
    EXPECT_TRUE(c.Is(x, y - 2, kBackground)) << from;
    EXPECT_TRUE(c.Is(x, y + 1, kBackground)) << from;
  }
  // The marker of the middle point lies over the segment leaving it.
  EXPECT_TRUE(c.MarkerOf(s, 1, clGreen));
  EXPECT_TRUE(c.MarkerOf(s, 0, clRed));
  EXPECT_TRUE(c.MarkerOf(s, 2, clFuchsia));
}

struct TPointData {
  double x, y;
  bool null = false;
};

// Which markers and segments a case draws, read from the pixels.
TEST(LineSeriesDraw, NullPointsAndVisibility) {
  const struct {
    const char* name;
    std::vector<TPointData> points;
    std::vector<bool> markers;
    std::vector<bool> segments;  // segment i joins points i and i + 1
  } cases[] = {
      {"a line", {{0, 0}, {1, 3}, {2, 1}}, {true, true, true}, {true, true}},
      {"a null point in the middle",
       {{0, 1}, {1, 2}, {2, 9, true}, {3, 1}, {4, 2}},
       {true, true, false, true, true},
       {true, false, false, true}},
      {"a null point first", {{0, 9, true}, {1, 1}, {2, 2}}, {false, true, true}, {false, true}},
      {"a null point last", {{0, 1}, {1, 2}, {2, 9, true}}, {true, true, false}, {true, false}},
  };
  for (const auto& k : cases) {
    TLineChart c;
    TLineSeries& s = c.Add(clBlue);
    for (const TPointData& p : k.points) s.AppendXY(p.x, p.y, "", p.null ? clNone : clAutoColor);
    c.Inside(-1, 5, -1, 10);
    c.Paint();
    for (std::size_t i = 0; i < k.markers.size(); ++i)
      EXPECT_EQ(c.MarkerOf(s, static_cast<int>(i), clBlue), k.markers[i]) << k.name << " " << i;
    for (std::size_t i = 0; i < k.segments.size(); ++i)
      EXPECT_EQ(c.SegmentBetween(s, static_cast<int>(i), static_cast<int>(i) + 1, clBlue),
                k.segments[i])
          << k.name << " segment " << i;
  }
}

TEST(LineSeriesDraw, OnePointDrawsOnlyItsMarker) {
  TLineChart c;
  TLineSeries& s = c.Add(clBlue);
  s.AppendXY(3, 4, "", clAutoColor);
  c.Paint();
  EXPECT_TRUE(c.MarkerOf(s, 0, clBlue));
  EXPECT_EQ(c.Count(clBlue), 49);
}

// Two points on one pixel: both markers (the second, a dot, over the
// first), and nothing else.
TEST(LineSeriesDraw, PointsOnOnePixelDrawBothMarkersAndNoSegment) {
  TLineChart c;
  TLineSeries& s = c.Add(clBlue);
  s.AppendXY(3, 4, "", clRed);
  s.AppendXY(3, 4, "", clGreen);
  s.OnGetPointerStyle = [](TCustomSeries&, int index) {
    return index == 0 ? psRectangle : psSmallDot;
  };
  c.Paint();
  ASSERT_EQ(s.XPixel(0), s.XPixel(1));
  EXPECT_EQ(c.Count(clRed), 48);
  EXPECT_EQ(c.Count(clGreen), 1);
  EXPECT_TRUE(c.Is(s.XPixel(1), s.YPixel(1), clGreen));
}

// With the horizontal axis starting after the first points, the line comes
// in from the left edge of the plot rectangle.
TEST(LineSeriesDraw, TheFirstVisiblePointIsJoinedToTheLeftEdge) {
  const struct {
    const char* name;
    bool stairs, previousNull, inverted;
  } cases[] = {
      {"straight", false, false, false},
      {"stairs", true, false, false},
      {"previous point null", false, true, false},
      {"inverted axis", false, false, true},
  };
  for (const auto& k : cases) {
    TLineChart c;
    TLineSeries& s = c.Add(clBlue);
    s.SetStairs(k.stairs);
    // Two runs of a straight line, y = 2x, with a null point at x = 1
    // when asked.
    for (int i = 0; i < 5; ++i)
      s.AppendXY(i, 2 * i, "", k.previousNull && i == 1 ? clNone : clAutoColor);
    TLineChart::Fix(c.chart.BottomAxis(), 1.5, 4.5);
    TLineChart::Fix(c.chart.LeftAxis(), -2, 10);
    c.chart.BottomAxis().SetInverted(k.inverted);
    c.Paint();
    ASSERT_EQ(s.FirstVisibleIndex(), 2) << k.name;
    const TRect& r = c.chart.ChartRect();
    // The first column inside the clip on the side where the axis starts.
    const int x = k.inverted ? r.Right - 1 : r.Left + 1;
    int y;
    if (k.stairs) {
      y = s.YPixel(1);
    } else {
      // On the line through the pixels of points 2 and 3, extended.
      const int x2 = s.XPixel(2), y2 = s.YPixel(2), x3 = s.XPixel(3), y3 = s.YPixel(3);
      y = y2 + (y3 - y2) * (x - x2) / (x3 - x2);
    }
    const bool drawn = c.Is(x, y - 1, clBlue) || c.Is(x, y, clBlue) || c.Is(x, y + 1, clBlue);
    EXPECT_EQ(drawn, !k.previousNull) << k.name;
    EXPECT_TRUE(c.MarkerOf(s, 2, clBlue)) << k.name;
    if (k.previousNull) {
      // Nothing between the edge and the first marker.
      for (int col = r.Left + 1; col < s.XPixel(2) - 3; ++col)
        for (int row = r.Top + 1; row < r.Bottom - 1; ++row)
          ASSERT_FALSE(c.Is(col, row, clBlue)) << col << "," << row;
    }
  }
}

TEST(LineSeriesDraw, MarkerSettingsDecideMarkersAndMargins) {
  const struct {
    const char* name;
    bool visible, inflate;
    int margin;
  } cases[] = {
      {"markers with room", true, true, 4},
      {"markers hidden", false, true, 0},
      {"markers without room", true, false, 0},
  };
  for (const auto& k : cases) {
    TLineChart c;
    TLineSeries& s = c.Add(clBlue);
    s.Pointer().SetVisible(k.visible);
    s.Pointer().SetInflateMargins(k.inflate);
    s.AppendXY(0, 0, "", clAutoColor);
    s.AppendXY(1, 3, "", clAutoColor);
    s.AppendXY(2, 1.5, "", clAutoColor);
    s.AppendXY(3, 1, "", clAutoColor);
    c.Paint();
    const TRect& r = c.chart.ChartRect();
    EXPECT_EQ(s.XPixel(0) - c.chart.BottomAxis().StartPixel(), k.margin) << k.name;
    EXPECT_EQ(c.chart.BottomAxis().EndPixel() - s.XPixel(3), k.margin) << k.name;
    EXPECT_EQ(c.chart.LeftAxis().EndPixel() - s.YPixel(0), k.margin) << k.name;
    EXPECT_EQ(s.YPixel(1) - c.chart.LeftAxis().StartPixel(), k.margin) << k.name;
    // A marker away from the edges, whole or absent.
    EXPECT_EQ(c.MarkerOf(s, 2, clBlue), k.visible) << k.name;
    EXPECT_EQ(c.Is(s.XPixel(2) + 3, s.YPixel(2) - 3, clBlue), k.visible) << k.name;
    EXPECT_TRUE(c.SegmentBetween(s, 0, 1, clBlue)) << k.name;
    if (k.visible && !k.inflate) {
      // The first marker sits on the left edge: cut off at the back wall.
      const int y = s.YPixel(0) - 2;
      EXPECT_TRUE(c.Is(r.Left, y, clBlack)) << k.name;
      EXPECT_TRUE(c.Is(r.Left + 1, y, clBlue)) << k.name;
      EXPECT_FALSE(c.Is(r.Left - 1, y, clBlue)) << k.name;
    }
  }
}

TEST(LineSeriesDraw, TheLaterSeriesIsDrawnOverTheEarlierOne) {
  TLineChart c;
  TLineSeries& before = c.Add(clBlue);
  TLineSeries& after = c.Add(0x0080FF);
  for (TLineSeries* s : {&before, &after}) {
    s->AppendXY(0, 0, "", clAutoColor);
    s->AppendXY(1, 3, "", clAutoColor);
    s->AppendXY(2, 1, "", clAutoColor);
  }
  c.Inside(-1, 3, -1, 4);
  c.Paint();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(c.MarkerOf(after, i, 0x0080FF)) << i;
  EXPECT_TRUE(c.SegmentBetween(after, 0, 1, 0x0080FF));
  EXPECT_EQ(c.Count(clBlue), 0);
}

// A point outside the fixed vertical range puts its marker and lines across
// the top of the back wall.
TEST(LineSeriesDraw, ClipPointsKeepsTheSeriesInsideTheBackWall) {
  for (const bool clip : {true, false}) {
    TLineChart c;
    TLineSeries& s = c.Add(clBlue);
    s.AppendXY(0, 1, "", clAutoColor);
    s.AppendXY(1, 4, "", clAutoColor);
    s.AppendXY(2, 1, "", clAutoColor);
    TLineChart::Fix(c.chart.LeftAxis(), 0, 3.95);
    c.chart.SetClipPoints(clip);
    c.Paint();
    const TRect& r = c.chart.ChartRect();
    int outside = 0;
    for (int x = 0; x < c.window.Pixels().Width(); ++x)
      for (int y = 0; y <= r.Top; ++y) outside += c.Is(x, y, clBlue);
    EXPECT_EQ(outside > 0, !clip) << clip;
    EXPECT_TRUE(c.Is(s.XPixel(1), r.Top + 1, clBlue)) << clip;
  }
}

// Points mapped beyond the device's reach are left out; the line runs on
// from the last point drawn in this paint, never from where an earlier
// paint ended.
TEST(LineSeriesDraw, PointsBeyondTheDevicesReachAreLeftOut) {
  TLineChart c;
  TLineSeries& s = c.Add(clBlue);
  c.Inside(-1, 5, 0, 1);
  for (const double y : {0.5, 0.5, 0.5, 0.5, 0.1}) s.AppendXY(s.PointCount(), y, "", clAutoColor);
  c.Paint();
  // The previous paint ended at the bottom right.
  const int staleX = s.XPixel(4), staleY = s.YPixel(4);

  s.ClearPoints();
  for (const double y : {1000.0, 0.5, 0.5, 1000.0, 0.5})
    s.AppendXY(s.PointCount(), y, "", clAutoColor);
  c.Paint();
  ASSERT_LT(s.YPixel(0), -32766);
  const int midX = (staleX + s.XPixel(1)) / 2, midY = (staleY + s.YPixel(1)) / 2;
  EXPECT_FALSE(c.Is(midX, midY, clBlue));
  EXPECT_FALSE(c.Is(midX, midY - 1, clBlue));
  EXPECT_TRUE(c.MarkerOf(s, 1, clBlue));
  // Over the left-out point 3, from point 2 to point 4.
  EXPECT_TRUE(c.SegmentBetween(s, 2, 4, clBlue));
  EXPECT_TRUE(c.MarkerOf(s, 4, clBlue));
}

// --- Marker shapes and the legend symbol on a bare canvas ------------------

// A chart whose canvas draws on a white bitmap.
struct TCanvasChart {
  TCanvasChart() : bitmap(40, 30) {
    chart.SetView3D(false);
    chart.Canvas().SetReferenceCanvas(&bitmap.Canvas());
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(TRect{0, 0, 40, 30});
    series.SetParentChart(&chart);
    ConfigureLikeTheWindow(series, clBlue);
  }
  ~TCanvasChart() { series.SetParentChart(nullptr); }

  TColor At(int x, int y) const { return PixelToColor(bitmap.Pixels().At(x, y)); }
  // The bounding box of the pixels in colour c.
  TRect Box(TColor c) const {
    TRect box{1000, 1000, -1, -1};
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        if (At(x, y) == c) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
  }

  TBitmap bitmap;
  TChart chart;
  TLineSeries series;
};

TEST(LineSeriesDraw, MarkerShapes) {
  // Centre (20, 15), half width 4, half height 3: L 16, R 24, T 12, B 18.
  const struct {
    TSeriesPointerStyle style;
    TRect box;  // empty: not checked
    std::vector<TPoint> inked, blank;
  } cases[] = {
      {psRectangle, {16, 12, 25, 19}, {{16, 12}, {24, 18}, {20, 15}}, {{25, 15}, {20, 19}}},
      {psCircle, {16, 12, 24, 18}, {{20, 15}}, {{16, 12}, {23, 17}}},
      {psTriangle, {}, {{20, 13}, {17, 17}}, {{16, 12}, {24, 12}}},
      {psDownTriangle, {}, {{20, 16}, {17, 12}}, {{16, 18}, {24, 18}}},
      {psCross, {16, 12, 25, 19}, {{20, 12}, {20, 18}, {16, 15}, {24, 15}}, {{16, 12}, {19, 14}}},
      {psDiagCross, {}, {{16, 12}, {22, 17}, {24, 12}, {20, 15}}, {{20, 12}, {16, 15}}},
      {psStar, {}, {{16, 12}, {24, 12}, {20, 12}, {16, 15}}, {{18, 12}}},
      {psDiamond, {}, {{20, 15}, {20, 13}, {18, 15}}, {{16, 12}, {24, 18}}},
      {psSmallDot, {20, 15, 21, 16}, {{20, 15}}, {{19, 15}, {21, 15}}},
  };
  for (const auto& k : cases) {
    TCanvasChart c;
    TChartCanvas3D& canvas = c.chart.Canvas();
    // An outline in the point colour, so that the line styles show.
    c.series.Pointer().Pen().SetVisible(true);
    c.series.Pointer().Pen().SetColor(clAutoColor);
    c.series.Pointer().ApplyMarkerColours(canvas, clRed);
    TSeriesPointer::DrawMarkerShape(canvas, false, 20, 15, 4, 3, clRed, k.style);
    if (!k.box.IsEmpty()) {
      EXPECT_EQ(c.Box(clRed), k.box) << k.style;
    }
    for (const TPoint p : k.inked)
      EXPECT_EQ(c.At(p.X, p.Y), clRed) << k.style << " " << p.X << "," << p.Y;
    for (const TPoint p : k.blank)
      EXPECT_EQ(c.At(p.X, p.Y), clWhite) << k.style << " " << p.X << "," << p.Y;
    // Nothing beyond the marker's box.
    const TRect box = c.Box(clRed);
    EXPECT_GE(box.Left, 16) << k.style;
    EXPECT_GE(box.Top, 12) << k.style;
    EXPECT_LE(box.Right, 25) << k.style;
    EXPECT_LE(box.Bottom, 19) << k.style;
  }
}

TEST(LineSeriesDraw, MarkerColoursFollowThePointUnlessChosen) {
  const struct {
    const char* name;
    bool penVisible;
    TColor penColour, brushColour;
    TColor fill, outline;
  } cases[] = {
      {"no outline, automatic fill", false, clAutoColor, clAutoColor, clRed, clRed},
      {"automatic outline", true, clAutoColor, clAutoColor, clRed, clRed},
      {"chosen outline and fill", true, clGreen, clYellow, clYellow, clGreen},
  };
  for (const auto& k : cases) {
    TCanvasChart c;
    TSeriesPointer& p = c.series.Pointer();
    p.Pen().SetVisible(k.penVisible);
    p.Pen().SetColor(k.penColour);
    p.Brush().SetColor(k.brushColour);
    TChartCanvas3D& canvas = c.chart.Canvas();
    p.ApplyMarkerColours(canvas, clRed);
    TSeriesPointer::DrawMarkerShape(canvas, false, 20, 15, 3, 3, clRed, psRectangle);
    EXPECT_EQ(c.At(20, 15), k.fill) << k.name;
    EXPECT_EQ(c.At(17, 12), k.outline) << k.name;
    EXPECT_EQ(c.At(23, 18), k.outline) << k.name;
  }
}

// The symbol rect is 30 by 12 at (4, 6): the line on row 12 (and the row
// above it, at width 2), the marker centred at (19, 12).
TEST(LineSeriesDraw, LegendSymbol) {
  const TRect rect{4, 6, 34, 18};
  const struct {
    const char* name;
    bool pointer, linePen;
    TRect rect;
    TRect markerBox;  // empty: no marker
    bool line;
  } cases[] = {
      {"line and marker", true, true, rect, {16, 9, 23, 16}, true},
      {"small rect shrinks the marker", true, true, {4, 6, 16, 12}, {7, 7, 14, 12}, true},
      {"marker alone", true, false, rect, {16, 9, 23, 16}, false},
      {"marker alone in a flat rect", true, false, {4, 6, 24, 9}, {11, 5, 18, 10}, false},
      {"line alone", false, true, rect, {}, true},
  };
  for (const auto& k : cases) {
    TCanvasChart c;
    c.series.Pointer().SetVisible(k.pointer);
    c.series.LinePen().SetVisible(k.linePen);
    c.series.SetLineBrush(bsCross);
    TColor back = clWhite;
    TBrushStyle style = bsSolid;
    c.series.PrepareLegendTools(-1, back, style);
    EXPECT_EQ(back, clWhite) << k.name;
    EXPECT_EQ(style, bsCross) << k.name;
    if (k.linePen) {
      EXPECT_EQ(c.chart.Canvas().Pen().Width(), 2) << k.name;
    }
    c.series.DrawLegendSymbol(-1, k.rect);
    const int cy = (k.rect.Top + k.rect.Bottom) / 2;
    const int farLeft = k.rect.Left + 1;
    EXPECT_EQ(c.At(farLeft, cy) == clBlue && c.At(farLeft, cy - 1) == clBlue, k.line) << k.name;
    if (k.markerBox.IsEmpty()) {
      EXPECT_EQ(c.At((k.rect.Left + k.rect.Right) / 2, cy - 3), clWhite) << k.name;
      EXPECT_EQ(c.Box(clBlue).Top, cy - 1) << k.name;
    } else {
      // The marker's column shows its height, its top row its width.
      const TRect& m = k.markerBox;
      EXPECT_EQ(c.At(m.Left, m.Top), clBlue) << k.name;
      EXPECT_EQ(c.At(m.Right - 1, m.Bottom - 1), clBlue) << k.name;
      EXPECT_EQ(c.Box(clBlue).Top, m.Top) << k.name;
      EXPECT_EQ(c.Box(clBlue).Bottom, std::max(m.Bottom, k.line ? cy + 1 : 0)) << k.name;
      if (m.Top < cy - 1) {
        EXPECT_EQ(c.At(m.Left - 1, m.Top), clWhite) << k.name;
        EXPECT_EQ(c.At(m.Right, m.Top), clWhite) << k.name;
      }
    }
  }
}

TEST(LineSeriesDraw, LegendSymbolOfAPointTakesItsColour) {
  TCanvasChart c;
  c.series.AppendXY(0, 0, "", clGreen);
  c.series.DrawLegendSymbol(0, TRect{4, 6, 34, 18});
  EXPECT_EQ(c.At(19, 12), clGreen);
  EXPECT_EQ(c.At(5, 11), clGreen);
}

// Without a line or marker a series shows the plain symbol: a box in the
// legend's brush, outlined once more when the fill equals the legend box.
TEST(LineSeriesDraw, PlainLegendSymbol) {
  const struct {
    const char* name;
    TColor fill, legend, outline;
  } cases[] = {
      {"red on a white legend", clRed, clWhite, clBlack},
      {"white on a white legend", clWhite, clWhite, clBlack},
      {"black on a black legend", clBlack, clBlack, clWhite},
  };
  for (const auto& k : cases) {
    TCanvasChart c;
    TCustomSeries plain;
    plain.Pointer().SetVisible(false);
    plain.SetParentChart(&c.chart);
    c.chart.Legend().SetColor(k.legend);
    TChartCanvas3D& canvas = c.chart.Canvas();
    canvas.Pen().SetColor(clBlack);
    SelectBrush(canvas, k.fill, bsSolid, k.legend);
    plain.DrawLegendSymbol(-1, TRect{4, 6, 34, 18});
    EXPECT_EQ(c.At(19, 12), k.fill) << k.name;
    EXPECT_EQ(c.At(4, 6), k.outline) << k.name;
    EXPECT_EQ(c.At(33, 17), k.outline) << k.name;
    EXPECT_EQ(c.At(34, 12), clWhite) << k.name;
    EXPECT_EQ(canvas.Pen().Color(), clBlack) << k.name;
    plain.SetParentChart(nullptr);
  }
}

// --- Hit test ----------------------------------------------------------------

TEST(LineSeriesDraw, PointAtPixel) {
  TLineChart c;
  TLineSeries& s = c.Add(clBlue);
  s.AppendXY(0, 0, "", clAutoColor);
  s.AppendXY(2, 0, "", clAutoColor);
  s.AppendXY(4, 4, "", clAutoColor);
  s.AppendXY(6, 4, "", clNone);
  s.AppendXY(8, 0, "", clAutoColor);
  std::vector<int> clicked;
  s.OnClickPointer = [&](TCustomSeries&, int index, int, int) { clicked.push_back(index); };
  c.Paint();
  const auto x = [&](int i) { return s.XPixel(i); };
  const auto y = [&](int i) { return s.YPixel(i); };
  const int midX = (x(0) + x(1)) / 2;
  const struct {
    const char* name;
    bool pointer, stairs;
    TPoint at;
    int expected;
    bool onMarker;
  } cases[] = {
      {"on a marker", true, false, {x(1) + 2, y(1) - 2}, 1, true},
      {"just beyond a marker", true, false, {x(0) + 3, y(0) + 3}, -1, false},
      {"on a segment", true, false, {midX, y(0)}, 0, false},
      {"beside a segment", true, false, {midX, y(0) - 4}, -1, false},
      {"on a point without markers", false, false, {x(2), y(2)}, 2, false},
      {"next to a point without markers", false, false, {x(2) + 2, y(2) + 8}, -1, false},
      {"on the segment into a null point", false, false, {(x(2) + x(3)) / 2, y(2)}, -1, false},
      {"on a stair's step", false, true, {(x(1) + x(2)) / 2, y(1)}, 1, false},
      {"on a stair's riser", false, true, {x(2), (y(1) + y(2)) / 2}, 1, false},
      {"on the straight line instead of the stair",
       false,
       true,
       {(x(1) + x(2)) / 2, (y(1) + y(2)) / 2},
       -1,
       false},
  };
  for (const auto& k : cases) {
    s.Pointer().SetVisible(k.pointer);
    s.SetStairs(k.stairs);
    clicked.clear();
    EXPECT_EQ(s.PointAtPixel(k.at.X, k.at.Y), k.expected) << k.name;
    EXPECT_EQ(clicked, k.onMarker ? std::vector<int>{k.expected} : std::vector<int>{}) << k.name;
  }
  const TPoint first{x(0), y(0)};
  ASSERT_EQ(s.PointAtPixel(first.X, first.Y), 0);
  s.ClearPoints();
  EXPECT_EQ(s.PointAtPixel(first.X, first.Y), -1);
}

}  // namespace
}  // namespace halvorn
