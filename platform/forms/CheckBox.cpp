#include "platform/forms/CheckBox.h"

#include <QCheckBox>

#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new QCheckBox, /*takesFocusOnClick=*/true) {
  QObject::connect(Box(), &QCheckBox::toggled, Box(), [this](bool) { Toggled(); });
  SetTabStop(true);
  Initialize(parent);
}

QCheckBox* TCheckBox::Box() const { return static_cast<QCheckBox*>(Widget()); }

void TCheckBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  Box()->setText(ToQString(caption_));
}

bool TCheckBox::Checked() const { return Box()->isChecked(); }

void TCheckBox::SetChecked(bool checked) {
  if (checked == Checked()) return;
  setting_ = true;
  Box()->setChecked(checked);
  setting_ = false;
  if (OnClick) OnClick(this);
}

void TCheckBox::Toggled() {
  if (!setting_)
    Dispatch([this] {
      if (OnClick) OnClick(this);
    });
}

}  // namespace halvorn
