#include "platform/raster/RasterBitmap.h"

#include "platform/Exceptions.h"
#include "platform/Format.h"

namespace halvorn {

TRasterBitmap::TRasterBitmap(int width, int height, TPixelFormat format) : format_(format) {
  if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels)
    throw EInvalidOperation(Fmt("Bitmap size %d x %d is out of range", width, height));
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * height, kPixelWhite);
}

}  // namespace halvorn
