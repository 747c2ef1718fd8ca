// The chart control's paint cycle, geometry and drawing, read from the
// pixels of an offscreen window.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "platform/panel/OffscreenPanelHost.h"
#include "platform/raster/RasterBitmap.h"
#include "tests/chart/ProbeChart.h"

namespace halvorn {
namespace {

constexpr TPixel Px(TColor c) { return ColorToPixel(ColorToRGB(c)); }

using testing::TProbeChart;

// A series whose every point fills the whole window, to see the clip.
class TFloodSeries : public TChartSeries {
 public:
  std::function<void(int)> onDraw;
  void DrawPoint(int index) override {
    if (onDraw) onDraw(index);
    TChartCanvas3D& canvas = ParentChart()->Canvas();
    canvas.Brush().SetColor(clRed);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(TRect{-10, -10, 5000, 5000});
  }
};

// A chart in an offscreen window of the given size, counting its renders.
struct THostedChart {
  explicit THostedChart(int width, int height) {
    window.SetClient(&chart);
    chart.SetHost(&window);
    window.Resize(width, height);
    chart.OnAfterDraw = [this](TCustomChartPanel&) { ++renders; };
  }
  ~THostedChart() { chart.SetHost(nullptr); }
  TPixel At(int x, int y) const { return window.Pixels().At(x, y); }
  void Flat() {
    chart.SetView3D(false);
    for (int i = 0; i < 4; ++i) chart.SetMargin(i, 0);
  }

  TOffscreenPanelHost window;
  TProbeChart chart;
  int renders = 0;
};

TEST(ChartPanel, ConstructorDefaults) {
  TChart chart;
  EXPECT_EQ(chart.Width(), 400);
  EXPECT_EQ(chart.Height(), 250);
  EXPECT_EQ((std::vector{chart.MarginLeft(), chart.MarginTop(), chart.MarginRight(),
                         chart.MarginBottom()}),
            (std::vector{3, 4, 3, 4}));
  EXPECT_EQ((std::vector{chart.Margin(0), chart.Margin(1), chart.Margin(2), chart.Margin(3)}),
            (std::vector{3, 4, 3, 4}));
  EXPECT_TRUE(chart.View3D());
  EXPECT_EQ(chart.Chart3DPercent(), 15);
  EXPECT_EQ(chart.Color(), clBtnFace);
  EXPECT_EQ(chart.BevelOuter(), bvRaised);
  EXPECT_EQ(chart.BevelInner(), bvNone);
  EXPECT_EQ(chart.BevelWidth(), 1);
  EXPECT_EQ(chart.BorderWidth(), 0);
  EXPECT_TRUE(chart.ClipPoints());
  EXPECT_TRUE(chart.AxisVisible());
  EXPECT_TRUE(chart.View3DWalls());
  EXPECT_EQ(chart.Page(), 1);
  EXPECT_EQ(chart.MaxPointsPerPage(), 0);
  EXPECT_TRUE(chart.ScaleLastPage());
  EXPECT_TRUE(chart.AllowZoom());
  EXPECT_EQ(chart.AllowPanning(), pmBoth);
  EXPECT_FALSE(chart.AnimatedZoom());
  EXPECT_EQ(chart.AnimatedZoomSteps(), 8);
  EXPECT_EQ(chart.BackImageMode(), pbmStretch);
  EXPECT_FALSE(chart.BackImageInside());
  EXPECT_FALSE(chart.Gradient().Visible());
  EXPECT_EQ(chart.Gradient().StartColor(), clWhite);
  EXPECT_EQ(chart.Gradient().EndColor(), clYellow);
  EXPECT_EQ(chart.Gradient().Direction(), gdTopBottom);

  const struct {
    TChartWall& wall;
    TColor color;
    TBrushStyle style;
  } walls[] = {{chart.BackWall(), clAutoColor, bsClear},
               {chart.LeftWall(), 0x0080FFFF, bsSolid},
               {chart.BottomWall(), clWhite, bsSolid}};
  for (const auto& w : walls) {
    EXPECT_EQ(w.wall.Color(), w.color);
    EXPECT_EQ(w.wall.DefaultColor(), w.color);
    EXPECT_EQ(w.wall.Brush().Style(), w.style);
    EXPECT_TRUE(w.wall.Dark3D());
    EXPECT_EQ(w.wall.Size(), 0);
  }
  for (TChartTitle* title : {&chart.Title(), &chart.Foot()}) {
    EXPECT_TRUE(title->Text().empty());
    EXPECT_TRUE(title->Visible());
    EXPECT_TRUE(title->AdjustFrame());
    EXPECT_EQ(title->Alignment(), taCenter);
    EXPECT_EQ(title->Color(), clAutoColor);
    EXPECT_FALSE(title->Frame().Visible());
    EXPECT_EQ(title->Font().Name(), "Arial");
    EXPECT_EQ(title->Font().Size(), 8);
    EXPECT_EQ(title->Font().Color(), clBlue);
    EXPECT_EQ(title->Font().Style(), 0);
  }
}

TEST(ChartPanel, CheckedSettingsRefuseAndKeepTheirValue) {
  TChart chart;
  for (int bad : {0, 101, -5}) {
    try {
      chart.SetChart3DPercent(bad);
      ADD_FAILURE() << bad;
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "3D effect percent must be between 1 and 100");
    }
    EXPECT_EQ(chart.Chart3DPercent(), 15);
  }
  chart.SetChart3DPercent(100);
  EXPECT_EQ(chart.Chart3DPercent(), 100);
  try {
    chart.SetMaxPointsPerPage(-1);
    ADD_FAILURE();
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "MaxPointsPerPage must be >= 0");
  }
  EXPECT_EQ(chart.MaxPointsPerPage(), 0);
  EXPECT_THROW(chart.SetMargin(4, 1), EListError);
  EXPECT_THROW(chart.Margin(-1), EListError);
}

TEST(ChartPanel, PageIsClampedToThePagesAndReportsChanges) {
  TChart chart;
  TChartSeries series;
  series.SetParentChart(&chart);
  for (int i = 0; i < 25; ++i) series.AppendXY(i, i, "", clAutoColor);
  int changes = 0;
  chart.OnPageChange = [&](TCustomChartPanel&) { ++changes; };
  chart.SetPage(3);
  EXPECT_EQ(chart.Page(), 1) << "one page without a page size";
  chart.SetMaxPointsPerPage(10);
  const struct {
    int set, page, changes;
  } cases[] = {{3, 3, 1}, {9, 3, 1}, {0, 1, 2}, {2, 2, 3}, {2, 2, 3}};
  for (const auto& c : cases) {
    chart.SetPage(c.set);
    EXPECT_EQ(chart.Page(), c.page) << c.set;
    EXPECT_EQ(changes, c.changes) << c.set;
  }
  series.SetParentChart(nullptr);
}

TEST(ChartPanel, RecalcChartRectSizeKeepsAtLeastOnePixel) {
  TChart chart;  // 400 x 250, PaintRect still empty at (0, 0)
  const struct {
    TRect in, out;
  } cases[] = {
      {{10, 20, 30, 40}, {10, 20, 30, 40}}, {{-5, -7, 30, 40}, {0, 0, 30, 40}},
      {{10, 20, 9, 40}, {10, 20, 11, 40}},  {{10, 20, 10, 40}, {10, 20, 410, 40}},
      {{10, 20, 30, 19}, {10, 20, 30, 21}}, {{10, 20, 30, 20}, {10, 20, 30, 270}},
  };
  for (const auto& c : cases) {
    chart.SetChartRect(c.in);
    chart.RecalcChartRectSize();
    EXPECT_EQ(chart.ChartRect(), c.out);
    EXPECT_EQ(chart.ChartRectWidth(), c.out.Right - c.out.Left);
    EXPECT_EQ(chart.ChartRectHeight(), c.out.Bottom - c.out.Top);
    EXPECT_EQ(chart.ChartRectXCenter(), (c.out.Left + c.out.Right) / 2);
    EXPECT_EQ(chart.ChartRectYCenter(), (c.out.Top + c.out.Bottom) / 2);
  }
}

TEST(ChartPanel, TinyChartsPaint) {
  for (int side : {0, 1, 2}) {
    THostedChart h(side, side);
    h.chart.Title().SetText({"A title that does not fit"});
    EXPECT_NO_THROW(h.window.DeliverPaint()) << side;
    EXPECT_EQ(h.renders, 1) << side;
    EXPECT_GE(h.chart.ChartRectWidth(), 1);
    EXPECT_GE(h.chart.ChartRectHeight(), 1);
  }
}

TEST(ChartPanel, ABurstOfChangesCostsOneRender) {
  THostedChart h(200, 100);
  TChartSeries series;
  series.SetParentChart(&h.chart);
  h.window.DeliverPaint();
  ASSERT_EQ(h.renders, 1);

  const int requestsBefore = h.window.PaintRequests();
  h.chart.SetColor(clAqua);
  h.chart.SetMarginTop(10);
  h.chart.BackWall().Pen().SetColor(clRed);
  h.chart.Title().SetText({"Title"});
  for (int i = 0; i < 100; ++i) series.AppendXY(i, i * i, "", clAutoColor);
  EXPECT_GT(h.window.PaintRequests(), requestsBefore + 100);
  EXPECT_EQ(h.renders, 1) << "changes never paint at once";
  EXPECT_TRUE(h.window.DeliverPaint());
  EXPECT_FALSE(h.window.DeliverPaint());
  EXPECT_EQ(h.renders, 2);
  EXPECT_EQ(h.At(100, 50), Px(clAqua));
  series.SetParentChart(nullptr);
}

TEST(ChartPanel, SettingTheCurrentValueRequestsNothing) {
  THostedChart h(200, 100);
  h.window.DeliverPaint();
  const int requests = h.window.PaintRequests();
  h.chart.SetColor(h.chart.Color());
  h.chart.SetMarginLeft(h.chart.MarginLeft());
  h.chart.SetView3D(h.chart.View3D());
  h.chart.SetClipPoints(h.chart.ClipPoints());
  h.chart.BackWall().SetColor(h.chart.BackWall().Color());
  h.chart.BackWall().Pen().SetWidth(h.chart.BackWall().Pen().Width());
  h.chart.Title().SetText(h.chart.Title().Text());
  h.chart.Title().Font().SetColor(h.chart.Title().Font().Color());
  h.chart.Gradient().SetEndColor(h.chart.Gradient().EndColor());
  EXPECT_EQ(h.window.PaintRequests(), requests);
  EXPECT_FALSE(h.window.PaintPending());
}

TEST(ChartPanel, AFreshBitmapRepaintsByCopyAndAResizeRendersAnew) {
  THostedChart h(200, 100);
  h.Flat();
  // Without axes, which would take the plot rectangle's edges.
  h.chart.SetAxisVisible(false);
  h.window.DeliverPaint();
  ASSERT_EQ(h.renders, 1);
  const TRect chartRect = h.chart.ChartRect();

  // The window asks again without any change: one block copy, no render.
  h.window.PaintNow();
  EXPECT_EQ(h.renders, 1);
  EXPECT_EQ(h.At(199, 99), Px(clBtnShadow));

  h.window.Resize(300, 150);
  h.window.DeliverPaint();
  EXPECT_EQ(h.renders, 2);
  ASSERT_NE(h.chart.Canvas().OffscreenBitmap(), nullptr);
  EXPECT_EQ(h.chart.Canvas().OffscreenBitmap()->Width(), 300);
  EXPECT_EQ(h.chart.Canvas().OffscreenBitmap()->Height(), 150);
  EXPECT_NE(h.chart.ChartRect(), chartRect);
  EXPECT_EQ(h.At(299, 149), Px(clBtnShadow));
  EXPECT_EQ(h.At(0, 149), Px(clBlack)) << "the back wall's left side";
}

// Whatever the surfaces held before, a resize, to another size or to the
// same one (new surfaces either way), shows what a chart painted from
// scratch at that size shows: frames flipped once or twice, or a cached
// picture put aside for a rubber band.
TEST(ChartPanel, AResizeAfterFlippedFramesShowsTheNewPicture) {
  const struct {
    const char* before;
    std::function<void(THostedChart&)> act;
  } histories[] = {
      {"one frame", [](THostedChart&) {}},
      {"two frames",
       [](THostedChart& h) {
         h.chart.SetColor(clAqua);
         h.window.DeliverPaint();
         h.chart.SetColor(clBtnFace);
         h.window.DeliverPaint();
       }},
      {"a rubber band",
       [](THostedChart& h) {
         const int x = h.chart.ChartRectXCenter(), y = h.chart.ChartRectYCenter();
         h.chart.MouseDown(mbLeft, 0, x, y);
         h.chart.MouseMove(0, x + 10, y + 10);
         h.chart.MouseUp(mbLeft, 0, x + 5, y + 5);
         EXPECT_EQ(h.chart.Frames().Cache(), TPanelFrames::kInSpare);
       }},
  };
  const TSize sizes[] = {{200, 100}, {260, 140}};
  for (const auto& history : histories)
    for (const TSize size : sizes) {
      THostedChart h(200, 100), scratch(size.cx, size.cy);
      TChartSeries series[2];
      for (int i = 0; i < 2; ++i) {
        THostedChart& c = i == 0 ? h : scratch;
        c.Flat();
        c.chart.Title().SetText({"Title"});
        series[i].SetParentChart(&c.chart);
        series[i].AppendXY(1, 1, "", clAutoColor);
        series[i].AppendXY(2, 3, "", clAutoColor);
      }
      h.window.DeliverPaint();
      history.act(h);
      h.window.Resize(size.cx, size.cy);
      h.window.DeliverPaint();
      scratch.window.DeliverPaint();
      const TRasterBitmap &shown = h.window.Pixels(), &expected = scratch.window.Pixels();
      ASSERT_EQ(shown.Width(), expected.Width());
      EXPECT_TRUE(
          std::equal(shown.Data(), shown.Data() + shown.Width() * shown.Height(), expected.Data()))
          << history.before << ", then " << size.cx << "x" << size.cy;
      EXPECT_EQ(h.At(size.cx - 1, size.cy - 1), Px(clBtnShadow));
      for (TChartSeries& s : series) s.SetParentChart(nullptr);
    }
}

TEST(ChartPanel, BareChartFramesTheOutermostPixelsOverTheBevel) {
  THostedChart h(60, 40);
  h.Flat();
  h.chart.SetAxisVisible(false);
  h.chart.Legend().SetVisible(false);
  h.window.DeliverPaint();
  EXPECT_EQ(h.chart.PaintRect(), (TRect{0, 0, 60, 40}));
  EXPECT_EQ(h.chart.ChartRect(), (TRect{0, 0, 60, 40}));
  // The frame's right column and bottom row lie just outside the bitmap.
  for (int x = 0; x < 60; ++x) EXPECT_EQ(h.At(x, 0), Px(clBlack)) << x;
  for (int y = 0; y < 40; ++y) EXPECT_EQ(h.At(0, y), Px(clBlack)) << y;
  EXPECT_EQ(h.At(59, 20), Px(clBtnShadow));
  EXPECT_EQ(h.At(30, 39), Px(clBtnShadow));
  EXPECT_EQ(h.At(30, 20), Px(clBtnFace));
}

TEST(ChartPanel, BevelsBorderAndMarginsPlaceThePlotRectangle) {
  const struct {
    TBevelCut outer, inner;
    int bevel, border;
    TColor topLeft, bottomRight;
  } cases[] = {
      {bvRaised, bvNone, 1, 0, clBtnHighlight, clBtnShadow},
      {bvLowered, bvNone, 2, 0, clBtnShadow, clBtnHighlight},
      {bvSpace, bvNone, 1, 3, clBtnHighlight, clBtnHighlight},
      {bvNone, bvRaised, 1, 2, clBtnHighlight, clBtnShadow},
  };
  for (const auto& c : cases) {
    THostedChart h(120, 80);
    h.Flat();
    h.chart.SetMarginRight(10);
    h.chart.SetMarginBottom(5);
    h.chart.SetBevelOuter(c.outer);
    h.chart.SetBevelInner(c.inner);
    h.chart.SetBevelWidth(c.bevel);
    h.chart.SetBorderWidth(c.border);
    h.chart.SetColor(clTeal);
    h.chart.BackWall().Pen().SetVisible(false);
    h.chart.SetAxisVisible(false);
    h.window.DeliverPaint();
    const int b = c.border;
    // The bevels are not subtracted from the plot rectangle; the border is.
    EXPECT_EQ(h.chart.ChartRect(), (TRect{b, b, 120 - b - 12, 80 - b - 4}));
    const int at = c.outer != bvNone ? 0 : b;
    EXPECT_EQ(h.At(at, 40), Px(c.topLeft));
    EXPECT_EQ(h.At(60, at), Px(c.topLeft));
    EXPECT_EQ(h.At(119 - at, 40), Px(c.bottomRight));
    EXPECT_EQ(h.At(60, 79 - at), Px(c.bottomRight));
    if (b > 0) {
      EXPECT_EQ(h.At((c.outer != bvNone ? c.bevel : 0) + b - 1, 40), Px(clTeal));
    }
    EXPECT_EQ(h.At(60, 40), Px(clTeal));
  }
}

TEST(ChartPanel, OneEmptyTitleLineTakesTheLineHeightAndFiveAndDrawsNothing) {
  THostedChart h(200, 100);
  h.Flat();
  h.chart.Legend().SetVisible(false);
  h.window.DeliverPaint();
  const TRect bare = h.chart.afterTitlesLegend;
  EXPECT_EQ(bare, h.chart.beforeTitlesLegend) << "an empty text reserves nothing";

  h.chart.Title().SetText({""});
  h.window.DeliverPaint();
  h.chart.Canvas().Font().Assign(h.chart.Title().Font());
  const int lh = h.chart.Canvas().TextHeight("W");
  EXPECT_EQ(h.chart.afterTitlesLegend.Top, bare.Top + lh + 5);
  for (int x = 1; x < 199; ++x)
    for (int y = 1; y < lh + 5; ++y) ASSERT_EQ(h.At(x, y), Px(clBtnFace)) << x << "," << y;

  h.chart.Foot().SetText({"", ""});
  h.window.DeliverPaint();
  EXPECT_EQ(h.chart.afterTitlesLegend.Bottom, bare.Bottom - 2 * lh - 5);
}

// The columns where a colour shows in a band of rows.
std::vector<int> ColumnsWith(const THostedChart& h, TPixel p, int top, int bottom) {
  std::vector<int> columns;
  const int width = h.window.Pixels().Width();
  for (int x = 0; x < width; ++x)
    for (int y = top; y < bottom; ++y)
      if (h.At(x, y) == p) {
        columns.push_back(x);
        break;
      }
  return columns;
}

TEST(ChartPanel, TitleLinesFollowTheirAlignment) {
  const struct {
    TAlignment alignment;
    bool atTop;
  } cases[] = {{taLeftJustify, true}, {taCenter, true}, {taRightJustify, false}};
  for (const auto& c : cases) {
    THostedChart h(300, 120);
    h.Flat();
    h.chart.Legend().SetVisible(false);
    TChartTitle& title = c.atTop ? h.chart.Title() : h.chart.Foot();
    title.SetAlignment(c.alignment);
    title.SetText({"Wide title line", "ab"});
    h.window.DeliverPaint();
    TChartCanvas3D& canvas = h.chart.Canvas();
    canvas.Font().Assign(title.Font());
    const int lh = canvas.TextHeight("W"), w = canvas.TextWidth("W");
    const int wide = canvas.TextWidth("Wide title line");
    // The first line lies at the top for a title and above the last line
    // for a foot.
    const int top = c.atTop ? 0 : 120 - 2 * lh;
    const std::vector<int> ink = ColumnsWith(h, Px(clBlue), top, top + lh);
    ASSERT_FALSE(ink.empty());
    const int expectedLeft = c.alignment == taLeftJustify ? w / 2
                             : c.alignment == taCenter    ? 150 - wide / 2
                                                          : 300 - wide - w / 2;
    EXPECT_NEAR(ink.front(), expectedLeft, 2) << c.alignment;
    EXPECT_NEAR(ink.back(), expectedLeft + wide, 3) << c.alignment;
    if (c.atTop)
      EXPECT_EQ(h.chart.afterTitlesLegend.Top, 2 * lh + 5);
    else
      EXPECT_EQ(h.chart.afterTitlesLegend.Bottom, 120 - 2 * lh - 5);
  }
}

TEST(ChartPanel, AFramedTitleIsNarrowedToItsTextAndFramesItsSpace) {
  THostedChart h(300, 120);
  h.Flat();
  h.chart.Legend().SetVisible(false);
  TChartTitle& title = h.chart.Title();
  title.Frame().SetVisible(true);
  title.Frame().SetColor(clRed);
  title.Frame().SetWidth(2);
  title.SetText({"Framed"});
  h.window.DeliverPaint();
  TChartCanvas3D& canvas = h.chart.Canvas();
  canvas.Font().Assign(title.Font());
  const int lh = canvas.TextHeight("W");
  const int width = canvas.TextWidth("Framed") + canvas.TextWidth("W");
  const TRect r = title.TitleRect();
  EXPECT_EQ(r.Right - r.Left, width);
  EXPECT_EQ((r.Left + r.Right) / 2, 150);
  EXPECT_EQ(r.Top, 0);
  EXPECT_EQ(r.Bottom, lh + 4);
  EXPECT_EQ(h.At(r.Left, r.Top + 5), Px(clRed));
  EXPECT_EQ(h.At(r.Left - 2, r.Top + 5), Px(clBtnFace));
  // Below the text: the frame's width again and the gap.
  EXPECT_EQ(h.chart.afterTitlesLegend.Top, 2 + lh + 2 + 5);
  EXPECT_TRUE(title.Clicked(r.Left, r.Top));
  title.SetVisible(false);
  EXPECT_FALSE(title.Clicked(r.Left, r.Top));
}

TEST(ChartPanel, ClippedSeriesStayInsideTheBackWallFrame) {
  THostedChart h(120, 80);
  h.Flat();
  h.chart.SetMarginLeft(10);
  h.chart.SetMarginTop(10);
  h.chart.SetMarginRight(10);
  h.chart.SetMarginBottom(10);
  h.chart.SetAxisVisible(false);
  TFloodSeries series;
  series.SetParentChart(&h.chart);
  series.AppendXY(1, 1, "", clAutoColor);
  series.AppendXY(2, 2, "", clAutoColor);
  h.window.DeliverPaint();
  const TRect r = h.chart.ChartRect();
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool inside = x > r.Left && x < r.Right && y > r.Top && y < r.Bottom - 1;
      ASSERT_EQ(h.At(x, y) == Px(clRed), inside) << x << "," << y;
    }

  h.chart.SetClipPoints(false);
  h.window.DeliverPaint();
  EXPECT_EQ(h.At(0, 0), Px(clRed));
  series.SetParentChart(nullptr);
}

TEST(ChartPanel, PaintStepsAndEventsComeInOrder) {
  THostedChart h(120, 80);
  h.Flat();
  std::vector<std::string> log;
  TFloodSeries first, second;
  for (TFloodSeries* s : {&first, &second}) {
    s->SetParentChart(&h.chart);
    s->AppendXY(1, 1, "", clAutoColor);
    s->AppendXY(2, 2, "", clAutoColor);
    s->BeforeDrawValues = [&](TChartSeries& sender) {
      log.push_back("before " + std::to_string(&sender == &first ? 1 : 2));
    };
    s->AfterDrawValues = [&](TChartSeries& sender) {
      log.push_back("after " + std::to_string(&sender == &first ? 1 : 2));
    };
    s->onDraw = [&](int index) { log.push_back("point " + std::to_string(index)); };
  }
  second.SetActive(false);
  h.chart.OnBeforeDrawAxes = [&](TCustomChartPanel&) { log.push_back("axes"); };
  h.chart.OnBeforeDrawSeries = [&](TCustomChartPanel&) { log.push_back("series"); };
  h.chart.OnAfterDraw = [&](TCustomChartPanel&) { log.push_back("end"); };
  h.window.DeliverPaint();
  EXPECT_EQ(log, (std::vector<std::string>{"axes", "series", "before 1", "point 0", "point 1",
                                           "after 1", "end"}));

  log.clear();
  h.chart.SetAxisVisible(false);
  h.window.DeliverPaint();
  EXPECT_EQ(log.front(), "series") << "hidden axes fire no axes event";
  first.SetParentChart(nullptr);
  second.SetParentChart(nullptr);
}

TEST(ChartPanel, AFailedPaintKeepsThePictureShownAndIsRenderedAgain) {
  THostedChart h(100, 60);
  h.Flat();
  TFloodSeries series;
  series.SetParentChart(&h.chart);
  series.AppendXY(1, 1, "", clAutoColor);
  h.window.DeliverPaint();
  bool fail = true;
  series.onDraw = [&](int) {
    if (fail) throw EInvalidOp();
  };
  h.chart.Invalidate();
  EXPECT_THROW(h.window.DeliverPaint(), EInvalidOp);
  EXPECT_EQ(h.At(50, 30), Px(clRed)) << "the half-drawn frame is not shown";
  EXPECT_TRUE(h.chart.Canvas().BufferStale());
  EXPECT_EQ(h.chart.Canvas().ReferenceCanvas(), &h.chart.WindowCanvas());
  fail = false;
  h.window.PaintNow();
  EXPECT_EQ(h.renders, 2);
  EXPECT_EQ(h.At(50, 30), Px(clRed));
  series.SetParentChart(nullptr);
}

TEST(ChartPanel, TheZoomRubberBandSurvivesARepaint) {
  THostedChart h(100, 60);
  h.Flat();
  h.chart.SetAxisVisible(false);
  h.chart.SetColor(clWhite);  // a white chart draws its band in black
  h.chart.BackWall().Pen().SetVisible(false);
  TZoomPanningRecord& zoom = h.chart.Zoom();
  zoom.Activate(10, 10);
  zoom.CurrentX = 40;
  zoom.CurrentY = 30;
  h.window.DeliverPaint();
  EXPECT_EQ(h.At(10, 10), Px(clBlack));
  EXPECT_EQ(h.At(39, 29), Px(clBlack));
  EXPECT_EQ(h.At(20, 20), Px(clWhite));
  zoom.Deactivate();
  h.chart.Invalidate();
  h.window.DeliverPaint();
  EXPECT_EQ(h.At(10, 10), Px(clWhite));
}

}  // namespace
}  // namespace halvorn
