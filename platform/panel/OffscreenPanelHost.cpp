#include "platform/panel/OffscreenPanelHost.h"

namespace halvorn {

void TOffscreenPanelHost::Resize(int width, int height) {
  surface_ = TRasterBitmap(width, height);
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

TPanelSurface TOffscreenPanelHost::Surface() {
  if (surface_.Width() == 0 || surface_.Height() == 0) return {};
  return TPanelSurface{surface_.Data(), surface_.Width(), surface_.Height(),
                       surface_.BytesPerLine()};
}

}  // namespace halvorn
