// Filled shapes of the device context. Rectangles, rounded rectangles and
// ellipses are one family: a box whose corners are quarter ellipses (of size
// zero for a rectangle, of the whole box for an ellipse). A pixel belongs to
// the figure when its centre lies inside; the box (l, t, r, b) has its edges
// half a pixel outside the centres of columns l and r - 1 and rows t and
// b - 1, so the figure never leaves its exclusive bounding box.
//
// A one-pixel outline is the set of figure pixels with a neighbour above,
// below, left or right outside the figure, so every outline pixel is written
// once (which keeps pmNotXor reversible). A wider outline is the band between
// the figure grown and shrunk by half the pen width (centred on the one-pixel
// outline, or for psInsideFrame inside the box).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/ScanConvert.h"
#include "platform/runtime/Assert.h"

namespace halvorn {
namespace {

// Columns Lo..Hi of one row; empty when Lo > Hi.
struct TRowRange {
  std::int64_t Lo = 1;
  std::int64_t Hi = 0;
  bool Empty() const { return Lo > Hi; }
};

TRowRange Meet(TRowRange a, TRowRange b) { return {std::max(a.Lo, b.Lo), std::min(a.Hi, b.Hi)}; }

struct TRoundBox {
  double Left, Top, Right, Bottom;  // continuous edges
  double CornerX, CornerY;          // radii of the corner ellipses

  TRoundBox Grown(double d, double shift) const {
    return {Left - d + shift,
            Top - d + shift,
            Right + d + shift,
            Bottom + d + shift,
            CornerX > 0 ? std::max(0.0, CornerX + d) : 0.0,
            CornerY > 0 ? std::max(0.0, CornerY + d) : 0.0};
  }

  TRowRange Row(int y) const {
    constexpr double kEps = 1e-9;
    if (y < Top || y > Bottom || Left > Right) return {};
    double left = Left, right = Right;
    if (CornerX > 0 && CornerY > 0) {
      const double upper = Top + CornerY, lower = Bottom - CornerY;
      const double d = y < upper ? upper - y : (y > lower ? y - lower : 0.0);
      if (d > 0) {
        const double t = 1.0 - (d / CornerY) * (d / CornerY);
        const double h = t > 0 ? CornerX * std::sqrt(t) : 0.0;
        left += CornerX - h;
        right -= CornerX - h;
      }
    }
    return {static_cast<std::int64_t>(std::ceil(left - kEps)),
            static_cast<std::int64_t>(std::floor(right + kEps))};
  }
};

// The box of the exclusive rectangle l..r by t..b with corner ellipses of the
// given sizes, after putting the corners in order.
TRoundBox BoxOf(int l, int t, int r, int b, std::int64_t cornerW, std::int64_t cornerH) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  const std::int64_t w = std::int64_t{r} - l, h = std::int64_t{b} - t;
  cornerW = std::clamp<std::int64_t>(cornerW, 0, w);
  cornerH = std::clamp<std::int64_t>(cornerH, 0, h);
  return {l - 0.5, t - 0.5, r - 0.5, b - 0.5, cornerW / 2.0, cornerH / 2.0};
}

}  // namespace

// Fills and outlines figures given row by row; a keep test restricts both to
// the pixels of a pie or arc sector.
class TFigureRenderer {
 public:
  using Keep = bool (*)(const void* ctx, int x, int y);

  TFigureRenderer(TDeviceContext& dc, const TRoundBox& box) : dc_(dc), box_(box) {}

  void Draw(bool fill, bool outline, Keep keep = nullptr, const void* keepCtx = nullptr) {
    TDeviceContext& dc = dc_;
    if (dc.target_ == nullptr) return;
    const TRect cb = dc.clip_.Bounds();
    if (cb.IsEmpty()) return;
    const bool pen = outline && dc.PenVisible();
    const bool brush = fill && dc.BrushVisible();
    if (!pen && !brush) return;

    const int w = dc.PenWidth();
    TRoundBox outer = box_;
    std::optional<TRoundBox> inner;
    if (pen && w > 1) {
      if (dc.pen_.Style == psInsideFrame) {
        inner = box_.Grown(-w, 0);
      } else {
        const double shift = w % 2 == 0 ? -0.5 : 0.0;
        outer = box_.Grown(w / 2.0 - 0.5, shift);
        inner = box_.Grown(-0.5 - w / 2.0, shift);
      }
    }
    // The rows are limited to the clip before they become ints: a figure
    // beyond the int range has rows no int can hold.
    const double firstRow = std::max<double>(cb.Top, std::ceil(outer.Top));
    const double lastRow = std::min<double>(cb.Bottom - 1, std::floor(outer.Bottom));
    if (firstRow > lastRow) return;
    const int top = static_cast<int>(firstRow), bottom = static_cast<int>(lastRow);
    for (int y = top; y <= bottom; ++y) {
      const TRowRange o = outer.Row(y);
      if (o.Empty()) continue;
      TRowRange in;
      if (!pen) {
        in = o;
      } else if (inner) {
        in = Meet(inner->Row(y), o);
      } else {
        in = Meet(Meet(outer.Row(y - 1), outer.Row(y + 1)), TRowRange{o.Lo + 1, o.Hi - 1});
      }
      if (brush && !in.Empty()) Span(y, in, true, keep, keepCtx);
      if (!pen) continue;
      if (in.Empty()) {
        Span(y, o, false, keep, keepCtx);
      } else {
        Span(y, TRowRange{o.Lo, in.Lo - 1}, false, keep, keepCtx);
        Span(y, TRowRange{in.Hi + 1, o.Hi}, false, keep, keepCtx);
      }
    }
  }

 private:
  void Span(int y, TRowRange r, bool brush, Keep keep, const void* keepCtx) {
    const TRect cb = dc_.clip_.Bounds();
    const std::int64_t lo = std::max<std::int64_t>(r.Lo, cb.Left);
    const std::int64_t hi = std::min<std::int64_t>(r.Hi, cb.Right - 1);
    if (lo > hi) return;
    const int a = static_cast<int>(lo), b = static_cast<int>(hi) + 1;
    if (keep == nullptr) {
      if (brush)
        dc_.BrushSpan(y, a, b, dc_.brush_, dc_.rop2_);
      else
        dc_.PenSpan(y, a, b);
      return;
    }
    for (int x = a; x < b; ++x) {
      if (!keep(keepCtx, x, y)) continue;
      if (brush)
        dc_.BrushSpan(y, x, x + 1, dc_.brush_, dc_.rop2_);
      else
        dc_.PenPixel(x, y);
    }
  }

  TDeviceContext& dc_;
  TRoundBox box_;
};

namespace {

// The counter-clockwise sweep from one ray to another around a centre, in
// screen coordinates (y downwards, so counter-clockwise is towards -y).
struct TSweep {
  double Cx, Cy, Start, Span;

  static bool Holds(const void* ctx, int x, int y) {
    const TSweep& s = *static_cast<const TSweep*>(ctx);
    const double dx = x - s.Cx, dy = s.Cy - y;
    if (dx == 0 && dy == 0) return true;
    constexpr double kTwoPi = 2 * std::numbers::pi;
    double d = std::fmod(std::atan2(dy, dx) - s.Start, kTwoPi);
    if (d < 0) d += kTwoPi;
    return d <= s.Span;
  }
};

TSweep SweepOf(const TRoundBox& box, int x3, int y3, int x4, int y4) {
  TSweep s{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2, 0, 0};
  constexpr double kTwoPi = 2 * std::numbers::pi;
  s.Start = std::atan2(s.Cy - y3, x3 - s.Cx);
  const double end = std::atan2(s.Cy - y4, x4 - s.Cx);
  s.Span = std::fmod(end - s.Start, kTwoPi);
  if (s.Span < 0) s.Span += kTwoPi;
  if (s.Span == 0) s.Span = kTwoPi;
  return s;
}

// Where the ray from the centre towards (x, y) meets the one-pixel outline.
TPoint RimPoint(const TRoundBox& box, const TSweep& s, int x, int y) {
  const double rx = box.CornerX - 0.5, ry = box.CornerY - 0.5;
  const double ux = x - s.Cx, uy = y - s.Cy;
  const double q = (rx > 0 ? (ux / rx) * (ux / rx) : 0) + (ry > 0 ? (uy / ry) * (uy / ry) : 0);
  const double k = q > 0 ? 1 / std::sqrt(q) : 0;
  return TPoint{static_cast<int>(std::lround(s.Cx + k * ux)),
                static_cast<int>(std::lround(s.Cy + k * uy))};
}

}  // namespace

void TDeviceContext::Rectangle(int left, int top, int right, int bottom) {
  if (PenVisible() && PenWidth() > 1) {
    TFigureRenderer(*this, BoxOf(left, top, right, bottom, 0, 0)).Draw(true, true);
    return;
  }
  // A one-pixel frame or none, the common case (point markers): the figure's
  // rows without its machinery. The frame takes the whole first and last
  // rows and the ends of the rows between; a box two pixels wide or less is
  // all frame.
  if (target_ == nullptr) return;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const bool pen = PenVisible(), brush = BrushVisible();
  const TRect rows = TRect{left, top, right, bottom}.Intersected(clip_.Bounds());
  if (!pen && brush_.Style == bsSolid && brush_.Pattern == nullptr && rop2_ == pmCopy &&
      clip_.IsRect()) {
    // A solid box copied into a rectangular clip (markers): the same colour
    // in every row of the clipped box.
    const TPixel fill = target_->Representable(ColorToPixel(brush_.Color));
    if (rows.Left >= rows.Right) return;
    // The clip is made within the bitmap (from its top left corner on); a
    // bitmap made smaller under its device context would leave it outside.
    HALVORN_ASSERT(rows.Right <= target_->Width() && rows.Bottom <= target_->Height(),
                   "the clip lies within the bitmap");
    for (int y = rows.Top; y < rows.Bottom; ++y)
      std::fill(target_->Row(y) + rows.Left, target_->Row(y) + rows.Right, fill);
    return;
  }
  const bool thin = std::int64_t{right} - left <= 2;
  for (int y = rows.Top; y < rows.Bottom; ++y) {
    if (!pen) {
      BrushSpan(y, left, right, brush_, rop2_);
    } else if (thin || y == top || y == bottom - 1) {
      PenSpan(y, left, right);
    } else {
      if (brush) BrushSpan(y, left + 1, right - 1, brush_, rop2_);
      PenSpan(y, left, left + 1);
      PenSpan(y, right - 1, right);
    }
  }
}

void TDeviceContext::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                               int cornerHeight) {
  TFigureRenderer(*this, BoxOf(left, top, right, bottom, cornerWidth, cornerHeight))
      .Draw(true, true);
}

void TDeviceContext::Ellipse(int left, int top, int right, int bottom) {
  const TRoundBox box = BoxOf(left, top, right, bottom, std::llabs(std::int64_t{right} - left),
                              std::llabs(std::int64_t{bottom} - top));
  TFigureRenderer(*this, box).Draw(true, true);
}

void TDeviceContext::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  const TRoundBox box = BoxOf(left, top, right, bottom, std::llabs(std::int64_t{right} - left),
                              std::llabs(std::int64_t{bottom} - top));
  const TSweep sweep = SweepOf(box, x3, y3, x4, y4);
  TFigureRenderer(*this, box).Draw(false, true, &TSweep::Holds, &sweep);
}

void TDeviceContext::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  const TRoundBox box = BoxOf(left, top, right, bottom, std::llabs(std::int64_t{right} - left),
                              std::llabs(std::int64_t{bottom} - top));
  const TSweep sweep = SweepOf(box, x3, y3, x4, y4);
  TFigureRenderer(*this, box).Draw(true, true, &TSweep::Holds, &sweep);
  const TPoint centre{static_cast<int>(std::floor(sweep.Cx + 0.5)),
                      static_cast<int>(std::floor(sweep.Cy + 0.5))};
  std::int64_t stylePos = 0;
  if (PenVisible()) {
    DrawLine(centre, RimPoint(box, sweep, x3, y3), stylePos);
    DrawLine(centre, RimPoint(box, sweep, x4, y4), stylePos);
  }
}

void TDeviceContext::Polygon(std::span<const TPoint> points) {
  if (points.empty() || target_ == nullptr) return;
  if (BrushVisible()) {
    const TPolygonScanner scanner(points);
    const TRect rows = scanner.Bounds().Intersected(clip_.Bounds());
    std::vector<TSpan> spans;
    for (int y = rows.Top; y < rows.Bottom; ++y) {
      scanner.RowSpans(y, rows.Left, rows.Right, spans);
      for (const TSpan& s : spans) BrushSpan(y, s.X0, s.X1, brush_, rop2_);
    }
  }
  DrawOutline(points, true);
}

}  // namespace halvorn
