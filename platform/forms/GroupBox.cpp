#include "platform/forms/GroupBox.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPainter>

#include "platform/forms/QtBridge.h"

namespace halvorn {
namespace {

// A group box in the classic look: an etched frame from the middle of the
// caption line down, and the caption at the left on the box's own colour,
// breaking the frame.
class TGroupBoxWidget : public QGroupBox {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2 - 1;
    const int w = width();
    const int h = height() - top;
    // A stroked QRect covers one more column and row than its size.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(QRect(1, top + 1, w - 2, h - 2));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(QRect(0, top, w - 2, h - 2));
    if (title().isEmpty()) return;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()), metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
  }
};

}  // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* owner)
    : TWinControl(owner, new TGroupBoxWidget, /*takesFocusOnClick=*/false) {}

QGroupBox* TCustomGroupBox::Box() const { return static_cast<QGroupBox*>(Widget()); }

void TCustomGroupBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  Box()->setTitle(ToQString(caption_));
}

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent) : TCustomGroupBox(owner) {
  Initialize(parent);
}

}  // namespace halvorn
