#include "platform/forms/Button.h"

#include <QPushButton>

#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {

TButton::TButton(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new QPushButton, /*takesFocusOnClick=*/true) {
  QPushButton* button = PushButton();
  // Enter presses the focused button, as Space does.
  button->setAutoDefault(true);
  QObject::connect(button, &QPushButton::clicked, button,
                   [this] { Dispatch([this] { Click(); }); });
  SetTabStop(true);
  Initialize(parent);
}

QPushButton* TButton::PushButton() const { return static_cast<QPushButton*>(Widget()); }

void TButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  PushButton()->setText(ToQString(caption_));
}

void TButton::ApplyColor() { ApplySystemColors(Widget()); }

void TButton::Click() {
  if (OnClick) OnClick(this);
}

}  // namespace halvorn
