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

// A stretch whose destination spans more than the int range computed its
// width in int: it wrapped to -1 and every pixel was mapped before the
// source's first column, so nothing was copied.
TEST(RasterRegression, StretchAcrossTheWholeIntRangeCopiesTheMappedPixels) {
  TRasterBitmap source(4, 1);
  TDeviceContext from(&source);
  const TColor columns[] = {clRed, clLime, clBlue, clBlack};
  for (int x = 0; x < 4; ++x) from.SetPixel(x, 0, columns[x]);
  TRasterBitmap bitmap(2, 1);
  TDeviceContext dc(&bitmap);
  dc.StretchBlt(TRect{INT_MIN, 0, INT_MAX, 1}, from, TRect{0, 0, 4, 1});
  // Pixels 0 and 1 lie just past the middle of the destination: column 2.
  EXPECT_EQ(dc.GetPixel(0, 0), clBlue);
  EXPECT_EQ(dc.GetPixel(1, 0), clBlue);
}

}  // namespace
}  // namespace halvorn
