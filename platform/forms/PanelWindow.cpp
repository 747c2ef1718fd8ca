#include "platform/forms/PanelWindow.h"

#include "platform/forms/PanelHostWidget.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

TPanelWindow::TPanelWindow(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new TPanelHostWidget, /*takesFocusOnClick=*/false) {
  SetParentColor(false);
  Initialize(parent);
}

TPanelHostWidget* TPanelWindow::Host() const { return static_cast<TPanelHostWidget*>(Widget()); }

IPanelClient* TPanelWindow::Client() const { return Host()->Client(); }
void TPanelWindow::SetClient(IPanelClient* client) { Host()->SetClient(client); }

void TPanelWindow::RequestPaint() { Host()->RequestPaint(); }
void TPanelWindow::PaintNow() { Host()->PaintNow(); }
void TPanelWindow::ShowSurface() { Host()->ShowSurface(); }
TPanelSurface TPanelWindow::Surface() { return Host()->Surface(); }
TPanelSurface TPanelWindow::BackSurface() { return Host()->BackSurface(); }
void TPanelWindow::FlipSurfaces() { Host()->FlipSurfaces(); }
void TPanelWindow::SetCursor(TCursor cursor) { Host()->SetCursorId(cursor); }

void TPanelWindow::ApplyColor() { Host()->SetSurfaceColor(ToQColor(Color())); }

}  // namespace halvorn
