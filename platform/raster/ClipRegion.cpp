#include "platform/raster/ClipRegion.h"

#include <algorithm>

namespace halvorn {

TClipRegion TClipRegion::FromRect(TRect rect, TRect limit) {
  TClipRegion r;
  r.bounds_ = rect.Intersected(limit);
  if (r.bounds_.IsEmpty()) r.bounds_ = TRect{};
  return r;
}

TClipRegion TClipRegion::FromPolygon(std::span<const TPoint> points, TRect limit) {
  TClipRegion r;
  const TPolygonScanner scanner(points);
  const TRect box = scanner.Bounds().Intersected(limit);
  if (box.IsEmpty()) return r;
  std::vector<TSpan> row;
  int left = box.Right, right = box.Left, top = box.Bottom, bottom = box.Top;
  std::vector<std::size_t> starts;
  for (int y = box.Top; y < box.Bottom; ++y) {
    scanner.RowSpans(y, box.Left, box.Right, row);
    starts.push_back(r.spans_.size());
    if (row.empty()) continue;
    top = std::min(top, y);
    bottom = y + 1;
    left = std::min(left, row.front().X0);
    right = std::max(right, row.back().X1);
    r.spans_.insert(r.spans_.end(), row.begin(), row.end());
  }
  starts.push_back(r.spans_.size());
  if (top >= bottom) {
    r.spans_.clear();
    return r;
  }
  // Keep only the rows between the first and the last that hold spans.
  r.rowStart_.assign(starts.begin() + (top - box.Top), starts.begin() + (bottom - box.Top) + 1);
  r.bounds_ = TRect{left, top, right, bottom};
  return r;
}

bool TClipRegion::Contains(int x, int y) const {
  if (!bounds_.Contains(TPoint{x, y})) return false;
  bool inside = false;
  ForEachVisible(y, x, x + 1, [&](int, int) { inside = true; });
  return inside;
}

}  // namespace halvorn
