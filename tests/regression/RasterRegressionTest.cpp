// Faults the sanitizers and the property and fuzz runs found in the drawing
// code, each kept as a case of its own. Some were undefined behaviour that
// a normal build happens to survive: those cases fail in the sanitizer
// build (./build.sh sanitize), which CI runs.

#include <gtest/gtest.h>

#include <climits>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn {
namespace {

// A figure whose rows all lie below the int range (a box from INT_MIN to
// INT_MIN ends half a pixel above it, at INT_MIN - 0.5) converted its last
// row to int before comparing it with the clip.
TEST(RasterRegression, FiguresBeyondTheIntRangeDrawNothing) {
  TRasterBitmap bitmap(6, 4);
  TDeviceContext dc(&bitmap);
  dc.SelectBrush(TLogBrush{bsSolid, clRed, nullptr});
  for (int width : {1, 9}) {
    dc.SelectPen(TLogPen{psSolid, width, clBlack, false});
    for (int edge : {INT_MIN, INT_MAX}) {
      dc.Rectangle(0, edge, 6, edge);
      dc.Ellipse(0, edge, 6, edge);
      dc.RoundRect(edge, 0, edge, 4, 3, 3);
      dc.Arc(0, edge, 6, edge, 0, 0, 6, 0);
    }
  }
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap.At(x, y), kPixelWhite) << x << "," << y;
}

}  // namespace
}  // namespace halvorn
