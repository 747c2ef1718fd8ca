#include "platform/panel/Panel.h"

#include <algorithm>

namespace halvorn {

TCustomPanel::TCustomPanel() = default;
TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::SetHost(IPanelHost* host) {
  host_ = host;
  frames_.Invalidate();
  SyncSurface();
  if (host_) {
    host_->SetCursor(cursor_);
    Invalidate();
  }
}

void TCustomPanel::Invalidate() {
  if (host_) host_->RequestPaint();
}

void TCustomPanel::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut bevel) {
  if (bevel == bevelInner_) return;
  bevelInner_ = bevel;
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevel == bevelOuter_) return;
  bevelOuter_ = bevel;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == borderWidth_) return;
  borderWidth_ = width;
  Invalidate();
}

void TCustomPanel::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TCustomPanel::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (host_) host_->SetCursor(cursor);
}

void TCustomPanel::Resized(int width, int height) {
  // The surfaces are new: whatever picture the host held is gone.
  frames_.Invalidate();
  SyncSurface();
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  Invalidate();
}

TCanvas& TCustomPanel::WindowCanvas() {
  SyncSurface();
  return windowCanvas_;
}

void TCustomPanel::FlipSurfaces() {
  host_->FlipSurfaces();
  SyncSurface();
}

void TCustomPanel::SyncSurface() {
  const TPanelSurface s = host_ ? host_->Surface() : TPanelSurface{};
  if (!s.Usable()) {
    if (windowDevice_.Target() != nullptr) windowDevice_.SetTarget(nullptr);
    return;
  }
  if (windowDevice_.Target() == &surface_ && surface_.Data() == s.Bits &&
      surface_.Width() == s.Width && surface_.Height() == s.Height)
    return;
  surface_ = TRasterBitmap::Wrap(s.Bits, s.Width, s.Height);
  windowDevice_.SetTarget(&surface_);
}

}  // namespace halvorn
