#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <climits>
#include <string>
#include <vector>

#include "RasterScene.h"
#include "platform/raster/PngWriter.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::TScene;
using Picture = std::vector<std::string>;

TLogBrush Solid(TColor c) { return TLogBrush{bsSolid, c, nullptr}; }

// -v, with INT_MIN (whose negation does not exist) mirrored to INT_MAX.
constexpr int Mirrored(int v) { return v == INT_MIN ? INT_MAX : -v; }

TEST(Clip, RectangleClipIsRightAndBottomExclusiveAndReplacesThePrevious) {
  TScene s(8, 6);
  s.dc.SetClipRect(TRect{0, 0, 3, 3});
  s.dc.SetClipRect(TRect{2, 1, 6, 4});
  s.dc.FillRect(TRect{0, 0, 8, 6}, Solid(clBlack));
  s.dc.SelectPen(TLogPen{psSolid, 1, clRed, false});
  s.dc.MoveTo(0, 5);
  s.dc.LineTo(8, 0);
  EXPECT_EQ(s.Picture(),
            (Picture{"........", "..####..", "..###r..", "..#rr#..", "........", "........"}));
  s.dc.ClearClip();
  s.dc.SetPixel(0, 0, clBlue);
  EXPECT_EQ(s.At(0, 0), clBlue);
  EXPECT_EQ(s.dc.ClipBounds(), (TRect{0, 0, 8, 6}));
}

TEST(Clip, PolygonRegion) {
  TScene s(8, 6);
  const TPoint triangle[] = {{0, 0}, {8, 0}, {0, 6}};
  s.dc.SetClipPolygon(triangle);
  s.dc.FillRect(TRect{0, 0, 8, 6}, Solid(clBlack));
  EXPECT_EQ(s.Picture(),
            (Picture{"#######.", "######..", "#####...", "###.....", "##......", "#......."}));
  EXPECT_EQ(s.dc.GetPixel(7, 5), CLR_INVALID);
}

TEST(Clip, InvertedOrOutsideClipHidesEverything) {
  const TRect clips[] = {{5, 5, 2, 2}, {-10, -10, -1, -1}, {8, 0, 100, 6}};
  for (const TRect& c : clips) {
    TScene s(8, 6);
    s.dc.SetClipRect(c);
    s.dc.FillRect(TRect{0, 0, 8, 6}, Solid(clBlack));
    s.dc.Rectangle(-1, -1, 9, 9);
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(7, 5);
    s.dc.TextOut(0, 0, "Wy");
    EXPECT_TRUE(s.Inked().empty()) << c.Left << "," << c.Top;
  }
}

// Nothing may be written outside the bitmap, whatever the coordinates: run
// under AddressSanitizer this also proves that no byte beyond the buffer is
// touched.
TEST(Robustness, HugeCoordinatesAndEmptyBitmaps) {
  const int big[] = {INT_MIN, -100000, -32767, 32767, 100000, INT_MAX};
  for (int w : {0, 1, 7}) {
    TScene s(w, w == 0 ? 0 : 5);
    s.dc.SelectBrush(Solid(clRed));
    for (int a : big)
      for (int b : big) {
        s.dc.MoveTo(a, b);
        s.dc.LineTo(b, a);
        s.dc.SelectPen(TLogPen{psSolid, 3, clBlack, false});
        s.dc.LineTo(Mirrored(a) / 2, b);
        s.dc.SelectPen(TLogPen{psDot, 1, clBlack, false});
        s.dc.Rectangle(a, b, Mirrored(b), a);
        s.dc.Ellipse(a, b, b, a);
        s.dc.RoundRect(a, b, b, a, a, b);
        s.dc.Pie(a, a, b, b, a, b, b, a);
        const TPoint pts[] = {{a, b}, {b, a}, {0, 0}, {a, a}};
        s.dc.Polygon(pts);
        s.dc.SetClipPolygon(pts);
        s.dc.FillRect(TRect{a, b, b, a}, Solid(clBlue));
        s.dc.ClearClip();
        s.dc.PatBlt(a, b, b, a, PATCOPY);
        s.dc.SetPixel(a, b, clBlack);
        s.dc.SetTextAlign(TA_CENTER | TA_BASELINE);
        s.dc.TextOut(a, b, "Wg");
        s.dc.BitBlt(a, b, 5, 5, s.dc, b, a, SRCCOPY);
      }
    s.dc.TextOut(0, 0, "");
    EXPECT_EQ(s.dc.TextExtent("").cx, 0);
  }
  // A device without a bitmap draws nothing and still measures.
  TDeviceContext none;
  none.Rectangle(0, 0, 10, 10);
  none.TextOut(0, 0, "x");
  EXPECT_GT(none.TextExtent("x").cx, 0);
  EXPECT_THROW(TRasterBitmap(-1, 5), EInvalidOperation);
  EXPECT_THROW(TRasterBitmap(1 << 20, 1 << 20), EInvalidOperation);
}

TEST(Robustness, BigFiguresStillPaintTheirVisiblePart) {
  TScene s(6, 4);
  s.dc.SelectBrush(Solid(clRed));
  s.dc.Rectangle(-40000, -40000, 40000, 40000);
  s.dc.SelectPen(TLogPen{psSolid, 1, clBlack, false});
  s.dc.MoveTo(-32768, 2);
  s.dc.LineTo(32767, 2);
  EXPECT_EQ(s.Picture(), (Picture{"rrrrrr", "rrrrrr", "######", "rrrrrr"}));
}

TEST(Monochrome, DrawingGivesOnlyBlackAndWhite) {
  TScene s(8, 2, TPixelFormat::pf1bit);
  const TColor colours[] = {clYellow,           clNavy, clSilver, clGray,
                            RGB(255, 255, 225), clRed,  clAqua,   clMaroon};
  for (int x = 0; x < 8; ++x) s.dc.SetPixel(x, 0, colours[x]);
  s.dc.SelectPen(TLogPen{psSolid, 1, clYellow, false});
  s.dc.MoveTo(0, 1);
  s.dc.LineTo(4, 1);
  s.dc.SetTextColor(clSilver);
  s.dc.TextOut(4, 0, "W");
  // Gray 128 is nearer to white than to black.
  EXPECT_EQ(s.Picture()[0].substr(0, 4), ".#..");
  EXPECT_EQ(s.Picture()[1].substr(0, 4), "....");
  for (TPoint p : s.Inked()) EXPECT_EQ(s.At(p.X, p.Y), clBlack);
}

TEST(BitBlt, SourceCopyThroughTheClip) {
  TScene src(4, 3);
  src.dc.FillRect(TRect{0, 0, 4, 3}, Solid(clRed));
  src.dc.SetPixel(0, 0, clBlue);
  TScene dst(6, 5);
  dst.dc.SetClipRect(TRect{0, 0, 6, 4});
  dst.dc.BitBlt(2, 2, 4, 3, src.dc, 0, 0, SRCCOPY);
  // Source pixels beyond the source bitmap are not copied.
  dst.dc.BitBlt(0, 0, 3, 3, src.dc, 3, 2, SRCCOPY);
  EXPECT_EQ(dst.Picture(), (Picture{"r.....", "......", "..brrr", "..rrrr", "......"}));
}

TEST(BitBlt, OverlappingCopyWithinOneBitmap) {
  TScene s(6, 6);
  for (int i = 0; i < 6; ++i) s.dc.SetPixel(i, i, clBlack);
  s.dc.BitBlt(1, 1, 5, 5, s.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(s.Picture(), (Picture{"#.....", ".#....", "..#...", "...#..", "....#.", ".....#"}));
  s.dc.BitBlt(0, 0, 5, 5, s.dc, 1, 1, SRCCOPY);
  EXPECT_EQ(s.Picture()[0], "#.....");
  EXPECT_EQ(s.Picture()[4], "....#.");
}

TEST(BitBlt, MonochromeConversions) {
  TScene mono(3, 1, TPixelFormat::pf1bit);
  mono.dc.SetPixel(1, 0, clBlack);
  TScene colour(3, 1);
  colour.dc.SetTextColor(clRed);
  colour.dc.SetBkColor(clLime);
  colour.dc.BitBlt(0, 0, 3, 1, mono.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(colour.Picture()[0], "grg");

  TScene back(3, 1, TPixelFormat::pf1bit);
  colour.dc.SetBkColor(clRed);
  back.dc.BitBlt(0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(back.Picture()[0], "#.#");
}

TEST(StretchBlt, NearestPixelScaling) {
  TScene src(2, 2);
  src.dc.SetPixel(0, 0, clBlack);
  src.dc.SetPixel(1, 1, clRed);
  TScene dst(5, 4);
  dst.dc.StretchBlt(TRect{0, 0, 4, 4}, src.dc, TRect{0, 0, 2, 2});
  EXPECT_EQ(dst.Picture(), (Picture{"##...", "##...", "..rr.", "..rr."}));
}

TEST(Png, WritesThePixelsAndRefusesAnEmptyBitmap) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TScene s(3, 2);
  s.dc.SetPixel(1, 0, clRed);
  s.dc.SetPixel(2, 1, clNavy);
  const std::string path = dir.filePath(QStringLiteral("scene.png")).toStdString();
  SaveToPng(s.bitmap, path);
  const QImage back(QString::fromStdString(path));
  ASSERT_EQ(back.size(), QSize(3, 2));
  EXPECT_EQ(back.pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(back.pixel(2, 1), 0xFF000080u);
  EXPECT_EQ(back.pixel(0, 0), 0xFFFFFFFFu);

  EXPECT_THROW(SaveToPng(TRasterBitmap(0, 0), path), EInOutError);
  EXPECT_THROW(SaveToPng(s.bitmap, dir.filePath(QStringLiteral("no/such/dir.png")).toStdString()),
               EInOutError);
}

}  // namespace
}  // namespace halvorn
