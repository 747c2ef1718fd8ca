#pragma once
// A window for a panel without any window system: its surface is a bitmap
// in memory, and paint requests wait, merged, until the owner delivers them
// the way a message loop would. The command-line tool renders charts through
// it, and tests count and inspect paints with it.

#include "platform/panel/PanelHost.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn {

class TOffscreenPanelHost : public IPanelHost {
 public:
  // The client is not owned and must outlive the host or be detached first.
  explicit TOffscreenPanelHost(IPanelClient* client = nullptr) : client_(client) {}
  virtual ~TOffscreenPanelHost() = default;

  void SetClient(IPanelClient* client) { client_ = client; }

  // A new surface of this size (white); the client hears of it.
  void Resize(int width, int height);

  // The surface as the window would show it.
  const TRasterBitmap& Pixels() const { return surface_; }

  // A paint has been requested and not delivered yet.
  bool PaintPending() const { return pending_; }
  // Runs the client's Paint if one is pending; answers whether it did.
  bool DeliverPaint();
  // Paint requests received, merged or not.
  int PaintRequests() const { return requests_; }
  // Paints delivered to the client.
  int Paints() const { return paints_; }
  TCursor CursorShown() const { return cursor_; }

  void RequestPaint() override;
  void PaintNow() override;
  void ShowSurface() override {}
  TPanelSurface Surface() override;
  TPanelSurface BackSurface() override;
  void FlipSurfaces() override;
  void SetCursor(TCursor cursor) override { cursor_ = cursor; }

 private:
  IPanelClient* client_;
  TRasterBitmap surface_;
  TRasterBitmap back_;
  bool pending_ = false;
  int requests_ = 0;
  int paints_ = 0;
  TCursor cursor_ = crDefault;
};

}  // namespace halvorn
