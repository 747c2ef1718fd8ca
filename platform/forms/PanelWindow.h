#pragma once
// The window of a panel control that has no window of its own (the chart):
// the window is the control's IPanelHost, and the control, as the window's
// IPanelClient, paints the window's surface and receives its mouse input.

#include "platform/forms/Control.h"
#include "platform/panel/PanelHost.h"

namespace halvorn {

class TPanelHostWidget;

class TPanelWindow : public TWinControl, public IPanelHost {
 public:
  TPanelWindow(TComponent* owner, TWinControl* parent);

  // Not owned; the client must be detached (null) or outlive the panel.
  IPanelClient* Client() const;
  void SetClient(IPanelClient* client);

  void RequestPaint() override;
  void PaintNow() override;
  void ShowSurface() override;
  TPanelSurface Surface() override;
  TPanelSurface BackSurface() override;
  void FlipSurfaces() override;
  void SetCursor(TCursor cursor) override;

 protected:
  // The colour shows only on a new surface that the client has not painted.
  void ApplyColor() override;

 private:
  TPanelHostWidget* Host() const;
};

}  // namespace halvorn
