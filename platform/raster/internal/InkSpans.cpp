#include "platform/raster/internal/InkSpans.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/runtime/Assert.h"

namespace halvorn {

void Embolden(std::vector<TInkSpan>& spans, int end) {
  std::sort(spans.begin(), spans.end(), [](const TInkSpan& p, const TInkSpan& q) {
    return p.Y != q.Y ? p.Y < q.Y : p.X0 < q.X0;
  });
  std::size_t merged = 0;
  for (const TInkSpan& s : spans) {
    if (merged > 0 && spans[merged - 1].Y == s.Y && s.X0 <= spans[merged - 1].X1)
      spans[merged - 1].X1 = std::max(spans[merged - 1].X1, s.X1);
    else
      spans[merged++] = s;
  }
  spans.resize(merged);
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const bool gapOfOne =
        i + 1 < spans.size() && spans[i + 1].Y == spans[i].Y && spans[i + 1].X0 == spans[i].X1 + 1;
    if (!gapOfOne && spans[i].X1 < end) ++spans[i].X1;
  }
  // Growing never closes a gap: the runs of a row stay sorted and apart, so
  // no pixel is written twice and a turn sees each run once.
  for (std::size_t i = 1; i < spans.size(); ++i)
    HALVORN_ASSERT(spans[i - 1].Y < spans[i].Y || spans[i - 1].X1 < spans[i].X0,
                   "emboldened runs are sorted and apart");
}

std::vector<TInkSpan> TurnedAboutStart(int turns, const std::vector<TInkSpan>& upright) {
  HALVORN_ASSERT(turns >= 0 && turns < 4, "a turn by whole quarters");
  std::vector<TInkSpan> out;
  if (turns % 2 == 0) {
    // A row stays a row, reversed by a half turn.
    for (const TInkSpan& s : upright)
      out.push_back(turns == 0 ? s : TInkSpan{-s.Y - 1, -s.X1, -s.X0});
    return out;
  }
  // A quarter turn makes the upright columns rows: the pixels go through a
  // grid, read column by column.
  if (upright.empty()) return out;
  TRect bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const TInkSpan& s : upright) {
    bounds.Left = std::min(bounds.Left, s.X0);
    bounds.Right = std::max(bounds.Right, s.X1);
    bounds.Top = std::min(bounds.Top, s.Y);
    bounds.Bottom = std::max(bounds.Bottom, s.Y + 1);
  }
  const int w = bounds.Width(), h = bounds.Height();
  std::vector<std::uint8_t> grid(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (const TInkSpan& s : upright)
    std::fill_n(grid.begin() + (s.Y - bounds.Top) * w + (s.X0 - bounds.Left), s.X1 - s.X0, 1);
  for (int u = bounds.Left; u < bounds.Right; ++u) {
    for (int v = bounds.Top; v < bounds.Bottom;) {
      const auto ink = [&](int row) {
        return grid[static_cast<std::size_t>((row - bounds.Top) * w + (u - bounds.Left))] != 0;
      };
      if (!ink(v)) {
        ++v;
        continue;
      }
      const int v0 = v;
      while (v < bounds.Bottom && ink(v)) ++v;
      // Pixel (u, v) goes to (v, -u - 1) at a quarter turn and to
      // (-v - 1, u) at three.
      if (turns == 1)
        out.push_back(TInkSpan{-u - 1, v0, v});
      else
        out.push_back(TInkSpan{u, -v, -v0});
    }
  }
  return out;
}

TPoint UnturnPixel(int turns, TPoint r, int x, int y) {
  switch (turns) {
    case 1:
      return TPoint{r.Y - 1 - y, x - r.X};
    case 2:
      return TPoint{r.X - 1 - x, r.Y - 1 - y};
    case 3:
      return TPoint{y - r.Y, r.X - 1 - x};
    default:
      return TPoint{x - r.X, y - r.Y};
  }
}

void Place(const TTextFrame& frame, int dx, int dy, const std::vector<TInkSpan>& spans,
           std::vector<TInkSpan>& out) {
  const TRect box = frame.Box;
  const int ox = box.Left + static_cast<int>(frame.OriginX) + dx;
  const int oy = box.Top + static_cast<int>(frame.OriginY) + dy;
  for (const TInkSpan& s : spans) {
    const int y = oy + s.Y;
    const int x0 = std::max(ox + s.X0, box.Left), x1 = std::min(ox + s.X1, box.Right);
    if (y >= box.Top && y < box.Bottom && x0 < x1) out.push_back(TInkSpan{y, x0, x1});
  }
}

void Turn(int turns, const TTextFrame& frame, const std::vector<TInkSpan>& upright,
          std::vector<TInkSpan>& out) {
  if (turns == 0)
    Place(frame, 0, 0, upright, out);
  else
    Place(frame, 0, 0, TurnedAboutStart(turns, upright), out);
}

}  // namespace halvorn
