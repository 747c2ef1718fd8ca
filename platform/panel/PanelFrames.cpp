#include "platform/panel/PanelFrames.h"

#include <cstddef>
#include <cstring>

#include "platform/panel/Panel.h"
#include "platform/runtime/Assert.h"

namespace halvorn {

TPanelSurface TPanelFrames::Target() {
  cache_ = kStale;
  IPanelHost* host = panel_ != nullptr ? panel_->Host() : nullptr;
  if (host == nullptr) return {};
  const TPanelSurface spare = host->BackSurface();
  return spare.Usable() ? spare : TPanelSurface{};
}

void TPanelFrames::PresentTarget() {
  HALVORN_ASSERT(panel_ != nullptr && panel_->Host() != nullptr,
                 "a frame target comes from the panel's host");
  panel_->FlipSurfaces();
  cache_ = kOnScreen;
}

void TPanelFrames::ShowSpare() {
  panel_->FlipSurfaces();
  cache_ = kOnScreen;
}

void TPanelFrames::BeginOverlay() {
  if (cache_ != kOnScreen) return;
  IPanelHost* host = panel_->Host();
  const TPanelSurface screen = host->Surface();
  const TPanelSurface spare = host->BackSurface();
  if (!screen.Usable() || !spare.Usable() || spare.Width != screen.Width ||
      spare.Height != screen.Height) {
    // Nowhere to put a copy: the drawing goes over the picture itself, which
    // is then stale.
    cache_ = kStale;
    return;
  }
  std::memcpy(
      spare.Bits, screen.Bits,
      static_cast<std::size_t>(screen.BytesPerLine) * static_cast<std::size_t>(screen.Height));
  panel_->FlipSurfaces();
  cache_ = kInSpare;
}

}  // namespace halvorn
