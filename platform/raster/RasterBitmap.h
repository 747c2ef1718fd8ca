#pragma once
// The pixel store under every device context: a bitmap of 32-bit pixels
// 0xFFRRGGBB, the layout of QImage::Format_RGB32, so that Qt can read and write
// it in place. A monochrome bitmap keeps the same layout but only ever holds
// black and white, which is all a one-bit-per-pixel bitmap can show.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

namespace halvorn {

using TPixel = std::uint32_t;

constexpr TPixel kPixelBlack = 0xFF000000u;
constexpr TPixel kPixelWhite = 0xFFFFFFFFu;

constexpr TPixel ColorToPixel(TColor c) {
  return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
constexpr TColor PixelToColor(TPixel p) {
  return RGB((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu);
}

// The nearer of black and white: white when the colour is closer to white by
// euclidean distance in RGB, which reduces to a channel sum above 382.5.
constexpr TPixel NearestMonochrome(TPixel p) {
  const unsigned sum = ((p >> 16) & 0xFFu) + ((p >> 8) & 0xFFu) + (p & 0xFFu);
  return sum > 382 ? kPixelWhite : kPixelBlack;
}

enum class TPixelFormat { pf32bit, pf1bit };

class TRasterBitmap {
 public:
  // The largest bitmap accepted, in pixels: far beyond any window, small
  // enough that a mistaken size fails with a clear message instead of
  // exhausting memory.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  TRasterBitmap() = default;
  // Throws EInvalidOperation for a negative size or one above kMaxPixels.
  TRasterBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);
  // A 32-bit bitmap over pixels that someone else owns (a window surface),
  // rows packed width pixels apart; the memory must outlive the bitmap.
  static TRasterBitmap Wrap(TPixel* pixels, int width, int height);

  TRasterBitmap(TRasterBitmap&& other) noexcept { *this = std::move(other); }
  TRasterBitmap& operator=(TRasterBitmap&& other) noexcept;
  TRasterBitmap(const TRasterBitmap&) = delete;
  TRasterBitmap& operator=(const TRasterBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelFormat Format() const { return format_; }
  bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }
  TRect Bounds() const { return TRect{0, 0, width_, height_}; }

  TPixel* Row(int y) { return data_ + static_cast<std::size_t>(y) * width_; }
  const TPixel* Row(int y) const { return data_ + static_cast<std::size_t>(y) * width_; }
  // Pixel access for callers that have checked the bounds.
  TPixel At(int x, int y) const { return Row(y)[x]; }
  TPixel* Data() { return data_; }
  const TPixel* Data() const { return data_; }
  int BytesPerLine() const { return width_ * static_cast<int>(sizeof(TPixel)); }

  // What a pixel becomes when written to this bitmap.
  TPixel Representable(TPixel p) const { return Monochrome() ? NearestMonochrome(p) : p; }

 private:
  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf32bit;
  // Empty for a wrapped bitmap.
  std::vector<TPixel> pixels_;
  TPixel* data_ = nullptr;
};

}  // namespace halvorn
