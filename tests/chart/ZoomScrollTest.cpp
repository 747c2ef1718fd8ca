// Zooming, panning, wheel scrolling and the click events of the window's
// chart, driven through the mouse calls a window makes.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/runtime/Exceptions.h"
#include "scene/SimulationChart.h"

namespace halvorn {
namespace {

// A copy of the window's pixels.
struct TPixels {
  int width = 0;
  std::vector<TPixel> pixels;
  TPixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct TAxisState {
  bool automatic;
  double minimum, maximum;
};

// The window's chart with its two series after a Run, painted once.
struct TZoomChart {
  TZoomChart() {
    ConfigureChart(chart);
    ConfigureBeforeSeries(before);
    ConfigureAfterSeries(after);
    before.SetParentChart(&chart);
    after.SetParentChart(&chart);
    Fill(0);
    window.SetClient(&chart);
    chart.SetHost(&window);
    window.Resize(600, 400);
    window.DeliverPaint();
  }
  ~TZoomChart() {
    before.SetParentChart(nullptr);
    after.SetParentChart(nullptr);
    chart.SetHost(nullptr);
  }

  // Twelve monthly points in each series, shifted by offset.
  void Fill(double offset) {
    before.ClearPoints();
    after.ClearPoints();
    for (int i = 0; i < 12; ++i) {
      before.AppendXY(1 + i, offset + 10 + (i % 4) * 2, "", clAutoColor);
      after.AppendXY(1 + i, offset + 20 - i, "", clAutoColor);
    }
  }

  void Drag(TMouseButton button, int x0, int y0, int x1, int y1) {
    chart.MouseDown(button, 0, x0, y0);
    chart.MouseMove(0, x1, y1);
    chart.MouseUp(button, 0, x1, y1);
    window.DeliverPaint();
  }

  std::array<TCustomChartAxis*, 4> SideAxes() {
    return {&chart.LeftAxis(), &chart.RightAxis(), &chart.TopAxis(), &chart.BottomAxis()};
  }
  std::array<TAxisState, 4> State() {
    std::array<TAxisState, 4> s;
    const auto axes = SideAxes();
    for (std::size_t i = 0; i < 4; ++i)
      s[i] = TAxisState{axes[i]->Automatic(), axes[i]->Minimum(), axes[i]->Maximum()};
    return s;
  }
  // A point well inside the plot area and away from the series.
  TPoint Inside(int fx, int fy) const {
    const TRect& r = chart.ChartRect();
    return TPoint{r.Left + r.Width() * fx / 10, r.Top + r.Height() * fy / 10};
  }
  TPixels Snapshot() const {
    const TRasterBitmap& b = window.Pixels();
    TPixels copy{b.Width(), {}};
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) copy.pixels.push_back(b.At(x, y));
    return copy;
  }
  bool SamePixels(const TPixels& other) const {
    const TPixels now = Snapshot();
    return now.pixels == other.pixels;
  }

  TOffscreenPanelHost window;
  TChart chart;
  TLineSeries before, after;
};

void ExpectAutomatic(TZoomChart& c) {
  for (const TAxisState& s : c.State()) EXPECT_TRUE(s.automatic);
  EXPECT_FALSE(c.chart.IsZoomed());
}

// The ranges a zoom to the rectangle from (x0, y0) to (x1, y1) gives, read
// from the last paint.
std::array<TAxisState, 4> ZoomTarget(TZoomChart& c, int x0, int y0, int x1, int y1) {
  TChart& chart = c.chart;
  return {
      TAxisState{false, chart.LeftAxis().PixelToValue(y1), chart.LeftAxis().PixelToValue(y0)},
      TAxisState{false, chart.RightAxis().PixelToValue(y1), chart.RightAxis().PixelToValue(y0)},
      TAxisState{false, chart.TopAxis().PixelToValue(x0), chart.TopAxis().PixelToValue(x1)},
      TAxisState{false, chart.BottomAxis().PixelToValue(x0), chart.BottomAxis().PixelToValue(x1)}};
}

void ExpectState(const std::array<TAxisState, 4>& actual, const std::array<TAxisState, 4>& expected,
                 const std::string& where) {
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(where + " axis " + std::to_string(i));
    EXPECT_EQ(actual[i].automatic, expected[i].automatic);
    EXPECT_DOUBLE_EQ(actual[i].minimum, expected[i].minimum);
    // An empty range is widened to 1e-10.
    EXPECT_NEAR(actual[i].maximum, expected[i].maximum, 1e-9);
  }
}

TEST(ZoomScroll, LeftDragRightAndDownZoomsAllFourAxesToTheRectangle) {
  TZoomChart c;
  const TPoint a = c.Inside(2, 1), b = c.Inside(7, 8);
  const auto target = ZoomTarget(c, a.X, a.Y, b.X, b.Y);
  int zooms = 0;
  c.chart.OnZoom = [&](TCustomChartPanel&) { ++zooms; };
  c.Drag(mbLeft, a.X, a.Y, b.X, b.Y);
  ExpectState(c.State(), target, "zoom");
  EXPECT_TRUE(c.chart.IsZoomed());
  EXPECT_EQ(zooms, 1);
  // The rectangle's contents fill the plot area: its corners are the ends
  // of the axes now.
  EXPECT_NEAR(c.chart.BottomAxis().RangeMin(), target[3].minimum, 1e-12);
  EXPECT_NEAR(c.chart.LeftAxis().RangeMax(), target[0].maximum, 1e-12);
}

TEST(ZoomScroll, ReleaseDecidesByDirectionAndLength) {
  enum TOutcome { kNothing, kZoom, kUndo };
  struct TCase {
    int dx, dy;
    TOutcome outcome;
  };
  const std::vector<TCase> cases = {
      {17, 17, kZoom},    {16, 40, kNothing},   {40, 16, kNothing},
      {16, 16, kNothing}, {-16, -40, kNothing}, {-17, 17, kUndo},
      {17, -17, kUndo},   {-40, -30, kUndo},    {0, 0, kNothing},
  };
  for (const TCase& t : cases) {
    const std::string where = std::to_string(t.dx) + "," + std::to_string(t.dy);
    SCOPED_TRACE(where);
    TZoomChart c;
    // Start from a zoomed chart, so that an undo shows.
    const TPoint a0 = c.Inside(1, 1), b0 = c.Inside(9, 9);
    c.Drag(mbLeft, a0.X, a0.Y, b0.X, b0.Y);
    ASSERT_TRUE(c.chart.IsZoomed());
    const auto zoomed = c.State();
    int undos = 0;
    c.chart.OnUndoZoom = [&](TCustomChartPanel&) { ++undos; };

    const TPoint a = c.Inside(5, 5);
    const auto target = ZoomTarget(c, std::min(a.X, a.X + t.dx), std::min(a.Y, a.Y + t.dy),
                                   std::max(a.X, a.X + t.dx), std::max(a.Y, a.Y + t.dy));
    c.Drag(mbLeft, a.X, a.Y, a.X + t.dx, a.Y + t.dy);
    switch (t.outcome) {
      case kNothing:
        ExpectState(c.State(), zoomed, where);
        EXPECT_TRUE(c.chart.IsZoomed());
        EXPECT_EQ(undos, 0);
        break;
      case kZoom:
        ExpectState(c.State(), target, where);
        break;
      case kUndo:
        ExpectAutomatic(c);
        EXPECT_EQ(undos, 1);
        break;
    }
  }
}

TEST(ZoomScroll, UndoReturnsToTheStateBeforeTheFirstZoom) {
  TZoomChart c;
  const auto automatic = c.State();
  c.Drag(mbLeft, c.Inside(1, 1).X, c.Inside(1, 1).Y, c.Inside(9, 9).X, c.Inside(9, 9).Y);
  c.Drag(mbLeft, c.Inside(2, 2).X, c.Inside(2, 2).Y, c.Inside(6, 6).X, c.Inside(6, 6).Y);
  c.chart.UndoZoom();
  ExpectAutomatic(c);
  c.window.DeliverPaint();
  // Fitted to the data again, margins and all.
  ExpectState(c.State(), automatic, "undone");

  // A second undo has nothing saved: it reports itself and changes nothing.
  c.chart.LeftAxis().SetValueRange(-3, 3);
  int undos = 0;
  c.chart.OnUndoZoom = [&](TCustomChartPanel&) { ++undos; };
  c.chart.UndoZoom();
  EXPECT_EQ(undos, 1);
  EXPECT_FALSE(c.chart.LeftAxis().Automatic());
  EXPECT_EQ(c.chart.LeftAxis().Minimum(), -3);
}

TEST(ZoomScroll, UndoRestoresAOneSidedFixedLimit) {
  TZoomChart c;
  TChartAxis& left = c.chart.LeftAxis();
  left.SetAutomaticMinimum(false);
  left.SetMinimum(-5);
  c.window.DeliverPaint();
  c.Drag(mbLeft, c.Inside(1, 1).X, c.Inside(1, 1).Y, c.Inside(9, 9).X, c.Inside(9, 9).Y);
  ASSERT_FALSE(left.AutomaticMaximum());
  c.chart.UndoZoom();
  EXPECT_FALSE(left.AutomaticMinimum());
  EXPECT_TRUE(left.AutomaticMaximum());
  EXPECT_EQ(left.Minimum(), -5);
  c.window.DeliverPaint();
  EXPECT_DOUBLE_EQ(left.Maximum(), 20);
}

TEST(ZoomScroll, ZoomingAnEmptyChartGivesTheNarrowestRanges) {
  TZoomChart c;
  c.before.ClearPoints();
  c.after.ClearPoints();
  c.window.DeliverPaint();
  c.Drag(mbLeft, c.Inside(1, 1).X, c.Inside(1, 1).Y, c.Inside(9, 9).X, c.Inside(9, 9).Y);
  for (const TAxisState& s : c.State()) {
    EXPECT_FALSE(s.automatic);
    EXPECT_EQ(s.minimum, 0);
    EXPECT_DOUBLE_EQ(s.maximum, 1e-10);
  }
}

TEST(ZoomScroll, AnimatedZoomPaintsEachStepAndEndsOnTheTarget) {
  TZoomChart c;
  c.chart.SetAnimatedZoom(true);
  const TPoint a = c.Inside(2, 2), b = c.Inside(6, 7);
  const auto target = ZoomTarget(c, a.X, a.Y, b.X, b.Y);
  const int paints = c.window.Paints();
  c.chart.MouseDown(mbLeft, 0, a.X, a.Y);
  c.chart.MouseMove(0, b.X, b.Y);
  c.chart.MouseUp(mbLeft, 0, b.X, b.Y);
  EXPECT_EQ(c.window.Paints() - paints, c.chart.AnimatedZoomSteps() - 1);
  ExpectState(c.State(), target, "animated");
}

TEST(ZoomScroll, RubberBandInvertsAndRestoresThePixels) {
  TZoomChart c;
  const TPixels before = c.Snapshot();
  const TPoint a = c.Inside(2, 2), b = c.Inside(5, 6), d = c.Inside(7, 8);
  const auto onBand = [&](TPoint p, TPoint q) {
    // The band's corners and the middle of its top edge.
    return std::vector<TPoint>{p, TPoint{q.X - 1, p.Y}, TPoint{p.X, q.Y - 1},
                               TPoint{(p.X + q.X) / 2, p.Y}};
  };
  const auto bandShown = [&](TPoint p, TPoint q) {
    for (TPoint pt : onBand(p, q))
      if (c.window.Pixels().At(pt.X, pt.Y) == before.At(pt.X, pt.Y)) return false;
    return true;
  };

  c.chart.MouseDown(mbLeft, 0, a.X, a.Y);
  EXPECT_FALSE(c.window.PaintPending());
  c.chart.MouseMove(0, b.X, b.Y);
  EXPECT_TRUE(bandShown(a, b));
  c.chart.MouseMove(0, d.X, d.Y);
  EXPECT_TRUE(bandShown(a, d));
  // The old band is gone where the new one does not run.
  const TPoint oldCorner{b.X - 1, b.Y - 1};
  EXPECT_EQ(c.window.Pixels().At(oldCorner.X, oldCorner.Y), before.At(oldCorner.X, oldCorner.Y));

  // A full render in the middle of the drag draws the band again...
  c.chart.Invalidate();
  c.window.DeliverPaint();
  EXPECT_TRUE(bandShown(a, d));
  // ...and so does a paint that the window asks for on its own.
  c.chart.MouseMove(0, b.X, b.Y);
  c.window.PaintNow();
  EXPECT_TRUE(bandShown(a, b));
  EXPECT_EQ(c.window.Pixels().At(d.X - 1, d.Y - 1), before.At(d.X - 1, d.Y - 1));

  // Releasing within 16 pixels erases the band and changes nothing else,
  // also for later paints of the window.
  c.chart.MouseMove(0, a.X + 10, a.Y + 30);
  c.chart.MouseUp(mbLeft, 0, a.X + 10, a.Y + 30);
  EXPECT_TRUE(c.SamePixels(before));
  c.window.PaintNow();
  EXPECT_TRUE(c.SamePixels(before));
  ExpectAutomatic(c);
}

// An expose in the middle of a drag, a paint without any change, shows the
// cached picture with the band drawn over it anew, as a chart painted from
// scratch with the same drag shows it; no render, and the cached picture
// never holds the band.
TEST(ZoomScroll, AnExposeDuringADragShowsTheBandOverTheCleanCachedPicture) {
  TZoomChart c, scratch;
  const TPixels clean = c.Snapshot();
  int renders = 0;
  c.chart.OnAfterDraw = [&](TCustomChartPanel&) { ++renders; };
  const auto cachedPicture = [&] {
    const TRasterBitmap& b = c.chart.Canvas().OffscreenBitmap()->Pixels();
    return std::vector<TPixel>(b.Data(), b.Data() + b.Width() * b.Height());
  };
  const TPoint a = c.Inside(2, 2);
  c.chart.MouseDown(mbLeft, 0, a.X, a.Y);
  for (const TPoint p : {c.Inside(5, 6), c.Inside(7, 8), c.Inside(4, 3)}) {
    c.chart.MouseMove(0, p.X, p.Y);
    c.window.PaintNow();
    TZoomPanningRecord& zoom = scratch.chart.Zoom();
    zoom.Activate(a.X, a.Y);
    zoom.CurrentX = p.X;
    zoom.CurrentY = p.Y;
    scratch.chart.Invalidate();
    scratch.window.DeliverPaint();
    EXPECT_TRUE(c.SamePixels(scratch.Snapshot())) << p.X << "," << p.Y;
    EXPECT_FALSE(c.chart.Canvas().BufferStale());
    EXPECT_EQ(cachedPicture(), clean.pixels) << p.X << "," << p.Y;
  }
  EXPECT_EQ(renders, 0);
  c.chart.MouseUp(mbLeft, 0, a.X + 10, a.Y + 10);
  EXPECT_TRUE(c.SamePixels(clean));
  c.window.PaintNow();
  EXPECT_TRUE(c.SamePixels(clean));
  EXPECT_EQ(renders, 0);
}

TEST(ZoomScroll, RightDragScrollsByTheMouseMovement) {
  struct TCase {
    TPanningMode mode;
    bool moveX, moveY;
  };
  const std::vector<TCase> cases = {
      {pmBoth, true, true},
      {pmHorizontal, true, false},
      {pmVertical, false, true},
      {pmNone, false, false},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(static_cast<int>(t.mode));
    TZoomChart c;
    c.chart.SetAllowPanning(t.mode);
    int scrolls = 0;
    c.chart.OnScroll = [&](TCustomChartPanel&) { ++scrolls; };
    TPoint p = c.Inside(4, 4);
    c.chart.MouseDown(mbRight, 0, p.X, p.Y);
    // The first step drops the series margins; measure from the second.
    c.chart.MouseMove(0, p.X + 5, p.Y + 5);
    c.window.DeliverPaint();
    const int x0 = c.before.XPixel(5), y0 = c.before.YPixel(5);
    c.chart.MouseMove(0, p.X + 15, p.Y + 12);
    c.window.DeliverPaint();
    EXPECT_NEAR(c.before.XPixel(5) - x0, t.moveX ? 10 : 0, 1);
    EXPECT_NEAR(c.before.YPixel(5) - y0, t.moveY ? 7 : 0, 1);
    EXPECT_EQ(scrolls, t.mode == pmNone ? 0 : 2);
    EXPECT_EQ(c.chart.Panning().Dragging, t.mode != pmNone);
    c.chart.MouseUp(mbRight, 0, p.X + 15, p.Y + 12);
    EXPECT_FALSE(c.chart.Panning().Dragging);
    if (t.mode != pmNone) {
      // A pan is undone like a zoom.
      c.chart.UndoZoom();
      ExpectAutomatic(c);
    }
  }
}

TEST(ZoomScroll, APanEndsOutsideThePlotAreaOrWhenTheMouseLeaves) {
  TZoomChart c;
  const TPoint p = c.Inside(5, 5);
  c.chart.MouseDown(mbRight, 0, p.X, p.Y);
  c.chart.MouseMove(0, p.X + 10, p.Y);
  const double min = c.chart.BottomAxis().Minimum();
  c.chart.MouseMove(0, c.chart.ChartRect().Right + 2, p.Y);
  EXPECT_FALSE(c.chart.Panning().Dragging);
  c.chart.MouseMove(0, p.X + 20, p.Y);
  EXPECT_EQ(c.chart.BottomAxis().Minimum(), min);

  c.chart.MouseDown(mbRight, 0, p.X, p.Y);
  ASSERT_TRUE(c.chart.Panning().Dragging);
  c.chart.MouseLeave();
  EXPECT_FALSE(c.chart.Panning().Dragging);
}

TEST(ZoomScroll, AllowScrollMayChangeOrRefuseAStep) {
  TZoomChart c;
  std::vector<TCustomChartAxis*> asked;
  bool refuse = true;
  c.chart.OnAllowScroll = [&](TCustomChartAxis& axis, double& aMin, double& aMax, bool& allow) {
    asked.push_back(&axis);
    if (refuse) {
      allow = false;
    } else {
      aMin = -100;
      aMax = 100;
    }
  };
  int scrolls = 0;
  c.chart.OnScroll = [&](TCustomChartPanel&) { ++scrolls; };
  const TPoint p = c.Inside(5, 5);
  c.chart.MouseDown(mbRight, 0, p.X, p.Y);
  c.chart.MouseMove(0, p.X + 10, p.Y);
  // Only the horizontal axes are asked; the refused step still counts.
  EXPECT_EQ(asked, (std::vector<TCustomChartAxis*>{&c.chart.BottomAxis(), &c.chart.TopAxis()}));
  EXPECT_EQ(scrolls, 1);
  EXPECT_TRUE(c.window.PaintPending());
  EXPECT_TRUE(c.chart.BottomAxis().Automatic());
  refuse = false;
  c.chart.MouseMove(0, p.X + 10, p.Y + 4);
  EXPECT_EQ(c.chart.LeftAxis().Minimum(), -100);
  EXPECT_EQ(c.chart.LeftAxis().Maximum(), 100);
  EXPECT_TRUE(c.chart.BottomAxis().Automatic());
}

TEST(ZoomScroll, WheelScrollsTheVerticalAxesByThreePercent) {
  struct TCase {
    int delta;
    double direction;
  };
  for (const TCase& t : {TCase{-kWheelDelta, 1}, TCase{kWheelDelta, -1}}) {
    SCOPED_TRACE(t.delta);
    TZoomChart c;
    const auto bottom = c.State()[3];
    TChartAxis& left = c.chart.LeftAxis();
    const double min = left.Minimum(), max = left.Maximum();
    const int paints = c.window.Paints();
    c.chart.MouseWheel(0, t.delta, 10, 10);
    // Painted at once, once per vertical axis.
    EXPECT_EQ(c.window.Paints() - paints, 3);
    EXPECT_FALSE(left.Automatic());
    EXPECT_FALSE(left.AutomaticMinimum());
    EXPECT_FALSE(left.AutomaticMaximum());
    const double delta = t.direction * (max - min) * 0.03;
    EXPECT_DOUBLE_EQ(left.Minimum(), min + delta);
    EXPECT_DOUBLE_EQ(left.Maximum(), max + delta);
    EXPECT_DOUBLE_EQ(left.RangeMin(), min + delta);
    EXPECT_TRUE(c.chart.BottomAxis().Automatic());
    EXPECT_EQ(c.chart.BottomAxis().Minimum(), bottom.minimum);
    // The wheel saves nothing for an undo.
    c.chart.UndoZoom();
    EXPECT_FALSE(left.Automatic());
    EXPECT_DOUBLE_EQ(left.Minimum(), min + delta);
  }
}

TEST(ZoomScroll, GuardedScrollMovesOnlyTowardHiddenData) {
  TZoomChart c;
  TChartAxis& left = c.chart.LeftAxis();
  struct TCase {
    double min, max, delta, expectedMin;
  };
  // The data run from 9 to 20.
  const std::vector<TCase> cases = {
      {5, 15, 1, 6}, {5, 20, 1, 5}, {10, 25, -1, 9}, {9, 25, -1, 9}, {5, 25, 0, 5},
  };
  for (const TCase& t : cases) {
    left.SetValueRange(t.min, t.max);
    left.Scroll(t.delta, true);
    EXPECT_EQ(left.Minimum(), t.expectedMin) << t.min << ".." << t.max << " by " << t.delta;
    EXPECT_EQ(left.Maximum() - left.Minimum(), t.max - t.min);
  }
}

TEST(ZoomScroll, ANewRunKeepsTheZoom) {
  TZoomChart c;
  c.Drag(mbLeft, c.Inside(2, 2).X, c.Inside(2, 2).Y, c.Inside(8, 8).X, c.Inside(8, 8).Y);
  const auto zoomed = c.State();
  c.Fill(50);
  c.window.DeliverPaint();
  ExpectState(c.State(), zoomed, "after the run");
  EXPECT_TRUE(c.chart.IsZoomed());
  c.chart.UndoZoom();
  c.window.DeliverPaint();
  EXPECT_DOUBLE_EQ(c.chart.LeftAxis().Minimum(), 59);
  EXPECT_DOUBLE_EQ(c.chart.LeftAxis().Maximum(), 70);
}

// The click events, each recording what it was called with.
struct TClickLog {
  explicit TClickLog(TChart& chart) : chart_(&chart) {
    chart.OnClickSeries = [this](TCustomChart&, TChartSeries& s, int index, TMouseButton,
                                 TShiftState, int, int) {
      events.push_back("series");
      series = &s;
      pointIndex = index;
      chart_->SetClickConsumed(consume);
    };
    chart.OnClickAxis = [this](TCustomChart&, TCustomChartAxis& a, TMouseButton, TShiftState, int,
                               int) {
      events.push_back("axis");
      axis = &a;
      chart_->SetClickConsumed(consume);
    };
    chart.OnClickLegend = [this](TCustomChart&, TMouseButton, TShiftState, int, int) {
      events.push_back("legend");
      chart_->SetClickConsumed(consume);
    };
    chart.OnClickBackground = [this](TCustomChart&, TMouseButton, TShiftState, int, int) {
      events.push_back("background");
      chart_->SetClickConsumed(consume);
    };
  }
  TChart* chart_;
  bool consume = true;
  std::vector<std::string> events;
  TChartSeries* series = nullptr;
  int pointIndex = -1;
  TCustomChartAxis* axis = nullptr;
};

TEST(ZoomScroll, ClickedPartFindsWhatLiesUnderTheMouse) {
  TZoomChart c;
  TChart& chart = c.chart;
  const TRect& r = chart.ChartRect();
  const TChartAxis& left = chart.LeftAxis();
  const TChartAxis& bottom = chart.BottomAxis();
  ASSERT_LT(left.LabelsPos(), left.AxisLinePos());
  ASSERT_GT(bottom.LabelsPos(), bottom.AxisLinePos());
  const int midY = (r.Top + r.Bottom) / 2 + 3;
  const int midX = (r.Left + r.Right) / 2 + 3;
  struct TCase {
    const char* what;
    int x, y;
    TChartClickedPartStyle part;
    const TCustomChartAxis* axis;
  };
  const std::vector<TCase> cases = {
      {"left axis line", left.AxisLinePos(), midY, cpAxis, &left},
      {"left strip inside", left.AxisLinePos() + 2, midY, cpAxis, &left},
      {"past the tolerance", left.AxisLinePos() + 3, midY, cpChartRect, nullptr},
      {"left tick end", left.LabelsPos(), midY, cpAxis, &left},
      {"left labels", left.LabelsPos() - 1, midY, cpNone, nullptr},
      {"bottom axis line", midX, bottom.AxisLinePos(), cpAxis, &bottom},
      {"bottom tolerance", midX, bottom.AxisLinePos() - 3, cpAxis, &bottom},
      {"above the tolerance", midX, bottom.AxisLinePos() - 4, cpChartRect, nullptr},
      {"bottom labels", midX, bottom.LabelsPos(), cpNone, nullptr},
      {"plot area", midX, r.Top + 2, cpChartRect, nullptr},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.what);
    const TChartClickedPart part = chart.ClickedPart(t.x, t.y);
    EXPECT_EQ(part.Part, t.part);
    EXPECT_EQ(part.AAxis, t.axis);
  }

  // Where both series have a point, the later series is found first.
  c.after.ClearPoints();
  for (int i = 0; i < c.before.PointCount(); ++i)
    c.after.AppendXY(c.before.XValueAt(i), c.before.YValueAt(i), "", clAutoColor);
  c.window.DeliverPaint();
  const int x = c.after.XPixel(4), y = c.after.YPixel(4);
  ASSERT_NE(c.before.PointAtPixel(x, y), -1);
  TChartClickedPart part = chart.ClickedPart(x, y);
  EXPECT_EQ(part.Part, cpSeries);
  EXPECT_EQ(part.ASeries, &c.after);
  EXPECT_EQ(part.PointIndex, 4);
  c.after.SetActive(false);
  c.window.DeliverPaint();
  part = chart.ClickedPart(c.before.XPixel(7), c.before.YPixel(7));
  EXPECT_EQ(part.ASeries, &c.before);
  EXPECT_EQ(part.PointIndex, 7);
}

TEST(ZoomScroll, APressIsOfferedToTheClickEventsFirst) {
  TZoomChart c;
  TChart& chart = c.chart;
  chart.Legend().SetResizeChart(true);
  c.window.DeliverPaint();
  const TRect& legend = chart.Legend().LegendRect();
  ASSERT_FALSE(legend.Contains(TPoint{chart.ChartRect().Right - 1, legend.Top + 3}));
  const TPoint onLegend{(legend.Left + legend.Right) / 2, legend.Top + 3};
  ASSERT_EQ(chart.ClickedPart(onLegend.X, onLegend.Y).Part, cpLegend);
  const TPoint onSeries{c.before.XPixel(2), c.before.YPixel(2)};
  const TPoint onAxis{chart.LeftAxis().AxisLinePos(), c.Inside(5, 5).Y};
  const TPoint inPlot = c.Inside(5, 1);
  const TPoint onMargin{2, 2};

  struct TCase {
    const char* what;
    TPoint at;
    TMouseButton button;
    bool consume;
    std::vector<std::string> events;
    bool zoomDrag, panDrag;
  };
  using V = std::vector<std::string>;
  const std::vector<TCase> cases = {
      {"series taken", onSeries, mbLeft, true, V{"series"}, false, false},
      {"series passed on", onSeries, mbLeft, false, V{"series"}, true, false},
      {"axis taken", onAxis, mbLeft, true, V{"axis"}, false, false},
      {"axis passed on", onAxis, mbRight, false, V{"axis"}, false, true},
      {"legend", onLegend, mbLeft, true, V{"legend"}, false, false},
      {"legend passed on", onLegend, mbLeft, false, V{"legend", "background"}, false, false},
      {"plot area taken", inPlot, mbLeft, true, V{"background"}, false, false},
      {"plot area passed on", inPlot, mbLeft, false, V{"background"}, true, false},
      {"middle button", inPlot, mbMiddle, false, V{"background"}, false, false},
      {"margin", onMargin, mbLeft, false, V{"background"}, false, false},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.what);
    TClickLog log(chart);
    log.consume = t.consume;
    chart.MouseDown(t.button, 0, t.at.X, t.at.Y);
    EXPECT_EQ(log.events, t.events);
    EXPECT_EQ(chart.Zoom().Dragging, t.zoomDrag);
    EXPECT_EQ(chart.Panning().Dragging, t.panDrag);
    EXPECT_FALSE(chart.ClickConsumed());
    if (t.events.front() == "series") {
      EXPECT_EQ(log.series, &c.before);
      EXPECT_EQ(log.pointIndex, 2);
    }
    if (t.events.front() == "axis") {
      EXPECT_EQ(log.axis, &chart.LeftAxis());
    }
    chart.MouseUp(t.button, 0, t.at.X, t.at.Y);
    chart.MouseUp(mbLeft, 0, t.at.X, t.at.Y);
    EXPECT_FALSE(chart.Zoom().Dragging);
    c.window.DeliverPaint();
  }
}

TEST(ZoomScroll, AClickHandlerThatThrowsDoesNotSwallowTheNextPress) {
  TZoomChart c;
  c.chart.OnClickBackground = [](TCustomChart&, TMouseButton, TShiftState, int, int) {
    throw EZeroDivide();
  };
  const TPoint a = c.Inside(5, 1), b = c.Inside(8, 6);
  ASSERT_EQ(c.chart.ClickedPart(a.X, a.Y).Part, cpChartRect);
  EXPECT_THROW(c.chart.MouseDown(mbLeft, 0, a.X, a.Y), EZeroDivide);
  c.chart.MouseUp(mbLeft, 0, a.X, a.Y);
  c.chart.OnClickBackground = nullptr;
  c.Drag(mbLeft, a.X, a.Y, b.X, b.Y);
  EXPECT_FALSE(c.chart.BottomAxis().Automatic()) << "the press after the failure starts a zoom";
}

TEST(ZoomScroll, ASeriesAnswersAPressWithItsOwnEvents) {
  TZoomChart c;
  std::vector<std::string> calls;
  bool consume = true;
  c.before.OnClick = [&](TChartSeries&, int index, TMouseButton, TShiftState, int, int) {
    calls.push_back("click " + std::to_string(index));
    c.chart.SetClickConsumed(consume);
  };
  c.before.OnDblClick = [&](TChartSeries&, int index, TMouseButton, TShiftState, int, int) {
    calls.push_back("double " + std::to_string(index));
  };
  const TPoint p{c.before.XPixel(3), c.before.YPixel(3)};
  c.chart.MouseDown(mbLeft, ssDouble, p.X, p.Y);
  c.chart.MouseDown(mbLeft, 0, p.X, p.Y);
  EXPECT_EQ(calls, (std::vector<std::string>{"double 3", "click 3"}));
  EXPECT_FALSE(c.chart.Zoom().Dragging);
  consume = false;
  c.chart.MouseDown(mbLeft, 0, p.X, p.Y);
  EXPECT_TRUE(c.chart.Zoom().Dragging);
  // A press during a drag is not offered to anyone.
  c.chart.MouseDown(mbRight, 0, p.X, p.Y);
  EXPECT_EQ(calls.size(), 3u);
  EXPECT_FALSE(c.chart.Panning().Dragging);
  // Releasing another button leaves the zoom drag on.
  c.chart.MouseUp(mbRight, 0, p.X, p.Y);
  EXPECT_TRUE(c.chart.Zoom().Dragging);
}

TEST(ZoomScroll, ASeriesWithItsOwnCursorShowsItUnderTheMouse) {
  TZoomChart c;
  c.after.SetCursor(crHandPoint);
  c.chart.MouseMove(0, c.after.XPixel(6), c.after.YPixel(6));
  EXPECT_EQ(c.window.CursorShown(), crHandPoint);
  const TPoint away = c.Inside(5, 1);
  ASSERT_EQ(c.chart.ClickedPart(away.X, away.Y).Part, cpChartRect);
  c.chart.MouseMove(0, away.X, away.Y);
  EXPECT_EQ(c.window.CursorShown(), c.chart.OriginalCursor());
}

}  // namespace
}  // namespace halvorn
