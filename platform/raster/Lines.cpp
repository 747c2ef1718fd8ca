// Line drawing of the device context: one-pixel lines by exact integer
// stepping, clipped analytically so that a line from far outside costs only
// its visible pixels; wide lines as round-ended strokes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/internal/LineStepping.h"
#include "platform/runtime/Assert.h"

namespace halvorn {
namespace {

__extension__ using Int128 = __int128;

// Dash patterns of one-pixel pens, in pixels: on, off, on, off, ...
struct TDashPattern {
  std::uint32_t on = 0;  // bit i set: position i of the period is in a dash
  int period = 0;
};

constexpr TDashPattern MakePattern(std::initializer_list<std::uint8_t> runs) {
  TDashPattern p;
  bool dash = true;
  for (std::uint8_t r : runs) {
    for (int i = 0; i < r; ++i, ++p.period)
      if (dash) p.on |= std::uint32_t{1} << p.period;
    dash = !dash;
  }
  return p;
}

constexpr TDashPattern kDash = MakePattern({18, 6});
constexpr TDashPattern kDot = MakePattern({3, 3});
constexpr TDashPattern kDashDot = MakePattern({9, 6, 3, 6});
constexpr TDashPattern kDashDotDot = MakePattern({9, 3, 3, 3, 3, 3});
constexpr TDashPattern kAlternate = MakePattern({1, 1});

const TDashPattern* PatternOf(const TLogPen& pen) {
  if (pen.Alternate) return &kAlternate;
  switch (pen.Style) {
    case psDash:
      return &kDash;
    case psDot:
      return &kDot;
    case psDashDot:
      return &kDashDot;
    case psDashDotDot:
      return &kDashDotDot;
    default:
      return nullptr;
  }
}

// Whether position pos (already reduced modulo the period) is in a dash.
bool DashOn(const TDashPattern& p, int pos) { return (p.on >> pos & 1) != 0; }

// Closed interval of x, empty when Lo > Hi.
struct TInterval {
  double Lo = 1.0;
  double Hi = 0.0;
  bool Empty() const { return Lo > Hi; }
};

TInterval Hull(TInterval a, TInterval b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.Lo, b.Lo), std::max(a.Hi, b.Hi)};
}

TInterval Meet(TInterval a, TInterval b) { return {std::max(a.Lo, b.Lo), std::min(a.Hi, b.Hi)}; }

// The x for which lo <= x * k + c <= hi.
TInterval Solve(double k, double c, double lo, double hi) {
  if (k == 0) return (c >= lo && c <= hi) ? TInterval{-HUGE_VAL, HUGE_VAL} : TInterval{};
  const double a = (lo - c) / k, b = (hi - c) / k;
  return {std::min(a, b), std::max(a, b)};
}

std::int64_t FloorSqrt(std::int64_t v) {
  auto t = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
  while (t * t > v) --t;
  while ((t + 1) * (t + 1) <= v) ++t;
  return t;
}

}  // namespace

void TDeviceContext::LineTo(int x, int y) {
  std::int64_t stylePos = 0;
  DrawLine(position_, TPoint{x, y}, stylePos);
  position_ = TPoint{x, y};
}

void TDeviceContext::Polyline(std::span<const TPoint> points) { DrawOutline(points, false); }

void TDeviceContext::DrawOutline(std::span<const TPoint> points, bool closed) {
  if (points.size() < 2 || !PenVisible()) return;
  std::int64_t stylePos = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) DrawLine(points[i], points[i + 1], stylePos);
  if (closed) DrawLine(points.back(), points.front(), stylePos);
}

void TDeviceContext::DrawLine(TPoint a, TPoint b, std::int64_t& stylePos) {
  if (!PenVisible()) return;
  if (PenWidth() > 1)
    DrawWideLine(a, b);
  else
    DrawThinLine(a, b, stylePos);
}

// Pixel i of a line (0 <= i < n, n the larger of |dx| and |dy|) lies i steps
// along the major axis and q(i) = floor((2 i m + n - 1) / 2n) steps along the
// minor one (m the smaller extent): the nearest row, an exact half staying on
// the side of the start. The end pixel (i = n) is never drawn.
void TDeviceContext::DrawThinLine(TPoint a, TPoint b, std::int64_t& stylePos) {
  const std::int64_t dx = std::int64_t{b.X} - a.X, dy = std::int64_t{b.Y} - a.Y;
  const std::int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const std::int64_t n = std::max(adx, ady);
  const std::int64_t startPos = stylePos;
  stylePos += n;
  if (n == 0 || target_ == nullptr) return;
  const TRect cb = clip_.Bounds();
  if (cb.IsEmpty()) return;

  const bool xMajor = adx >= ady;
  const std::int64_t m = xMajor ? ady : adx;
  const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t maj0 = xMajor ? a.X : a.Y, min0 = xMajor ? a.Y : a.X;
  const std::int64_t majLo = xMajor ? cb.Left : cb.Top, majHi = xMajor ? cb.Right : cb.Bottom;
  const std::int64_t minLo = xMajor ? cb.Top : cb.Left, minHi = xMajor ? cb.Bottom : cb.Right;

  // Steps whose major coordinate lies inside the clip bounds.
  std::int64_t i0 = 0, i1 = n;
  if (sMaj > 0) {
    i0 = std::max(i0, majLo - maj0);
    i1 = std::min(i1, majHi - maj0);
  } else {
    i0 = std::max(i0, maj0 - majHi + 1);
    i1 = std::min(i1, maj0 - majLo + 1);
  }
  if (i0 >= i1) return;

  // The minor offset q(i) never decreases, so the steps inside the minor
  // bounds form one range, found by bisection.
  const auto q = [&](std::int64_t i) {
    return static_cast<std::int64_t>((2 * Int128{i} * m + n - 1) / (2 * Int128{n}));
  };
  const std::int64_t qLo = sMin > 0 ? minLo - min0 : min0 - minHi + 1;  // q >= qLo
  const std::int64_t qHi = sMin > 0 ? minHi - min0 : min0 - minLo + 1;  // q < qHi
  const auto firstAtLeast = [&](std::int64_t bound, std::int64_t lo, std::int64_t hi) {
    while (lo < hi) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      if (q(mid) >= bound)
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  };
  i0 = firstAtLeast(qLo, i0, i1);
  i1 = firstAtLeast(qHi, i0, i1);
  if (i0 >= i1) return;

  const TDashPattern* pattern = PatternOf(pen_);
  const TPixel fore = PenPixelValue();
  const TPixel back = target_->Representable(ColorToPixel(bkColor_));
  const bool opaqueGaps = bkMode_ == OPAQUE;
  // Every step in range lies inside the clip bounds; only a polygonal clip
  // needs a test per pixel.
  const bool rectClip = clip_.IsRect();

  if (m == 0 && xMajor && pattern == nullptr) {
    // A plain horizontal line is one span.
    const std::int64_t xa = maj0 + sMaj * i0, xb = maj0 + sMaj * (i1 - 1);
    PenSpan(static_cast<int>(min0), static_cast<int>(std::min(xa, xb)),
            static_cast<int>(std::max(xa, xb) + 1));
    return;
  }

  int phase = pattern != nullptr ? static_cast<int>((startPos + i0) % pattern->period) : 0;
  if (m == 0 && rectClip) {
    // Horizontal and vertical lines (grids, axes, frames): every step is
    // inside the clip and the minor coordinate never moves.
    const int dx = xMajor ? sMaj : 0, dy = xMajor ? 0 : sMaj;
    int x = static_cast<int>(xMajor ? maj0 + sMaj * i0 : min0);
    int y = static_cast<int>(xMajor ? min0 : maj0 + sMaj * i0);
    if (rop2_ == pmCopy) {
      // Copied pixels (grids and frames): an offset stepped along the line.
      TPixel* const pixels = target_->Data();
      const std::ptrdiff_t width = target_->Width();
      std::ptrdiff_t at = y * width + x;
      const std::ptrdiff_t step = dx + dy * width;
      for (std::int64_t i = i0; i < i1; ++i, at += step) {
        const bool on = pattern == nullptr || DashOn(*pattern, phase);
        if (on)
          pixels[at] = fore;
        else if (opaqueGaps)
          pixels[at] = back;
        if (pattern != nullptr && ++phase == pattern->period) phase = 0;
      }
      return;
    }
    for (std::int64_t i = i0; i < i1; ++i, x += dx, y += dy) {
      const bool on = pattern == nullptr || DashOn(*pattern, phase);
      if (on || opaqueGaps) WritePixel(x, y, on ? fore : back, rop2_);
      if (pattern != nullptr && ++phase == pattern->period) phase = 0;
    }
    return;
  }

  const std::int64_t twoN = 2 * n, twoM = 2 * m;
  std::int64_t minor = q(i0);
  std::int64_t rem = static_cast<std::int64_t>((2 * Int128{i0} * m + n - 1) % twoN);
  for (std::int64_t i = i0; i < i1; ++i) {
    const int majC = static_cast<int>(maj0 + sMaj * i);
    const int minC = static_cast<int>(min0 + sMin * minor);
    const int x = xMajor ? majC : minC, y = xMajor ? minC : majC;
    const bool on = pattern == nullptr || DashOn(*pattern, phase);
    if ((on || opaqueGaps) && (rectClip || clip_.Contains(x, y)))
      WritePixel(x, y, on ? fore : back, rop2_);
    rem += twoM;
    if (rem >= twoN) {
      rem -= twoN;
      ++minor;
    }
    if (pattern != nullptr && ++phase == pattern->period) phase = 0;
  }
}

// The pixels whose centres lie within width / 2 of the segment: a stroke with
// round ends, the end points included. An even width puts the stroke's
// centre on the pixel corner above and left of the given points, so a
// horizontal line of width 2 covers the rows y - 1 and y.
void TDeviceContext::DrawWideLine(TPoint a, TPoint b) {
  if (target_ == nullptr) return;
  const TRect cb = clip_.Bounds();
  if (cb.IsEmpty()) return;
  const int w = PenWidth();
  const double r = w / 2.0;
  const double shift = w % 2 == 0 ? -0.5 : 0.0;
  const double ax = a.X + shift, ay = a.Y + shift, bx = b.X + shift, by = b.Y + shift;
  const double ex = bx - ax, ey = by - ay, len2 = ex * ex + ey * ey, len = std::sqrt(len2);
  const double top = std::max<double>(cb.Top, Ceil(std::min(ay, by) - r));
  const double bottom = std::min<double>(cb.Bottom - 1, Floor(std::max(ay, by) + r));
  constexpr double kEps = 1e-9;
  const auto disk = [&](double cx, double cy, double y) {
    const double d = y - cy;
    if (std::fabs(d) > r) return TInterval{};
    const double h = std::sqrt(r * r - d * d);
    return TInterval{cx - h, cx + h};
  };
  const auto exactRow = [&](double y) {
    TInterval row = Hull(disk(ax, ay, y), disk(bx, by, y));
    if (len2 > 0) {
      // Between the two end caps: 0 <= (P - A).E <= |E|^2 and
      // |(P - A) x E| <= r |E|.
      const TInterval along = Solve(ex, (y - ay) * ey - ax * ex, 0, len2);
      const TInterval across = Solve(ey, -ax * ey - (y - ay) * ex, -r * len, r * len);
      row = Hull(row, Meet(along, across));
    }
    if (row.Empty()) return std::pair<std::int64_t, std::int64_t>{1, 0};
    return std::pair{static_cast<std::int64_t>(Ceil(row.Lo - kEps)),
                     static_cast<std::int64_t>(Floor(row.Hi + kEps))};
  };

  const TPixel pen = PenPixelValue();
  // Most strokes are copied into a rectangular clip: their few pixels per row
  // are written directly. Inlined: in the stepped loop below this is most of
  // the work per row.
  const bool direct = clip_.IsRect() && rop2_ == pmCopy;
  const auto fill = [&](int y, std::int64_t first, std::int64_t last)
      __attribute__((always_inline)) {
    const auto x0 = static_cast<int>(std::max<std::int64_t>(first, cb.Left));
    const auto x1 = static_cast<int>(std::min<std::int64_t>(last, cb.Right - 1));
    if (x0 > x1) return;
    if (direct) {
      TPixel* row = target_->Row(y);
      std::fill(row + x0, row + x1 + 1, pen);
    } else {
      clip_.ForEachVisible(y, x0, x1 + 1,
                           [&](int c0, int c1) { WriteSpan(y, c0, c1, pen, rop2_); });
    }
  };

  // The rows strictly between the caps of a slanted line, the bulk of it,
  // are bounded by the stroke's two long sides alone, stepped from row to
  // row in integers. In units of half a pixel from A, U = 2 (X - ax) and
  // V = 2 (Y - ay), a pixel lies between the sides when
  // (U ey - V ex)^2 <= w^2 |E|^2, all integers: a centre outside a side is
  // at least 1 / (2 |ey| (2 w |E| + 1)) pixels from it, over 2e-8 for the
  // coordinates, lengths and widths below, far beyond exactRow's tolerance
  // and rounding. So both give the same pixels.
  const auto moderate = [](double v, double limit) { return std::fabs(v) <= limit; };
  double bodyTop = HUGE_VAL, bodyBottom = -HUGE_VAL;
  if (ex != 0 && ey != 0 && w <= 8 && moderate(ex, 1024) && moderate(ey, 1024) &&
      moderate(ax, 8192) && moderate(ay, 8192)) {
    bodyTop = std::max(top, Floor(std::min(ay, by) + r) + 1);
    bodyBottom = std::min(bottom, Ceil(std::max(ay, by) - r) - 1);
  }
  for (double yd = top; yd <= bottom; ++yd) {
    if (yd != bodyTop || bodyTop > bodyBottom) {
      const auto [first, last] = exactRow(yd);
      fill(static_cast<int>(yd), first, last);
      continue;
    }
    const auto ix = static_cast<std::int64_t>(ex), iy = static_cast<std::int64_t>(ey);
    const std::int64_t a2x = 2 * std::int64_t{a.X} + (w % 2 == 0 ? -1 : 0);
    const std::int64_t a2y = 2 * std::int64_t{a.Y} + (w % 2 == 0 ? -1 : 0);
    const std::int64_t reach = FloorSqrt(std::int64_t{w} * w * (ix * ix + iy * iy));
    const int y0 = static_cast<int>(bodyTop), y1 = static_cast<int>(bodyBottom);
    const std::int64_t v0 = 2 * std::int64_t{y0} - a2y;
    TBandStepper sides(2 * iy, -a2x * iy - v0 * ix, -2 * ix, -reach, reach);
    // These rows lie within the stroke's bounding box: inside the clip's
    // columns they need no clamping.
    if (direct && std::min(ax, bx) - r >= cb.Left && std::max(ax, bx) + r < cb.Right) {
      HALVORN_ASSERT(
          y0 >= cb.Top && y1 < cb.Bottom && sides.First() >= cb.Left && sides.Last() < cb.Right,
          "a stroke's rows between its caps lie inside the clip");
      TPixel* row = target_->Row(y0);
      const int stride = target_->Width();
      // A copy whose address is never taken: the pen itself is captured by
      // reference above, and would be read from memory after every store.
      const TPixel ink = pen;
      // Each row between the sides spans reach / |ey| >= w >= 2 columns: at
      // least two pixels, and at most three on a steep stroke, which are
      // written without a loop.
      if (reach < 3 * std::abs(iy)) {
        for (int y = y0; y <= y1; ++y, row += stride, sides.Next()) {
          row[sides.First()] = ink;
          row[sides.First() + 1] = ink;
          row[sides.Last()] = ink;
        }
      } else {
        for (int y = y0; y <= y1; ++y, row += stride, sides.Next())
          for (int x = sides.First(), last = sides.Last(); x <= last; ++x) row[x] = ink;
      }
    } else {
      for (int y = y0; y <= y1; ++y, sides.Next()) fill(y, sides.First(), sides.Last());
    }
    yd = bodyBottom;
  }
}

}  // namespace halvorn
