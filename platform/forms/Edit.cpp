#include "platform/forms/Edit.h"

#include <QLineEdit>

#include "platform/forms/QtBridge.h"

namespace halvorn {

TEdit::TEdit(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new QLineEdit, /*takesFocusOnClick=*/true) {
  SetTabStop(true);
  SetParentColor(false);
  StoreColor(clWindow);
  Initialize(parent);
}

QLineEdit* TEdit::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

std::string TEdit::Text() const { return FromQString(LineEdit()->text()); }

void TEdit::SetText(const std::string& text) { LineEdit()->setText(ToQString(text)); }

void TEdit::ApplyColor() {
  // The text area of an edit box is its Base, not its Window.
  QPalette p = Widget()->palette();
  p.setColor(QPalette::Base, ToQColor(Color()));
  Widget()->setPalette(p);
}

}  // namespace halvorn
