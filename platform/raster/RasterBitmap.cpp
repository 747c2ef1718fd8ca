#include "platform/raster/RasterBitmap.h"

#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"

namespace halvorn {

TRasterBitmap::TRasterBitmap(int width, int height, TPixelFormat format) : format_(format) {
  if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels)
    throw EInvalidOperation(Fmt("Bitmap size %d x %d is out of range", width, height));
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * height, kPixelWhite);
  data_ = pixels_.data();
}

TRasterBitmap TRasterBitmap::Wrap(TPixel* pixels, int width, int height) {
  if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxPixels ||
      (pixels == nullptr && width * height != 0))
    throw EInvalidOperation(Fmt("Bitmap size %d x %d is out of range", width, height));
  TRasterBitmap bitmap;
  bitmap.width_ = width;
  bitmap.height_ = height;
  bitmap.data_ = pixels;
  return bitmap;
}

TRasterBitmap& TRasterBitmap::operator=(TRasterBitmap&& other) noexcept {
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  format_ = std::exchange(other.format_, TPixelFormat::pf32bit);
  pixels_ = std::move(other.pixels_);
  data_ = std::exchange(other.data_, nullptr);
  other.pixels_.clear();
  return *this;
}

}  // namespace halvorn
