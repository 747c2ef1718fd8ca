#include "platform/raster/ScanConvert.h"

#include <algorithm>
#include <climits>

namespace halvorn {
namespace {

__extension__ using Int128 = __int128;

// The smallest integer not below n / d, for d > 0.
Int128 CeilDiv(Int128 n, Int128 d) {
  const Int128 q = n / d;
  return (n % d != 0 && n > 0) ? q + 1 : q;
}

int ClampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

}  // namespace

TPolygonScanner::TPolygonScanner(std::span<const TPoint> points) {
  if (points.empty()) return;
  std::int64_t left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TPoint a = points[i];
    const TPoint b = points[(i + 1) % points.size()];
    left = std::min<std::int64_t>(left, a.X);
    right = std::max<std::int64_t>(right, a.X);
    top = std::min<std::int64_t>(top, a.Y);
    bottom = std::max<std::int64_t>(bottom, a.Y);
    // Horizontal edges never cross a row centre.
    if (a.Y == b.Y) continue;
    if (a.Y < b.Y)
      edges_.push_back({a.X, a.Y, b.X, b.Y});
    else
      edges_.push_back({b.X, b.Y, a.X, a.Y});
  }
  bounds_ = TRect{ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
}

void TPolygonScanner::RowSpans(int y, int limitLeft, int limitRight,
                               std::vector<TSpan>& out) const {
  out.clear();
  crossings_.clear();
  for (const Edge& e : edges_) {
    // The row centre y + 0.5 lies between the integer ends exactly when
    // y0 <= y < y1.
    if (y < e.y0 || y >= e.y1) continue;
    // Crossing at x = x0 + (y + 0.5 - y0)(x1 - x0)/(y1 - y0); the first pixel
    // whose centre is at or right of it is ceil(x - 0.5).
    const Int128 dy = e.y1 - e.y0;
    const Int128 n = (2 * Int128{e.x0} - 1) * dy + (2 * (Int128{y} - e.y0) + 1) * (e.x1 - e.x0);
    const Int128 c = CeilDiv(n, 2 * dy);
    const Int128 lo = Int128{limitLeft} - 1, hi = Int128{limitRight} + 1;
    crossings_.push_back(static_cast<std::int64_t>(c < lo ? lo : (c > hi ? hi : c)));
  }
  std::sort(crossings_.begin(), crossings_.end());
  for (std::size_t i = 0; i + 1 < crossings_.size(); i += 2) {
    const std::int64_t x0 = std::max<std::int64_t>(crossings_[i], limitLeft);
    const std::int64_t x1 = std::min<std::int64_t>(crossings_[i + 1], limitRight);
    if (x0 < x1) out.push_back({static_cast<int>(x0), static_cast<int>(x1)});
  }
}

}  // namespace halvorn
