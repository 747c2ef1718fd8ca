#pragma once
// The framework's panel control without a window of its own: colour, bevels,
// border, size and client rectangle, the window canvas, and invalidation
// through the window that hosts it. The window (an IPanelHost) shows the
// panel; the panel, as the window's IPanelClient, paints its surface and
// receives its mouse input. A panel without a host paints nowhere and
// measures text on a canvas without pixels.

#include "platform/panel/PanelFrames.h"
#include "platform/panel/PanelHost.h"
#include "platform/raster/Canvas.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/RasterBitmap.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

namespace halvorn {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public IPanelClient {
 public:
  TCustomPanel();
  virtual ~TCustomPanel();
  TCustomPanel(const TCustomPanel&) = delete;
  TCustomPanel& operator=(const TCustomPanel&) = delete;

  // Not owned. Whoever pairs a panel with a host unpairs them before either
  // goes: the host keeps a client pointer to the panel.
  IPanelHost* Host() const { return host_; }
  void SetHost(IPanelHost* host);

  // Asks the host for a paint of the whole panel; requests merge until the
  // paint happens. Never paints at once.
  virtual void Invalidate();

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  int BevelWidth() const { return bevelWidth_; }
  // Widths below 1 become 1.
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  // Negative widths become 0.
  void SetBorderWidth(int width);

  // The size of the panel; a hosted panel takes its host's size (Resized).
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  TRect ClientRect() const { return TRect{0, 0, width_, height_}; }

  // The cursor shown over the panel.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  // The canvas of the window: it draws straight into the host's surface
  // (what the window shows), and has no pixels without a host.
  TCanvas& WindowCanvas();
  // The whole frames drawn for the window: the frame target, presenting
  // it, and the cached picture.
  TPanelFrames& Frames() { return frames_; }

  // IPanelClient. Paint and the mouse handlers do nothing here.
  void Paint() override {}
  void MouseDown(TMouseButton, TShiftState, int, int) override {}
  void MouseMove(TShiftState, int, int) override {}
  void MouseUp(TMouseButton, TShiftState, int, int) override {}
  void MouseWheel(TShiftState, int, int, int) override {}
  void MouseLeave() override {}
  // Every change of size repaints the whole panel.
  void Resized(int width, int height) override;

 private:
  friend class TPanelFrames;

  // Points the window canvas at the host's current surface.
  void SyncSurface();
  // Shows the host's spare surface, which becomes the window surface, and
  // points the window canvas at it.
  void FlipSurfaces();

  IPanelHost* host_ = nullptr;
  TColor color_ = clBtnFace;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  int width_ = 0;
  int height_ = 0;
  TCursor cursor_ = crDefault;
  TRasterBitmap surface_;
  TDeviceContext windowDevice_;
  TCanvas windowCanvas_{&windowDevice_};
  TPanelFrames frames_{this};
};

}  // namespace halvorn
