#include "platform/panel/Panel.h"

#include <algorithm>

namespace halvorn {

TCustomPanel::TCustomPanel() = default;
TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::SetHost(IPanelHost* host) {
  host_ = host;
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
  SyncSurface();
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  Invalidate();
}

TCanvas& TCustomPanel::WindowCanvas() {
  SyncSurface();
  return windowCanvas_;
}

namespace {

// The raster layout has rows packed at the width; a host surface always is.
bool Usable(const TPanelSurface& s) {
  return s.Bits != nullptr && s.Width > 0 && s.Height > 0 &&
         s.BytesPerLine == s.Width * static_cast<int>(sizeof(TPixel));
}

}  // namespace

TPanelSurface TCustomPanel::BackSurface() {
  const TPanelSurface s = host_ ? host_->BackSurface() : TPanelSurface{};
  return Usable(s) ? s : TPanelSurface{};
}

void TCustomPanel::FlipSurfaces() {
  if (!host_) return;
  host_->FlipSurfaces();
  SyncSurface();
}

void TCustomPanel::SyncSurface() {
  const TPanelSurface s = host_ ? host_->Surface() : TPanelSurface{};
  if (!Usable(s)) {
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
