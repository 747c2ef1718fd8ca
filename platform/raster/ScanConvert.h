#pragma once
// Scan conversion of polygons with the alternate (even-odd) rule. A pixel
// belongs to the polygon when its centre (x + 0.5, y + 0.5) lies inside, so
// shared edges of neighbouring polygons are painted once and a polygon along
// the pixel grid covers its left column and top row but not its right column
// and bottom row. Coordinates may be anywhere in the 32-bit range: crossings
// are computed exactly in 128-bit integers.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/runtime/Types.h"

namespace halvorn {

// Columns X0..X1-1 of one row.
struct TSpan {
  int X0 = 0;
  int X1 = 0;

  friend constexpr bool operator==(const TSpan&, const TSpan&) = default;
};

class TPolygonScanner {
 public:
  explicit TPolygonScanner(std::span<const TPoint> points);

  // The rows Top..Bottom-1 and columns that can hold pixels of the polygon.
  TRect Bounds() const { return bounds_; }

  // The spans of row y, left to right, limited to the columns
  // limitLeft..limitRight-1. out is cleared first.
  void RowSpans(int y, int limitLeft, int limitRight, std::vector<TSpan>& out) const;

 private:
  struct Edge {
    std::int64_t x0, y0, x1, y1;  // y0 < y1
  };
  std::vector<Edge> edges_;
  TRect bounds_;
  mutable std::vector<std::int64_t> crossings_;
};

}  // namespace halvorn
