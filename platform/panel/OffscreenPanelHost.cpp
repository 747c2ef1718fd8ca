#include "platform/panel/OffscreenPanelHost.h"

#include <utility>

namespace halvorn {

void TOffscreenPanelHost::Resize(int width, int height) {
  surface_ = TRasterBitmap(width, height);
  back_ = TRasterBitmap();
  pending_ = true;
  if (client_) client_->Resized(width, height);
}

bool TOffscreenPanelHost::DeliverPaint() {
  if (!pending_) return false;
  PaintNow();
  return true;
}

void TOffscreenPanelHost::RequestPaint() {
  ++requests_;
  pending_ = true;
}

void TOffscreenPanelHost::PaintNow() {
  // Cleared first: a paint that requests another one leaves it pending.
  pending_ = false;
  if (!client_) return;
  ++paints_;
  client_->Paint();
}

namespace {

TPanelSurface SurfaceOf(TRasterBitmap& bitmap) {
  if (bitmap.Width() == 0 || bitmap.Height() == 0) return {};
  return TPanelSurface{bitmap.Data(), bitmap.Width(), bitmap.Height(), bitmap.BytesPerLine()};
}

}  // namespace

TPanelSurface TOffscreenPanelHost::Surface() { return SurfaceOf(surface_); }

TPanelSurface TOffscreenPanelHost::BackSurface() {
  if (back_.Width() != surface_.Width() || back_.Height() != surface_.Height())
    back_ = TRasterBitmap(surface_.Width(), surface_.Height());
  return SurfaceOf(back_);
}

void TOffscreenPanelHost::FlipSurfaces() { std::swap(surface_, back_); }

}  // namespace halvorn
