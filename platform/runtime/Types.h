#pragma once
// Geometry value types of the drawing code.
//
// Pixel convention, used everywhere: a rectangle covers the columns
// Left..Right-1 and the rows Top..Bottom-1 (right column and bottom row
// excluded), and a line from A to B paints A but not B.

namespace halvorn {

struct TPoint {
  int X = 0;
  int Y = 0;

  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }

  constexpr void Inflate(int dx, int dy) {
    Left -= dx;
    Top -= dy;
    Right += dx;
    Bottom += dy;
  }
  [[nodiscard]] constexpr TRect Inflated(int dx, int dy) const {
    TRect r = *this;
    r.Inflate(dx, dy);
    return r;
  }

  constexpr void Offset(int dx, int dy) {
    Left += dx;
    Top += dy;
    Right += dx;
    Bottom += dy;
  }

  // The common part of two rectangles; empty (IsEmpty) when they do not meet.
  [[nodiscard]] constexpr TRect Intersected(const TRect& o) const {
    return TRect{Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top,
                 Right < o.Right ? Right : o.Right, Bottom < o.Bottom ? Bottom : o.Bottom};
  }

  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

// The extent of a text or a bitmap, in pixels.
struct TSize {
  int cx = 0;
  int cy = 0;

  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

}  // namespace halvorn
