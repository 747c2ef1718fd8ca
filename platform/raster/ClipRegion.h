#pragma once
// A clipping region in device coordinates: a rectangle, or the rows of spans
// of a polygon (alternate fill), always limited to the device it was made for.

#include <span>
#include <vector>

#include "platform/raster/ScanConvert.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TClipRegion {
 public:
  // Right and bottom are exclusive; an inverted rectangle is an empty region.
  static TClipRegion FromRect(TRect rect, TRect limit);
  static TClipRegion FromPolygon(std::span<const TPoint> points, TRect limit);

  TRect Bounds() const { return bounds_; }
  bool IsEmpty() const { return bounds_.IsEmpty(); }
  // A rectangle: every point inside Bounds() is visible.
  bool IsRect() const { return rowStart_.empty(); }
  bool Contains(int x, int y) const;

  // Calls fn(a, b) for every visible part a..b-1 of the columns x0..x1-1 of
  // row y.
  template <typename Fn>
  void ForEachVisible(int y, int x0, int x1, Fn&& fn) const {
    if (y < bounds_.Top || y >= bounds_.Bottom) return;
    if (x0 < bounds_.Left) x0 = bounds_.Left;
    if (x1 > bounds_.Right) x1 = bounds_.Right;
    if (x0 >= x1) return;
    if (rowStart_.empty()) {
      fn(x0, x1);
      return;
    }
    const std::size_t row = static_cast<std::size_t>(y - bounds_.Top);
    for (std::size_t i = rowStart_[row]; i < rowStart_[row + 1]; ++i) {
      const int a = spans_[i].X0 > x0 ? spans_[i].X0 : x0;
      const int b = spans_[i].X1 < x1 ? spans_[i].X1 : x1;
      if (a < b) fn(a, b);
    }
  }

 private:
  TRect bounds_;
  // Empty for a rectangle; otherwise spans_[rowStart_[r]..rowStart_[r+1]) are
  // the spans of row bounds_.Top + r.
  std::vector<std::size_t> rowStart_;
  std::vector<TSpan> spans_;
};

}  // namespace halvorn
