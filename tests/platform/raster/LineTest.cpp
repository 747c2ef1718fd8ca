#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "RasterScene.h"

namespace halvorn {
namespace {

using testing::TScene;
using PixelSet = std::set<std::pair<int, int>>;

// A deliberately naive line: n = max(|dx|, |dy|) pixels, each on the
// nearest minor-axis position, an exact half staying towards the start.
PixelSet NaiveLine(TPoint a, TPoint b, TRect clip) {
  PixelSet out;
  const long long dx = static_cast<long long>(b.X) - a.X, dy = static_cast<long long>(b.Y) - a.Y;
  const long long n = std::max(std::llabs(dx), std::llabs(dy));
  if (n == 0) return out;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long dMaj = xMajor ? dx : dy, dMin = xMajor ? dy : dx;
  const long long maj0 = xMajor ? a.X : a.Y, min0 = xMajor ? a.Y : a.X;
  // Only the major positions inside the clip can give visible pixels.
  const long long lo = xMajor ? clip.Left : clip.Top, hi = xMajor ? clip.Right : clip.Bottom;
  for (long long maj = lo; maj < hi; ++maj) {
    const long long i = dMaj > 0 ? maj - maj0 : maj0 - maj;
    if (i < 0 || i >= n) continue;
    const long double f = min0 + static_cast<long double>(dMin) * i / n;
    const long double fl = std::floor(f);
    long long minor = std::llround(f);
    if (f - fl == 0.5L) minor = static_cast<long long>(dMin > 0 ? fl : fl + 1);
    const long long x = xMajor ? maj : minor, y = xMajor ? minor : maj;
    if (x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom)
      out.insert({static_cast<int>(x), static_cast<int>(y)});
  }
  return out;
}

PixelSet Drawn(const TScene& s) {
  PixelSet out;
  for (TPoint p : s.Inked()) out.insert({p.X, p.Y});
  return out;
}

TEST(Line, EndPixelExcludedInAllEightOctants) {
  const TPoint c{20, 15};
  const struct {
    int dx, dy;
  } rows[] = {{13, 5},  {5, 13}, {-5, 13}, {-13, 5},  {-13, -5}, {-5, -13}, {5, -13},
              {13, -5}, {10, 0}, {0, 10},  {-10, 0},  {0, -10},  {9, 9},    {-9, 9},
              {-9, -9}, {9, -9}, {12, 6},  {-12, -6}, {7, -14}};
  for (const auto& r : rows) {
    TScene s(40, 30);
    const TPoint end{c.X + r.dx, c.Y + r.dy};
    s.dc.MoveTo(c.X, c.Y);
    s.dc.LineTo(end.X, end.Y);
    const PixelSet drawn = Drawn(s);
    SCOPED_TRACE(::testing::Message() << "to (" << end.X << ", " << end.Y << ")");
    EXPECT_EQ(drawn.size(), static_cast<std::size_t>(std::max(std::abs(r.dx), std::abs(r.dy))));
    EXPECT_TRUE(drawn.count({c.X, c.Y}));
    EXPECT_FALSE(drawn.count({end.X, end.Y}));
    EXPECT_EQ(drawn, NaiveLine(c, end, TRect{0, 0, 40, 30}));
    EXPECT_EQ(s.dc.CurrentPosition(), end);
  }
}

TEST(Line, PolylineLeavesOnlyItsLastPointUnpainted) {
  TScene s(10, 10);
  const TPoint pts[] = {{1, 8}, {1, 1}, {8, 1}};
  s.dc.Polyline(pts);
  const PixelSet drawn = Drawn(s);
  EXPECT_EQ(drawn.size(), 14u);
  EXPECT_TRUE(drawn.count({1, 8}));
  EXPECT_TRUE(drawn.count({1, 1}));
  EXPECT_FALSE(drawn.count({8, 1}));
}

TEST(Line, FarOutsideLinesDrawOnlyTheirVisiblePart) {
  const TRect box{0, 0, 40, 30};
  const struct {
    TPoint a, b;
  } rows[] = {
      {{-100000, -50000}, {100000, 50000}},
      {{-32767, 15}, {32767, 16}},
      {{20, -32768}, {21, 32767}},
      {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
      {{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}},
      {{-5, -5}, {-1, 100}},  // entirely left of the bitmap
  };
  for (const auto& r : rows) {
    TScene s(40, 30);
    s.dc.MoveTo(r.a.X, r.a.Y);
    s.dc.LineTo(r.b.X, r.b.Y);
    SCOPED_TRACE(::testing::Message() << r.a.X << "," << r.a.Y << " -> " << r.b.X << "," << r.b.Y);
    EXPECT_EQ(Drawn(s), NaiveLine(r.a, r.b, box));
  }
}

TEST(Line, DashStylesAndBackgroundModeOfTheGaps) {
  const struct {
    TPenStyle style;
    bool alternate;
    int bkMode;
    const char* row;
  } rows[] = {
      {psDot, false, TRANSPARENT, "###...###...###...###...###."},
      {psDot, false, OPAQUE, "###rrr###rrr###rrr###rrr###r"},
      {psDash, false, TRANSPARENT, "##################......####"},
      {psDashDot, false, TRANSPARENT, "#########......###......####"},
      {psDashDotDot, false, TRANSPARENT, "#########...###...###...####"},
      {psSolid, true, TRANSPARENT, "#.#.#.#.#.#.#.#.#.#.#.#.#.#."},
      {psClear, false, OPAQUE, "............................"},
  };
  for (const auto& r : rows) {
    TScene s(30, 1);
    s.dc.SelectPen(TLogPen{r.style, 1, clBlack, r.alternate});
    s.dc.SetBkMode(r.bkMode);
    s.dc.SetBkColor(clRed);
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(28, 0);
    EXPECT_EQ(s.Picture()[0].substr(0, 28), r.row) << "style " << r.style;
    EXPECT_EQ(s.Picture()[0].substr(28), "..");
  }
}

TEST(Line, DashPositionCarriesAlongAPolyline) {
  TScene s(12, 3);
  s.dc.SelectPen(TLogPen{psDot, 1, clBlack, false});
  s.dc.SetBkMode(TRANSPARENT);
  const TPoint pts[] = {{0, 0}, {4, 0}, {4, 2}, {11, 2}};
  s.dc.Polyline(pts);
  EXPECT_EQ(s.Picture(),
            (std::vector<std::string>{"###.........", "............", "....###...#."}));
}

TEST(Line, WidePensAreSolidWithRoundEnds) {
  {
    TScene s(14, 9);
    s.dc.SelectPen(TLogPen{psSolid, 2, clBlack, false});
    s.dc.MoveTo(2, 4);
    s.dc.LineTo(11, 4);
    EXPECT_EQ(s.Picture(),
              (std::vector<std::string>{"..............", "..............", "..............",
                                        ".###########..", ".###########..", "..............",
                                        "..............", "..............", ".............."}));
  }
  {
    TScene s(14, 9);
    s.dc.SelectPen(TLogPen{psDash, 3, clBlack, false});
    s.dc.MoveTo(3, 4);
    s.dc.LineTo(10, 4);
    EXPECT_EQ(s.Picture(),
              (std::vector<std::string>{"..............", "..............", "..............",
                                        "..##########..", "..##########..", "..##########..",
                                        "..............", "..............", ".............."}));
  }
}

// A deliberately naive wide stroke: the pixels whose centres lie within w / 2
// of the segment, whose ends move half a pixel up and left for even widths;
// decided exactly in integers, in units of half a pixel.
PixelSet NaiveWideLine(TPoint a, TPoint b, int w, TRect clip) {
  const long long shift = w % 2 == 0 ? 1 : 0;
  const long long ax = 2LL * a.X - shift, ay = 2LL * a.Y - shift;
  const long long ex = b.X - a.X, ey = b.Y - a.Y, len2 = ex * ex + ey * ey, w2 = 1LL * w * w;
  PixelSet out;
  for (int y = clip.Top; y < clip.Bottom; ++y)
    for (int x = clip.Left; x < clip.Right; ++x) {
      const long long u = 2LL * x - ax, v = 2LL * y - ay;
      const long long along = u * ex + v * ey, across = u * ey - v * ex;
      const bool nearA = u * u + v * v <= w2;
      const bool nearB = (u - 2 * ex) * (u - 2 * ex) + (v - 2 * ey) * (v - 2 * ey) <= w2;
      const bool beside = along >= 0 && along <= 2 * len2 && across * across <= w2 * len2;
      if (nearA || nearB || beside) out.insert({x, y});
    }
  return out;
}

TEST(Line, WideStrokesCoverThePixelsWithinHalfTheWidth) {
  std::mt19937 random(2024);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
  for (int i = 0; i < 400; ++i) {
    // Short and long, steep and shallow segments, some reaching outside.
    const int reach = i % 4 == 0 ? 300 : 40;
    const TPoint a{pick(-10, 70), pick(-10, 50)};
    const TPoint b{a.X + pick(-reach, reach), a.Y + pick(-reach, reach)};
    const int w = i % 2 == 0 ? 2 : pick(2, 7);
    TScene s(64, 48);
    s.dc.SelectPen(TLogPen{psSolid, w, clBlack, false});
    s.dc.MoveTo(a.X, a.Y);
    s.dc.LineTo(b.X, b.Y);
    EXPECT_EQ(Drawn(s), NaiveWideLine(a, b, w, TRect{0, 0, 64, 48}))
        << "(" << a.X << ", " << a.Y << ") to (" << b.X << ", " << b.Y << ") width " << w;
  }
}

TEST(Line, ZeroLengthLineDrawsNothingWithAThinPenAndADotWithAWidePen) {
  TScene thin(6, 6);
  thin.dc.MoveTo(3, 3);
  thin.dc.LineTo(3, 3);
  EXPECT_TRUE(thin.Inked().empty());

  TScene wide(7, 7);
  wide.dc.SelectPen(TLogPen{psSolid, 5, clBlack, false});
  wide.dc.MoveTo(3, 3);
  wide.dc.LineTo(3, 3);
  EXPECT_EQ(wide.Picture(), (std::vector<std::string>{".......", "..###..", ".#####.", ".#####.",
                                                      ".#####.", "..###..", "......."}));
}

}  // namespace
}  // namespace halvorn
