#pragma once
// A tiny bitmap with its device context, and the picture of its pixels as
// rows of characters: '.' white, '#' black, 'r' red, 'g' green, 'b' blue,
// '?' anything else.

#include <string>
#include <vector>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn::testing {

struct TScene {
  explicit TScene(int width, int height, TPixelFormat format = TPixelFormat::pf32bit)
      : bitmap(width, height, format), dc(&bitmap) {}

  TColor At(int x, int y) const { return PixelToColor(bitmap.At(x, y)); }

  std::vector<std::string> Picture() const {
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
      std::string row;
      for (int x = 0; x < bitmap.Width(); ++x) {
        switch (At(x, y)) {
          case clWhite:
            row += '.';
            break;
          case clBlack:
            row += '#';
            break;
          case clRed:
            row += 'r';
            break;
          case clLime:
            row += 'g';
            break;
          case clBlue:
            row += 'b';
            break;
          default:
            row += '?';
            break;
        }
      }
      rows.push_back(row);
    }
    return rows;
  }

  // The pixels that differ from white, as (x, y) pairs in row order.
  std::vector<TPoint> Inked() const {
    std::vector<TPoint> out;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (At(x, y) != clWhite) out.push_back({x, y});
    return out;
  }

  TRasterBitmap bitmap;
  TDeviceContext dc;
};

}  // namespace halvorn::testing
