#pragma once
// Framework graphics: TGraphic, something that can draw itself on a canvas,
// and TBitmap, an off-screen bitmap with its own device context and canvas.

#include "platform/raster/Canvas.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn {

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // Draws the whole graphic into rect of the canvas, scaled when rect has
  // another size.
  virtual void Draw(TCanvas& canvas, TRect rect) const = 0;
};

class TBitmap : public TGraphic {
 public:
  // Throws EInvalidOperation for a negative or unreasonably large size.
  explicit TBitmap(int width = 0, int height = 0, TPixelFormat format = TPixelFormat::pf32bit);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override { return raster_.Width(); }
  int Height() const override { return raster_.Height(); }
  bool Monochrome() const { return raster_.Monochrome(); }
  // Re-creates the pixels (white) at another size or format; the canvas's
  // tools stay, its clip is removed.
  void Recreate(int width, int height, TPixelFormat format);
  // Makes the bitmap draw on 32-bit pixels that someone else owns (rows
  // packed width pixels apart) until the next Recreate or Wrap; the memory
  // must outlive that use.
  void Wrap(TPixel* pixels, int width, int height);

  TCanvas& Canvas() { return canvas_; }
  TDeviceContext& Device() { return dc_; }
  const TDeviceContext& Device() const { return dc_; }
  const TRasterBitmap& Pixels() const { return raster_; }

  // A block copy (source copy) at the bitmap's size, otherwise a scaled copy.
  void Draw(TCanvas& canvas, TRect rect) const override;

 private:
  TRasterBitmap raster_;
  TDeviceContext dc_;
  TCanvas canvas_;
};

}  // namespace halvorn
