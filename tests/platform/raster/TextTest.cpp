#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "RasterScene.h"

namespace halvorn {
namespace {

using testing::TScene;

TLogFont Arial(int height) {
  TLogFont f;
  f.FaceName = "Arial";
  f.Height = height;
  return f;
}

// The box of the inked pixels; empty when nothing was written.
TRect InkBox(const TScene& s) {
  TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (TPoint p : s.Inked()) {
    box.Left = std::min(box.Left, p.X);
    box.Top = std::min(box.Top, p.Y);
    box.Right = std::max(box.Right, p.X + 1);
    box.Bottom = std::max(box.Bottom, p.Y + 1);
  }
  return box.IsEmpty() ? TRect{} : box;
}

bool Inside(TRect inner, TRect outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

TEST(Text, InkLiesInsideTheExtentAtEveryAlignment) {
  const struct {
    unsigned align;
    int dx, dy;  // cell origin relative to the reference point, in widths/heights
  } rows[] = {{TA_LEFT | TA_TOP, 0, 0},       {TA_RIGHT | TA_TOP, -2, 0},
              {TA_CENTER | TA_TOP, -1, 0},    {TA_LEFT | TA_BOTTOM, 0, -2},
              {TA_RIGHT | TA_BOTTOM, -2, -2}, {TA_CENTER | TA_BOTTOM, -1, -2}};
  const std::string texts[] = {"Wg", "Πριν", "0.125", "Μετά Jy", "Χρόνος (μήνες)"};
  // The chart's fonts: labels, and its emboldened titles and legend.
  TLogFont fonts[] = {Arial(-11), Arial(-11), Arial(-12)};
  fonts[1].Weight = fonts[2].Weight = FW_BOLD;
  for (const TLogFont& font : fonts)
    for (const std::string& text : texts)
      for (const auto& r : rows) {
        TScene s(120, 60);
        s.dc.SelectFont(font);
        s.dc.SetBkMode(TRANSPARENT);
        s.dc.SetTextAlign(r.align);
        const TSize ext = s.dc.TextExtent(text);
        ASSERT_GT(ext.cx, 0);
        s.dc.TextOut(60, 30, text);
        const int left = 60 + (r.dx == 0 ? 0 : (r.dx == -2 ? -ext.cx : -(ext.cx / 2)));
        const int top = 30 + (r.dy == 0 ? 0 : -ext.cy);
        const TRect cell{left, top, left + ext.cx, top + ext.cy};
        const TRect ink = InkBox(s);
        SCOPED_TRACE(text + " align " + std::to_string(r.align) + " weight " +
                     std::to_string(font.Weight) + " height " + std::to_string(font.Height));
        EXPECT_FALSE(ink.IsEmpty());
        EXPECT_TRUE(Inside(ink, cell))
            << "ink " << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom
            << " cell " << cell.Left << "," << cell.Top << "," << cell.Right << "," << cell.Bottom;
      }
}

TEST(Text, BaselineAlignmentPutsTheBaselineOnTheReferencePoint) {
  TScene s(60, 40);
  s.dc.SelectFont(Arial(-20));
  s.dc.SetBkMode(TRANSPARENT);
  s.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
  s.dc.TextOut(5, 30, "HE");
  const TRect ink = InkBox(s);
  EXPECT_EQ(ink.Bottom, 30);  // capitals stand on the baseline
  EXPECT_LT(ink.Top, 20);
}

TEST(Text, FontHeightStyleAndFaceSubstitution) {
  TScene s(10, 10);
  s.dc.SelectFont(Arial(-11));
  const TSize arial = s.dc.TextExtent("Halvorn");
  TLogFont sans = Arial(-11);
  sans.FaceName = "MS Sans Serif";
  s.dc.SelectFont(sans);
  EXPECT_EQ(s.dc.TextExtent("Halvorn"), arial);
  TLogFont bold = Arial(-11);
  bold.Weight = FW_BOLD;
  s.dc.SelectFont(bold);
  EXPECT_GT(s.dc.TextExtent("Halvorn").cx, arial.cx);
  s.dc.SelectFont(Arial(-22));
  EXPECT_GT(s.dc.TextExtent("Halvorn").cy, arial.cy + 8);
  // A positive height is the cell height.
  s.dc.SelectFont(Arial(30));
  EXPECT_NEAR(s.dc.TextExtent("W").cy, 30, 1);
}

TEST(Text, OpaqueBackgroundFillsTheCell) {
  TScene s(60, 30);
  s.dc.SelectFont(Arial(-11));
  s.dc.SetBkMode(OPAQUE);
  s.dc.SetBkColor(clLime);
  s.dc.SetTextColor(clRed);
  const TSize ext = s.dc.TextExtent("Wg");
  s.dc.TextOut(3, 4, "Wg");
  int lime = 0, red = 0;
  for (TPoint p : s.Inked()) {
    EXPECT_TRUE(TRect(3, 4, 3 + ext.cx, 4 + ext.cy).Contains(p));
    lime += s.At(p.X, p.Y) == clLime;
    red += s.At(p.X, p.Y) == clRed;
  }
  EXPECT_GT(red, 10);
  EXPECT_EQ(lime + red, ext.cx * ext.cy);
}

TEST(Text, EscapementRotatesAboutTheReferencePoint) {
  TScene s(80, 80);
  TLogFont f = Arial(-14);
  f.Escapement = 900;
  s.dc.SelectFont(f);
  s.dc.SetBkMode(TRANSPARENT);
  const TSize ext = s.dc.TextExtent("Halvorn");
  s.dc.TextOut(30, 70, "Halvorn");
  // Upwards from (30, 70), the tops of the letters facing left.
  const TRect ink = InkBox(s);
  EXPECT_TRUE(Inside(ink, TRect{30, 70 - ext.cx, 30 + ext.cy, 70}))
      << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
  EXPECT_GT(ink.Height(), ink.Width() * 2);
}

TEST(Text, TheClipCutsText) {
  TScene whole(60, 20), cut(60, 20);
  for (TScene* s : {&whole, &cut}) {
    s->dc.SelectFont(Arial(-14));
    s->dc.SetBkMode(TRANSPARENT);
  }
  cut.dc.SetClipRect(TRect{0, 0, 60, 8});
  whole.dc.TextOut(2, 2, "Wall");
  cut.dc.TextOut(2, 2, "Wall");
  const TRect ink = InkBox(cut);
  EXPECT_EQ(ink.Bottom, 8);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      EXPECT_EQ(cut.At(x, y), y < 8 ? whole.At(x, y) : clWhite) << x << "," << y;
}

}  // namespace
}  // namespace halvorn
