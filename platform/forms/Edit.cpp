#include "platform/forms/Edit.h"

#include <QLineEdit>
#include <QPainter>

#include "platform/forms/QtBridge.h"

namespace halvorn {
namespace {

// The classic sunken frame of an edit box, two pixels deep: shadow and dark
// shadow at the top and left, highlight and light at the bottom and right,
// so the box stands out on any background.
class TEditWidget : public QLineEdit {
 public:
  static constexpr int kFrame = 2;

  TEditWidget() {
    setFrame(false);
    setTextMargins(kFrame, kFrame, kFrame, kFrame);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    QPainter p(this);
    const int r = width() - 1, b = height() - 1;
    const auto edge = [&p](TColor topLeft, TColor bottomRight, int inset, int right, int bottom) {
      p.setPen(ToQColor(topLeft));
      p.drawLine(inset, inset, right - 1, inset);
      p.drawLine(inset, inset, inset, bottom - 1);
      p.setPen(ToQColor(bottomRight));
      p.drawLine(inset, bottom, right, bottom);
      p.drawLine(right, inset, right, bottom);
    };
    edge(clBtnShadow, clBtnHighlight, 0, r, b);
    edge(cl3DDkShadow, cl3DLight, 1, r - 1, b - 1);
  }
};

}  // namespace

TEdit::TEdit(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new TEditWidget, /*takesFocusOnClick=*/true) {
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
