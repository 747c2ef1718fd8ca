#include "platform/raster/Bitmap.h"

namespace halvorn {

TBitmap::TBitmap(int width, int height, TPixelFormat format)
    : raster_(width, height, format), dc_(&raster_), canvas_(&dc_) {}

void TBitmap::Recreate(int width, int height, TPixelFormat format) {
  raster_ = TRasterBitmap(width, height, format);
  dc_.SetTarget(&raster_);
}

void TBitmap::Wrap(TPixel* pixels, int width, int height) {
  raster_ = TRasterBitmap::Wrap(pixels, width, height);
  dc_.SetTarget(&raster_);
}

void TBitmap::Draw(TCanvas& canvas, TRect rect) const {
  TDeviceContext* dc = canvas.SelectedHandle();
  if (dc == nullptr) return;
  if (rect.Width() == Width() && rect.Height() == Height())
    dc->BitBlt(rect.Left, rect.Top, Width(), Height(), dc_, 0, 0, SRCCOPY);
  else
    dc->StretchBlt(rect, dc_, raster_.Bounds());
}

}  // namespace halvorn
