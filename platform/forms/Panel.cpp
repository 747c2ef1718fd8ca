#include "platform/forms/Panel.h"

#include "platform/forms/PanelHostWidget.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

TCustomPanel::TCustomPanel(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new TPanelHostWidget, /*takesFocusOnClick=*/false) {
  SetParentColor(false);
  Initialize(parent);
}

TPanelHostWidget* TCustomPanel::Host() const { return static_cast<TPanelHostWidget*>(Widget()); }

IPanelClient* TCustomPanel::Client() const { return Host()->Client(); }
void TCustomPanel::SetClient(IPanelClient* client) { Host()->SetClient(client); }

void TCustomPanel::RequestPaint() { Host()->RequestPaint(); }
void TCustomPanel::PaintNow() { Host()->PaintNow(); }
void TCustomPanel::ShowSurface() { Host()->ShowSurface(); }
TPanelSurface TCustomPanel::Surface() { return Host()->Surface(); }
void TCustomPanel::SetCursor(TCursor cursor) { Host()->SetCursorId(cursor); }

void TCustomPanel::ApplyColor() { Host()->SetSurfaceColor(ToQColor(Color())); }

}  // namespace halvorn
