#pragma once
// A drawing surface under test, shared by the canvas property test and the
// canvas fuzz target: a bitmap between guard pixels, its device context, a
// second device to copy from and a brush pattern. Every operation a caller
// can perform on a device context is one TCanvasOp; after each, the surface
// checks that nothing was written outside the bitmap (the guards are intact)
// or outside the clip (every pixel outside it kept its value). Under
// AddressSanitizer a write beyond the pixels is caught as it happens.

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/raster/ClipRegion.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn::testing {

enum class TCanvasOpKind : std::uint8_t {
  MoveTo,
  LineTo,
  Polyline,
  Rectangle,
  RoundRect,
  Ellipse,
  Arc,
  Pie,
  Polygon,
  SetPixel,
  FillRect,
  PatBlt,
  TextOut,
  BitBlt,
  StretchBlt,
  SelectPen,
  SelectBrush,
  SelectFont,
  SetModes,
  ClipRect,
  ClipPolygon,
  ClearClip,
  Count
};

struct TCanvasOp {
  TCanvasOpKind Kind = TCanvasOpKind::MoveTo;
  // Coordinates, extents, widths and heights, as the kind reads them.
  std::array<int, 8> V{};
  // A colour, a style, modes or a raster operation, as the kind reads it.
  std::uint32_t Value = 0;
  std::vector<TPoint> Points;
  std::string Text;  // any bytes, valid UTF-8 or not
};

// The operation as the device context call it makes, for failure reports.
std::ostream& operator<<(std::ostream& os, const TCanvasOp& op);

class TCanvasSurface {
 public:
  // A 32-bit bitmap of width x height between guards, or a monochrome one.
  TCanvasSurface(int width, int height, bool monochrome);
  TCanvasSurface(const TCanvasSurface&) = delete;
  TCanvasSurface& operator=(const TCanvasSurface&) = delete;

  // Performs op and returns the first fault seen, empty when there is none.
  // An exception of the framework's hierarchy is a refusal, not a fault.
  std::string Apply(const TCanvasOp& op);

 private:
  void Perform(const TCanvasOp& op);
  bool Clipped(int x, int y) const;
  std::string Check() const;

  static constexpr int kGuard = 64;
  static constexpr TPixel kGuardPixel = 0x5A5A5A5Au;

  std::vector<TPixel> store_;  // guard, pixels, guard (32-bit surfaces only)
  TRasterBitmap bitmap_;
  TDeviceContext dc_;
  TRasterBitmap sourceBitmap_;
  TDeviceContext source_;
  TRasterBitmap pattern_;
  // The clip as the test understands it: none, a rectangle or a region.
  std::optional<TRect> clipRect_;
  std::optional<TClipRegion> clipRegion_;
  std::vector<TPixel> before_;
};

// Turns any byte stream into a surface size and operations, for the fuzz
// target: every stream is a valid script.
struct TCanvasScript {
  int Width = 0;
  int Height = 0;
  bool Monochrome = false;
  std::vector<TCanvasOp> Ops;
};
TCanvasScript DecodeCanvasScript(const std::uint8_t* data, std::size_t size);

}  // namespace halvorn::testing
