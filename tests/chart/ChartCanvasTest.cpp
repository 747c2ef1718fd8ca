#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "chart/CanvasStateSaver.h"
#include "chart/CanvasTools.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartFont.h"
#include "chart/ChartPen.h"
#include "platform/raster/Bitmap.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

// The chart canvas pointed at a small "window" bitmap, as the panel points it
// at its own window canvas.
struct CanvasScene {
  explicit CanvasScene(int w = 40, int h = 30) : window(w, h) {
    canvas.SetReferenceCanvas(&window.Canvas());
  }

  TColor At(int x, int y) const { return PixelToColor(window.Pixels().At(x, y)); }
  std::vector<TPixel> Pixels() const {
    const TRasterBitmap& b = window.Pixels();
    return std::vector<TPixel>(b.Data(), b.Data() + b.Width() * b.Height());
  }
  TRect InkBox() const {
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < window.Height(); ++y)
      for (int x = 0; x < window.Width(); ++x)
        if (At(x, y) != clWhite) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box.IsEmpty() ? TRect{} : box;
  }

  TBitmap window;
  TChartCanvas3D canvas;
};

TEST(ChartCanvas, RectangleExcludesTheFarEdgesAndRectangleAtDepthIncludesThem) {
  CanvasScene flat, depth;
  flat.canvas.Brush().SetStyle(bsClear);
  depth.canvas.Brush().SetStyle(bsClear);
  flat.canvas.Rectangle(0, 0, 10, 10);
  depth.canvas.RectangleAtDepth(TRect{0, 0, 10, 10}, 7);
  EXPECT_EQ(flat.InkBox(), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(depth.InkBox(), (TRect{0, 0, 11, 11}));
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(depth.At(10, i), clBlack) << i;
    EXPECT_EQ(depth.At(i, 10), clBlack) << i;
  }
  EXPECT_EQ(depth.At(5, 5), clWhite);
}

TEST(ChartCanvas, PolygonTakesTheIndexOfTheLastPoint) {
  const TPoint pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {30, 25}};
  CanvasScene s;
  s.canvas.Brush().SetColor(clRed);
  s.canvas.Polygon(pts, 3);
  EXPECT_EQ(s.InkBox(), (TRect{0, 0, 11, 11}));
  EXPECT_EQ(s.At(5, 5), clRed);

  CanvasScene none;
  none.canvas.Polygon(pts, -1);
  EXPECT_EQ(none.InkBox(), TRect{});
  EXPECT_THROW(none.canvas.Polygon(pts, 5), EListError);
}

TEST(ChartCanvas, EllipseAtDepthTakesAnInclusiveBox) {
  CanvasScene a, b;
  a.canvas.EllipseAtDepth(0, 0, 10, 10, 3);
  b.canvas.Ellipse(0, 0, 11, 11);
  EXPECT_EQ(a.Pixels(), b.Pixels());
  EXPECT_EQ(a.InkBox(), (TRect{0, 0, 11, 11}));
}

TEST(ChartCanvas, BevelFrameCornerPixels) {
  CanvasScene s(12, 10);
  s.canvas.BevelFrame(TRect{0, 0, 10, 8}, clRed, clBlue, 2);
  const struct {
    int x, y;
    TColor expected;
  } rows[] = {
      {0, 0, clRed},   {8, 0, clRed},    {9, 0, clBlue},  {0, 6, clRed},  {0, 7, clBlue},
      {9, 7, clBlue},  {1, 1, clRed},    {8, 1, clBlue},  {1, 6, clBlue}, {7, 1, clRed},
      {2, 2, clWhite}, {10, 0, clWhite}, {0, 8, clWhite}, {8, 6, clBlue},
  };
  for (const auto& r : rows) EXPECT_EQ(s.At(r.x, r.y), r.expected) << r.x << "," << r.y;
  EXPECT_EQ(s.canvas.Pen().Width(), 1);
}

// The series clip: with the back wall drawn as Rectangle(L, T, R + 1, B + 1),
// nothing reaches its four frame lines or the row above its bottom line.
TEST(ChartCanvas, ClipBoxLeavesTheWallFrameAndTheRowAboveItsBottom) {
  CanvasScene s(20, 16);
  const TRect chartRect{2, 3, 15, 12};
  s.canvas.Brush().SetStyle(bsClear);
  s.canvas.Rectangle(chartRect.Left, chartRect.Top, chartRect.Right + 1, chartRect.Bottom + 1);
  s.canvas.ClipBox(chartRect, 0, 0);
  s.canvas.Brush().SetColor(clRed);
  s.canvas.Brush().SetStyle(bsSolid);
  s.canvas.FillRect(TRect{0, 0, 20, 16});
  s.canvas.Unclip();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool frame = ((x == chartRect.Left || x == chartRect.Right) && y >= chartRect.Top &&
                          y <= chartRect.Bottom) ||
                         ((y == chartRect.Top || y == chartRect.Bottom) && x >= chartRect.Left &&
                          x <= chartRect.Right);
      const bool inside = x > chartRect.Left && x < chartRect.Right && y > chartRect.Top &&
                          y < chartRect.Bottom - 1;
      EXPECT_EQ(s.At(x, y), frame ? clBlack : (inside ? clRed : clWhite)) << x << "," << y;
    }
}

TEST(ChartCanvas, SelectPenHiddenThenVisible) {
  CanvasScene s;
  TChartPen red;
  red.SetColor(clRed);
  red.SetWidth(3);
  red.SetStyle(psDash);
  s.canvas.SelectPen(red);
  TChartHiddenPen hidden;
  s.canvas.SelectPen(hidden);
  EXPECT_EQ(s.canvas.Pen().Style(), psClear);
  EXPECT_EQ(s.canvas.Pen().Color(), clRed);  // the rest stays as it was
  EXPECT_EQ(s.canvas.Pen().Width(), 3);
  s.canvas.Line(0, 5, 30, 5);
  EXPECT_EQ(s.InkBox(), TRect{});

  TDottedGrayPen grid;
  s.canvas.SelectPen(grid);
  EXPECT_EQ(s.canvas.Pen().Style(), psDot);
  EXPECT_EQ(s.canvas.Pen().Color(), clGray);
  EXPECT_EQ(s.canvas.Pen().Width(), 1);
}

TEST(ChartCanvas, SmallDotsAtWidthOneAndTwo) {
  CanvasScene dots;
  TChartPen pen;
  pen.SetSmallDots(true);
  pen.SetColor(clBlue);
  dots.canvas.SelectPen(pen);
  dots.canvas.SetBackgroundMode(TRANSPARENT);
  dots.canvas.Line(0, 5, 10, 5);
  for (int x = 0; x < 12; ++x)
    EXPECT_EQ(dots.At(x, 5), x < 10 && x % 2 == 0 ? clBlue : clWhite) << x;
  // Any later change of the pen ends the dotted pen.
  dots.canvas.Pen().SetColor(clRed);
  dots.canvas.Line(0, 7, 4, 7);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(dots.At(x, 7), clRed) << x;

  CanvasScene wide, plain;
  pen.SetWidth(2);
  wide.canvas.SelectPen(pen);
  wide.canvas.Line(2, 5, 20, 5);
  TChartPen normal;
  normal.SetColor(clBlue);
  normal.SetWidth(2);
  plain.canvas.SelectPen(normal);
  plain.canvas.Line(2, 5, 20, 5);
  EXPECT_EQ(wide.Pixels(), plain.Pixels());
  EXPECT_EQ(wide.InkBox().Height(), 2);
}

TEST(SelectBrush, HatchColourSubstitutionAndBackground) {
  const struct {
    TColor color;
    TBrushStyle style;
    TColor back;
    TColor hatch, between;
    int mode;
  } rows[] = {
      {clGray, bsCross, clGray, clBlack, clGray, OPAQUE},
      {clBlack, bsCross, clBlack, clWhite, clBlack, OPAQUE},
      {clRed, bsCross, clBlue, clRed, clBlue, OPAQUE},
      {clRed, bsSolid, clRed, clRed, clRed, TRANSPARENT},
      {clBtnFace, bsCross, clBtnFace, clBlack, RGB(212, 208, 200), OPAQUE},
  };
  for (const auto& r : rows) {
    CanvasScene s(16, 16);
    SelectBrush(s.canvas, r.color, r.style, r.back);
    EXPECT_EQ(s.canvas.BackMode(), r.mode);
    s.canvas.FillRect(TRect{0, 0, 16, 16});
    EXPECT_EQ(s.At(0, 0), r.hatch);  // hatches pass through the device origin
    EXPECT_EQ(s.At(3, 3), r.between);
  }
}

TEST(ChartCanvas, RotatedTextAngles) {
  TFont font;
  InitDefaultChartFont(font, {});
  font.SetSize(12);
  const auto draw = [&](int angle, bool rotated) {
    auto s = std::make_unique<CanvasScene>(80, 80);
    SelectFont(s->canvas, font);
    if (rotated)
      s->canvas.RotatedTextOut(30, 60, angle, "Axis");
    else
      s->canvas.TextOut(30, 60, "Axis");
    return s;
  };
  const auto flat = draw(0, false), full = draw(360, true), up = draw(90, true),
             upAgain = draw(450, true);
  EXPECT_EQ(full->Pixels(), flat->Pixels());
  EXPECT_EQ(upAgain->Pixels(), up->Pixels());
  const TRect box = up->InkBox();
  EXPECT_GT(box.Height(), box.Width());
  EXPECT_LE(box.Bottom, 60);  // written upwards from the reference point
  EXPECT_GE(box.Left, 30);
  EXPECT_EQ(up->canvas.Brush().Style(), bsClear);
}

TEST(ChartCanvas, TextExtentAgreesWithTheInk) {
  CanvasScene s(100, 40);
  TFont font;
  InitDefaultChartFont(font, {});
  SelectFont(s.canvas, font);
  for (const char* text : {"Πριν", "Μετά", "t=-1.234", "W"}) {
    s.window.Recreate(100, 40, TPixelFormat::pf32bit);
    s.canvas.TextOut(10, 10, text);
    const TRect ink = s.InkBox();
    const int w = s.canvas.TextWidth(text), h = s.canvas.TextHeight(text);
    EXPECT_GE(ink.Left, 10) << text;
    EXPECT_GE(ink.Top, 10) << text;
    EXPECT_LE(ink.Right, 10 + w) << text;
    EXPECT_LE(ink.Bottom, 10 + h) << text;
  }
  EXPECT_EQ(s.canvas.TextLineHeight(), s.canvas.TextHeight("W"));
  EXPECT_EQ(s.canvas.TextHeight("W"), 13);  // "Arial" 8 points at 96 pixels per inch
}

TEST(MultiLineWidth, LinesAndTheWidestOfThem) {
  CanvasScene s;
  const int ab = s.canvas.TextWidth("ab"), cdef = s.canvas.TextWidth("cdef");
  const struct {
    const char* text;
    TMultiLineWidth expected;
  } rows[] = {
      {"", {0, 1}},
      {"ab\r", {ab, 1}},
      {"ab", {ab, 1}},
      {"ab\rcdef", {cdef, 2}},
      {"cdef\rab\r", {cdef, 2}},
      {"\r", {0, 1}},
      {"ab\r\rab", {ab, 3}},
  };
  for (const auto& r : rows)
    EXPECT_EQ(MultiLineWidth(s.canvas, r.text), r.expected) << '"' << r.text << '"';
}

TEST(SelectFont, TakesTheDevicePixelsPerInch) {
  CanvasScene s;
  s.canvas.Font().SetPixelsPerInch(120);
  TFont font;
  InitDefaultChartFont(font, {});
  SelectFont(s.canvas, font);
  EXPECT_EQ(font.PixelsPerInch(), 120);
  EXPECT_EQ(s.canvas.Font().Name(), "Arial");
  EXPECT_EQ(s.canvas.Font().Height(), -11);
}

TEST(ChartCanvas, ResetTools) {
  CanvasScene s;
  s.canvas.Pen().SetColor(clRed);
  s.canvas.Pen().SetWidth(4);
  s.canvas.Pen().SetStyle(psDot);
  s.canvas.Brush().SetStyle(bsCross);
  s.canvas.Font().SetColor(clBlue);
  s.canvas.SetBackgroundMode(OPAQUE);
  s.canvas.SetBackColor(clRed);
  s.canvas.ResetTools();
  EXPECT_EQ(s.canvas.Pen().Color(), clBlack);
  EXPECT_EQ(s.canvas.Pen().Width(), 1);
  EXPECT_EQ(s.canvas.Pen().Style(), psSolid);
  EXPECT_EQ(s.canvas.Brush().Color(), clWhite);
  EXPECT_EQ(s.canvas.Brush().Style(), bsSolid);
  EXPECT_EQ(s.canvas.Font().Color(), clBlack);
  EXPECT_EQ(s.canvas.Font().Size(), 10);
  EXPECT_EQ(s.canvas.BackColor(), clWhite);
  EXPECT_EQ(s.canvas.BackMode(), TRANSPARENT);
}

TEST(Frame, RepaintFromBufferAfterMarkStaleAndPresentFrame) {
  CanvasScene s(30, 20);
  TCanvas* window = &s.window.Canvas();
  const TRect client{0, 0, 30, 20};
  EXPECT_FALSE(s.canvas.RepaintFromBuffer());  // no bitmap yet

  EXPECT_EQ(s.canvas.BeginFrame(window, nullptr, client, false), client);
  EXPECT_NE(s.canvas.ReferenceCanvas(), window);
  s.canvas.Brush().SetColor(clRed);
  s.canvas.FillRect(client);
  EXPECT_EQ(s.At(5, 5), clWhite);  // nothing reaches the window before the frame is shown
  s.canvas.PresentFrame(window, window, client);
  EXPECT_EQ(s.canvas.ReferenceCanvas(), window);
  EXPECT_FALSE(s.canvas.BufferStale());
  EXPECT_EQ(s.At(5, 5), clRed);

  s.window.Recreate(30, 20, TPixelFormat::pf32bit);
  EXPECT_TRUE(s.canvas.RepaintFromBuffer());
  EXPECT_EQ(s.At(29, 19), clRed);

  s.canvas.MarkStale();
  s.window.Recreate(30, 20, TPixelFormat::pf32bit);
  EXPECT_FALSE(s.canvas.RepaintFromBuffer());
  EXPECT_EQ(s.At(5, 5), clWhite);
}

TEST(Frame, BitmapIsKeptUntilTheSizeChanges) {
  CanvasScene s(30, 20);
  TCanvas* window = &s.window.Canvas();
  s.canvas.BeginFrame(window, nullptr, TRect{0, 0, 30, 20}, false);
  const TBitmap* first = s.canvas.OffscreenBitmap();
  s.canvas.PresentFrame(window, window, TRect{0, 0, 30, 20});
  EXPECT_EQ(s.canvas.BeginFrame(window, nullptr, TRect{5, 5, 35, 25}, false),
            (TRect{0, 0, 30, 20}));
  EXPECT_EQ(s.canvas.OffscreenBitmap(), first);
  s.canvas.PresentFrame(window, window, TRect{5, 5, 35, 25});
  s.canvas.BeginFrame(window, nullptr, TRect{0, 0, 12, 9}, false);
  EXPECT_EQ(s.canvas.OffscreenBitmap()->Width(), 12);
  EXPECT_EQ(s.canvas.OffscreenBitmap()->Height(), 9);
  EXPECT_THROW(s.canvas.BeginFrame(window, nullptr, TRect{10, 10, 0, 0}, false), EInvalidOperation);
}

TEST(Frame, UnbufferedPaintingDrawsOnTheWindow) {
  CanvasScene s(30, 20);
  TCanvas* window = &s.window.Canvas();
  const TRect client{0, 0, 30, 20};
  s.canvas.BeginFrame(window, nullptr, client, false);
  s.canvas.PresentFrame(window, window, client);
  s.canvas.SetBuffered(false);
  EXPECT_EQ(s.canvas.OffscreenBitmap(), nullptr);
  EXPECT_TRUE(s.canvas.BufferStale());
  for (int paint = 0; paint < 2; ++paint) {
    EXPECT_FALSE(s.canvas.RepaintFromBuffer());
    EXPECT_EQ(s.canvas.BeginFrame(window, nullptr, TRect{2, 2, 30, 20}, false),
              (TRect{2, 2, 30, 20}));
    EXPECT_EQ(s.canvas.ReferenceCanvas(), window);
    s.canvas.SetPixel(4, 4, clBlue);
    EXPECT_EQ(s.At(4, 4), clBlue);
    s.canvas.PresentFrame(window, window, client);
    EXPECT_TRUE(s.canvas.BufferStale());
  }
}

TEST(Frame, MonochromeBitmapAndTheOwnersInvalidation) {
  int invalidations = 0;
  TView3DOptions options([&] { ++invalidations; });
  CanvasScene s(10, 10);
  TCanvas* window = &s.window.Canvas();
  s.canvas.SetMonochrome(true);
  EXPECT_EQ(invalidations, 0);  // no paint has told the canvas its panel yet
  s.canvas.BeginFrame(window, &options, TRect{0, 0, 10, 10}, false);
  EXPECT_TRUE(s.canvas.OffscreenBitmap()->Monochrome());
  s.canvas.Brush().SetColor(clYellow);
  s.canvas.FillRect(TRect{0, 0, 5, 10});
  s.canvas.Brush().SetColor(clNavy);
  s.canvas.FillRect(TRect{5, 0, 10, 10});
  s.canvas.PresentFrame(window, window, TRect{0, 0, 10, 10});
  EXPECT_EQ(s.At(1, 1), clWhite);
  EXPECT_EQ(s.At(7, 1), clBlack);

  s.canvas.SetMonochrome(true);
  EXPECT_EQ(invalidations, 0);
  s.canvas.SetMonochrome(false);
  EXPECT_EQ(invalidations, 1);
  EXPECT_EQ(s.canvas.OffscreenBitmap(), nullptr);
  EXPECT_TRUE(s.canvas.BufferStale());

  TChartCanvas3D other;
  other.SetMonochrome(true);
  s.canvas.AssignSettings(other);
  EXPECT_TRUE(s.canvas.Monochrome());
}

TEST(Frame, DroppingTheBitmapInTheMiddleOfAFrameLetsGoOfIt) {
  CanvasScene s(10, 10);
  s.canvas.BeginFrame(&s.window.Canvas(), nullptr, TRect{0, 0, 10, 10}, false);
  s.canvas.SetMonochrome(true);
  EXPECT_EQ(s.canvas.ReferenceCanvas(), nullptr);
  EXPECT_THROW(s.canvas.FillRect(TRect{0, 0, 2, 2}), EInvalidOperation);
}

TEST(Projection, FlatIsTheIdentity) {
  TView3DOptions options({});
  options.SetHorizOffset(7);
  CanvasScene s;
  s.canvas.BeginFrame(&s.window.Canvas(), &options, TRect{0, 0, 40, 30}, false);
  s.canvas.SetProjection(20, TRect{0, 0, 40, 30}, TRect{5, 5, 30, 25});
  EXPECT_EQ(s.canvas.ProjectPoint(3, 4, 9), (TPoint{3, 4}));
  int x = 3, y = 4, z = 9;
  s.canvas.UnprojectPoint(x, y, z);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 4);
  EXPECT_DOUBLE_EQ(s.canvas.ZoomFactor(), 1.0);

  // An orthogonal 3D view shifts by the depth and the offsets.
  options.SetZoom(200);
  s.canvas.BeginFrame(&s.window.Canvas(), &options, TRect{0, 0, 40, 30}, true);
  s.canvas.SetProjection(20, TRect{0, 0, 40, 30}, TRect{0, 0, 20, 10});
  EXPECT_EQ(s.canvas.ProjectPoint(12, 6, 1), (TPoint{10 + 7 + 6, 5 + 0}));
  x = 23, y = 5, z = 1;
  s.canvas.UnprojectPoint(x, y, z);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 6);
  s.canvas.SuspendProjection();
  EXPECT_FALSE(s.canvas.Is3D());
  s.canvas.ResumeProjection();
  EXPECT_TRUE(s.canvas.Is3D());
  options.SetOrthogonal(false);
  s.canvas.BeginFrame(&s.window.Canvas(), &options, TRect{0, 0, 40, 30}, true);
  EXPECT_THROW(s.canvas.ProjectPoint(1, 1, 1), EInvalidOperation);
}

TEST(ChartCanvas, DepthOperationsAreTheirFlatCounterparts) {
  CanvasScene a, b;
  a.canvas.HLineAtDepth(1, 20, 3, 5);
  a.canvas.VLineAtDepth(2, 5, 25, 5);
  a.canvas.DepthLine(30, 10, 0, 9);  // zero length: nothing
  a.canvas.PixelAtDepth(35, 2, clRed, 4);
  a.canvas.RibbonBetweenDepths({5, 27}, {25, 27}, 0, 9);
  a.canvas.HorizontalPlane(22, 38, 1, 0, 9);
  a.canvas.VerticalPlane(38, 4, 12, 0, 9);
  a.canvas.LineAtDepth(4, 6, 14, 10, 3);
  a.canvas.MoveToAtDepth(4, 12, 3);
  a.canvas.LineToAtDepth(14, 16, 3);
  b.canvas.HorizontalLine(1, 20, 3);
  b.canvas.VerticalLine(2, 5, 25);
  b.canvas.SetPixel(35, 2, clRed);
  // A polygon that runs there and back paints the far end too.
  b.canvas.Line(5, 27, 25, 27);
  b.canvas.SetPixel(25, 27, clBlack);
  b.canvas.Line(22, 1, 38, 1);
  b.canvas.SetPixel(38, 1, clBlack);
  b.canvas.Line(38, 4, 38, 12);
  b.canvas.SetPixel(38, 12, clBlack);
  b.canvas.Line(4, 6, 14, 10);
  b.canvas.MoveTo(4, 12);
  b.canvas.LineTo(14, 16);

  const TPoint quad[] = {{16, 5}, {26, 6}, {24, 12}, {17, 11}};
  const TPoint triangle[] = {{28, 14}, {36, 16}, {30, 22}};
  a.canvas.QuadBetweenDepths(quad, 0, 9);
  a.canvas.PolygonAtDepth(quad, 2, 9);
  a.canvas.TriangleAtDepth(triangle[0], triangle[1], triangle[2], 4);
  a.canvas.TriangleOfPoints({6, 18, 2}, {14, 18, 2}, {10, 24, 2}, clLime);
  b.canvas.Polygon(quad, 3);
  b.canvas.Polygon(quad, 2);
  b.canvas.Polygon(triangle, 2);
  b.canvas.Brush().SetColor(clLime);
  const TPoint flatTriangle[] = {{6, 18}, {14, 18}, {10, 24}};
  b.canvas.Polygon(flatTriangle, 2);
  EXPECT_EQ(a.Pixels(), b.Pixels());
}

TEST(ChartCanvas, GradientFillRunsFromStartToEnd) {
  CanvasScene s(10, 300);
  s.canvas.GradientFill(TRect{0, 0, 10, 300}, clBlack, gdTopBottom, clWhite);
  EXPECT_EQ(s.At(0, 0), clBlack);
  EXPECT_EQ(s.At(9, 299), clWhite);
  EXPECT_LT(GetRValue(s.At(5, 100)), GetRValue(s.At(5, 200)));
}

TEST(ChartCanvas, DrawGraphicTakesBrushAndFontColoursForAMonochromeGraphic) {
  CanvasScene s(6, 2);
  s.canvas.DrawGraphic(0, 0, nullptr);
  TBitmap empty;
  s.canvas.DrawGraphic(0, 0, &empty);
  EXPECT_EQ(s.InkBox(), TRect{});

  TBitmap mark(2, 1, TPixelFormat::pf1bit);
  mark.Device().SetPixel(0, 0, clBlack);
  s.canvas.Brush().SetColor(clLime);
  s.canvas.Font().SetColor(clRed);
  s.canvas.DrawGraphic(3, 1, &mark);
  EXPECT_EQ(s.At(3, 1), clRed);
  EXPECT_EQ(s.At(4, 1), clLime);

  // Stretched, a graphic fills the rectangle (right column excluded).
  TBitmap red(1, 1);
  red.Device().SetPixel(0, 0, clRed);
  s.canvas.DrawGraphicStretched(TRect{0, 0, 3, 1}, nullptr);
  EXPECT_EQ(s.At(0, 0), clWhite);
  s.canvas.DrawGraphicStretched(TRect{0, 0, 3, 1}, &red);
  EXPECT_EQ((std::vector{s.At(0, 0), s.At(2, 0), s.At(3, 0)}),
            (std::vector{clRed, clRed, clWhite}));
}

TEST(CanvasStateSaver, GivesBackTheNamedPartsHoweverTheScopeEnds) {
  using S = TCanvasStateSaver;
  const struct {
    const char* name;
    unsigned parts;
    bool throws;
  } cases[] = {
      {"clip", S::kClip, false},
      {"background mode", S::kBackMode, false},
      {"text alignment", S::kTextAlign, false},
      {"tools", S::kTools, false},
      {"all of them, the scope throwing", S::kClip | S::kBackMode | S::kTextAlign | S::kTools,
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CanvasScene s;
    TCanvas3D& canvas = s.canvas;
    canvas.SetBackgroundMode(OPAQUE);
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    canvas.Pen().SetColor(clRed);
    canvas.Brush().SetColor(clLime);
    canvas.Font().SetHeight(-11);
    try {
      const S saver(canvas, c.parts);
      canvas.ClipRect(TRect{0, 0, 10, 10});
      canvas.SetBackgroundMode(TRANSPARENT);
      canvas.SetTextAlign(TA_CENTER | TA_BOTTOM);
      canvas.Pen().SetColor(clBlue);
      canvas.Brush().SetColor(clBlack);
      canvas.Font().SetHeight(-20);
      if (c.throws) throw EInvalidOp();
    } catch (const EInvalidOp&) {
    }
    const auto given = [&](unsigned part) { return (c.parts & part) != 0; };
    EXPECT_EQ(canvas.BackMode(), given(S::kBackMode) ? OPAQUE : TRANSPARENT);
    EXPECT_EQ(canvas.TextAlign(), given(S::kTextAlign) ? 0u : unsigned{TA_CENTER | TA_BOTTOM});
    EXPECT_EQ(canvas.Pen().Color(), given(S::kTools) ? clRed : clBlue);
    EXPECT_EQ(canvas.Brush().Color(), given(S::kTools) ? clLime : clBlack);
    EXPECT_EQ(canvas.Font().Height(), given(S::kTools) ? -11 : -20);
    canvas.SetPixel(30, 20, clRed);
    EXPECT_EQ(s.At(30, 20) == clRed, given(S::kClip)) << "unclipped";
  }
}

TEST(ChartCanvas, DrawingWithoutACanvasIsAnError) {
  TChartCanvas3D detached;
  EXPECT_THROW(detached.Pen(), EInvalidOperation);
  EXPECT_THROW(detached.TextOut(0, 0, "x"), EInvalidOperation);
}

}  // namespace
}  // namespace halvorn
