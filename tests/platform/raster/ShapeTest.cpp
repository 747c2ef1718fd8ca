#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "RasterScene.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

using testing::TScene;
using Picture = std::vector<std::string>;

TLogBrush Solid(TColor c) { return TLogBrush{bsSolid, c, nullptr}; }

TEST(Rectangle, OutlinesColumnsLeftToRightMinusOneAndFillsTheInside) {
  TScene s(12, 12);
  s.dc.SelectBrush(Solid(clRed));
  s.dc.Rectangle(0, 0, 10, 10);
  const Picture p = s.Picture();
  EXPECT_EQ(p[0], "##########..");
  EXPECT_EQ(p[1], "#rrrrrrrr#..");
  EXPECT_EQ(p[8], "#rrrrrrrr#..");
  EXPECT_EQ(p[9], "##########..");
  EXPECT_EQ(p[10], "............");
}

TEST(Rectangle, CornerOrderPenAndDegenerateBoxes) {
  const struct {
    const char* name;
    int l, t, r, b;
    TPenStyle pen;
    Picture expected;
  } rows[] = {
      {"inverted corners", 5, 4, 1, 1, psSolid, {"......", ".####.", ".#rr#.", ".####.", "......"}},
      {"clear pen fills the whole box",
       1,
       1,
       5,
       4,
       psClear,
       {"......", ".rrrr.", ".rrrr.", ".rrrr.", "......"}},
      {"one column", 2, 1, 3, 4, psSolid, {"......", "..#...", "..#...", "..#...", "......"}},
      {"two columns", 2, 1, 4, 4, psSolid, {"......", "..##..", "..##..", "..##..", "......"}},
      {"one row", 1, 2, 5, 3, psSolid, {"......", "......", ".####.", "......", "......"}},
      {"zero width", 2, 1, 2, 4, psSolid, {"......", "......", "......", "......", "......"}},
  };
  for (const auto& r : rows) {
    TScene s(6, 5);
    s.dc.SelectPen(TLogPen{r.pen, 1, clBlack, false});
    s.dc.SelectBrush(Solid(clRed));
    s.dc.Rectangle(r.l, r.t, r.r, r.b);
    EXPECT_EQ(s.Picture(), r.expected) << r.name;
  }
}

TEST(Rectangle, WideAndInsideFramePens) {
  TScene centred(10, 10);
  centred.dc.SelectPen(TLogPen{psSolid, 2, clBlack, false});
  centred.dc.SelectBrush(Solid(clRed));
  centred.dc.Rectangle(2, 2, 8, 8);
  EXPECT_EQ(centred.Picture(),
            (Picture{"..........", ".#######..", ".#######..", ".##rrr##..", ".##rrr##..",
                     ".##rrr##..", ".#######..", ".#######..", "..........", ".........."}));

  TScene inside(10, 10);
  inside.dc.SelectPen(TLogPen{psInsideFrame, 2, clBlack, false});
  inside.dc.SelectBrush(Solid(clRed));
  inside.dc.Rectangle(2, 2, 8, 8);
  EXPECT_EQ(inside.Picture(),
            (Picture{"..........", "..........", "..######..", "..######..", "..##rr##..",
                     "..##rr##..", "..######..", "..######..", "..........", ".........."}));
}

TEST(Ellipse, StaysInItsBoxWithAOnePixelOutline) {
  TScene s(12, 12);
  s.dc.SelectBrush(Solid(clRed));
  s.dc.Ellipse(0, 0, 10, 10);
  EXPECT_EQ(s.Picture(), (Picture{"...####.....", ".##rrrr##...", ".#rrrrrr#...", "#rrrrrrrr#..",
                                  "#rrrrrrrr#..", "#rrrrrrrr#..", "#rrrrrrrr#..", ".#rrrrrr#...",
                                  ".##rrrr##...", "...####.....", "............", "............"}));
}

TEST(Ellipse, TinyBoxes) {
  TScene one(3, 3);
  one.dc.Ellipse(1, 1, 2, 2);
  EXPECT_EQ(one.Picture(), (Picture{"...", ".#.", "..."}));
  TScene flat(6, 3);
  flat.dc.Ellipse(1, 1, 5, 2);
  EXPECT_EQ(flat.Picture(), (Picture{"......", ".####.", "......"}));
}

TEST(RoundRect, CornersAreCut) {
  TScene s(10, 8);
  s.dc.SelectBrush(Solid(clRed));
  s.dc.RoundRect(0, 0, 10, 8, 4, 4);
  EXPECT_EQ(s.Picture(), (Picture{".########.", "#rrrrrrrr#", "#rrrrrrrr#", "#rrrrrrrr#",
                                  "#rrrrrrrr#", "#rrrrrrrr#", "#rrrrrrrr#", ".########."}));
}

TEST(ArcAndPie, SweepCounterClockwiseBetweenTheRays) {
  // The upper right quarter: from the ray to the right to the ray upwards.
  TScene pie(11, 11);
  pie.dc.SelectBrush(Solid(clRed));
  pie.dc.Pie(0, 0, 11, 11, 10, 5, 5, 0);
  const Picture p = pie.Picture();
  EXPECT_EQ(p[5].substr(5), "######");                       // the radius to the right
  for (int y = 0; y < 5; ++y) EXPECT_EQ(p[y][5], '#') << y;  // the radius upwards
  EXPECT_EQ(p[3][7], 'r');
  for (int y = 6; y < 11; ++y) EXPECT_EQ(p[y], "...........") << y;
  for (int y = 0; y < 5; ++y) EXPECT_EQ(p[y].substr(0, 5), ".....") << y;

  TScene arc(11, 11);
  arc.dc.SelectBrush(Solid(clRed));
  arc.dc.Arc(0, 0, 11, 11, 10, 5, 5, 0);
  const Picture a = arc.Picture();
  EXPECT_EQ(a[0][5], '#');
  EXPECT_EQ(a[5][10], '#');
  EXPECT_EQ(a[5][0], '.');
  EXPECT_EQ(a[10][5], '.');
  EXPECT_EQ(a[3][7], '.');  // an arc has no inside
}

TEST(Polygon, AlternateFillAndOutlineThroughEveryVertex) {
  TScene s(12, 12);
  s.dc.SelectBrush(Solid(clRed));
  const TPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  s.dc.Polygon(square);
  const Picture p = s.Picture();
  EXPECT_EQ(p[0], "###########.");
  EXPECT_EQ(p[5], "#rrrrrrrrr#.");
  EXPECT_EQ(p[10], "###########.");

  TScene clear(12, 12);
  clear.dc.SelectPen(TLogPen{psClear, 1, clBlack, false});
  clear.dc.SelectBrush(Solid(clRed));
  clear.dc.Polygon(square);
  EXPECT_EQ(clear.Picture()[0], "rrrrrrrrrr..");
  EXPECT_EQ(clear.Picture()[9], "rrrrrrrrrr..");
  EXPECT_EQ(clear.Picture()[10], "............");

  // A five-pointed star drawn in one stroke: its centre is crossed twice
  // and stays empty under the alternate rule.
  TScene star(11, 11);
  star.dc.SelectPen(TLogPen{psClear, 1, clBlack, false});
  star.dc.SelectBrush(Solid(clRed));
  const TPoint pts[] = {{5, 0}, {8, 10}, {0, 4}, {10, 4}, {2, 10}};
  star.dc.Polygon(pts);
  EXPECT_EQ(star.At(5, 5), clWhite);
  EXPECT_EQ(star.At(5, 2), clRed);
}

TEST(Brush, HatchesUseTheBackgroundModeAndColour) {
  const struct {
    TBrushStyle style;
    int bkMode;
    const char* row0;
    const char* row1;
  } rows[] = {
      {bsHorizontal, TRANSPARENT, "##########", ".........."},
      {bsVertical, TRANSPARENT, "#.......#.", "#.......#."},
      {bsFDiagonal, TRANSPARENT, "#.......#.", ".#.......#"},
      {bsBDiagonal, TRANSPARENT, ".......#..", "......#..."},
      {bsCross, OPAQUE, "##########", "#ggggggg#g"},
      {bsDiagCross, OPAQUE, "#gggggg##g", "g#gggg#gg#"},
  };
  for (const auto& r : rows) {
    TScene s(10, 2);
    s.dc.SetBkMode(r.bkMode);
    s.dc.SetBkColor(clLime);
    s.dc.FillRect(TRect{0, 0, 10, 2}, TLogBrush{r.style, clBlack, nullptr});
    EXPECT_EQ(s.Picture(), (Picture{r.row0, r.row1})) << "style " << r.style;
  }
}

TEST(FillRect, ExcludesRightColumnAndBottomRowAndIgnoresTheRasterOperation) {
  TScene s(6, 5);
  s.dc.SetRop2(pmXor);
  s.dc.FillRect(TRect{1, 1, 5, 4}, Solid(clBlack));
  s.dc.FillRect(TRect{4, 4, 1, 1}, Solid(clRed));  // inverted: nothing
  EXPECT_EQ(s.Picture(), (Picture{"......", ".####.", ".####.", ".####.", "......"}));
}

TEST(FillRect, PatternBrushRepeatsFromTheDeviceOrigin) {
  TRasterBitmap pattern(2, 1);
  pattern.Row(0)[0] = ColorToPixel(clBlack);
  TScene s(6, 2);
  s.dc.FillRect(TRect{1, 0, 6, 2}, TLogBrush{bsSolid, clRed, &pattern});
  EXPECT_EQ(s.Picture(), (Picture{"..#.#.", "..#.#."}));
}

TEST(PatBlt, OperationsOverTheCurrentBrush) {
  const struct {
    std::uint32_t rop;
    const char* row;
  } rows[] = {{PATCOPY, ".rrr.."},
              {PATINVERT, ".?#?.."},
              {DSTINVERT, ".#?#.."},
              {BLACKNESS, ".###.."},
              {WHITENESS, "......"}};
  for (const auto& r : rows) {
    TScene s(6, 1);
    s.dc.SetPixel(2, 0, clRed);
    s.dc.SelectBrush(Solid(clRed));
    s.dc.PatBlt(4, 0, -3, 1, r.rop);
    EXPECT_EQ(s.Picture()[0], r.row) << std::hex << r.rop;
  }
  TScene s(2, 2);
  EXPECT_THROW(s.dc.PatBlt(0, 0, 1, 1, SRCCOPY), EInvalidOperation);
}

// pmNotXor twice gives back every pixel: the rubber band of the zoom.
TEST(RasterOperation, NotXorTwiceRestoresEveryPixel) {
  TScene s(20, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) s.dc.SetPixel(x, y, RGB(x * 12, y * 15, (x * y) & 0xFF));
  const std::vector<TPixel> before(s.bitmap.Data(), s.bitmap.Data() + 20 * 16);
  s.dc.SetRop2(pmNotXor);
  s.dc.SelectPen(TLogPen{psSolid, 1, RGB(212, 208, 200), false});
  s.dc.SelectBrush(TLogBrush{bsClear, clWhite, nullptr});
  const TRect boxes[] = {{2, 2, 15, 12}, {15, 12, 2, 2},   {5, 3, 6, 10},
                         {1, 7, 18, 8},  {-5, -5, 30, 30}, {3, 3, 3, 3}};
  for (const TRect& r : boxes) {
    for (int pass = 0; pass < 2; ++pass) s.dc.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), s.bitmap.Data()))
        << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
  }
  // One pass does change the outline.
  s.dc.Rectangle(2, 2, 15, 12);
  EXPECT_NE(PixelToColor(s.bitmap.At(2, 2)), PixelToColor(before[2 * 20 + 2]));
}

TEST(RasterOperation, TheSixteenBinaryOperations) {
  // Pen 0b1100 over destination 0b1010 in the low bits of the red channel.
  const struct {
    TPenMode mode;
    unsigned expected;  // the low four bits of the result
  } rows[] = {{pmBlack, 0x0},       {pmWhite, 0xF},      {pmNop, 0xA},         {pmNot, 0x5},
              {pmCopy, 0xC},        {pmNotCopy, 0x3},    {pmMergePenNot, 0xD}, {pmMaskPenNot, 0x4},
              {pmMergeNotPen, 0xB}, {pmMaskNotPen, 0x2}, {pmMerge, 0xE},       {pmNotMerge, 0x1},
              {pmMask, 0x8},        {pmNotMask, 0x7},    {pmXor, 0x6},         {pmNotXor, 0x9}};
  for (const auto& r : rows) {
    TScene s(3, 1);
    s.dc.SetPixel(0, 0, RGB(0xA, 0, 0));
    s.dc.SetRop2(r.mode);
    s.dc.SelectPen(TLogPen{psSolid, 1, RGB(0xC, 0, 0), false});
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(1, 0);
    EXPECT_EQ(GetRValue(s.At(0, 0)) & 0xF, r.expected) << "mode " << r.mode;
  }
}

}  // namespace
}  // namespace halvorn
