#include "platform/forms/GroupBox.h"

#include <QGroupBox>

#include "platform/forms/QtBridge.h"

namespace halvorn {

TCustomGroupBox::TCustomGroupBox(TComponent* owner)
    : TWinControl(owner, new QGroupBox, /*takesFocusOnClick=*/false) {}

QGroupBox* TCustomGroupBox::Box() const { return static_cast<QGroupBox*>(Widget()); }

void TCustomGroupBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  Box()->setTitle(ToQString(caption_));
}

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent) : TCustomGroupBox(owner) {
  Initialize(parent);
}

}  // namespace halvorn
