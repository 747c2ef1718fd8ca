#include "platform/forms/ScrollBar.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "platform/runtime/Exceptions.h"
#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"

namespace halvorn {
namespace {

// The keyboard of a native horizontal scroll bar: Left and Up step down,
// Right and Down step up, the page keys page, Home and End go to the ends.
// Qt's own mapping inverts the arrow keys of scroll bars. The wheel is left
// to the window, as a native scroll bar control does not take it.
class TScrollBarWidget : public QScrollBar {
 public:
  TScrollBarWidget() : QScrollBar(Qt::Horizontal) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Left:
      case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        break;
      case Qt::Key_Right:
      case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        break;
      case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
      case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
      case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
      case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
      default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
  }
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

}  // namespace

TScrollBar::TScrollBar(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new TScrollBarWidget, /*takesFocusOnClick=*/true) {
  QScrollBar* bar = Bar();
  bar->setRange(min_, max_);
  bar->setValue(position_);
  bar->setSingleStep(1);
  bar->setPageStep(1);
  bar->setTracking(true);
  // Only the user's moves reach this: the program's go through Store, which
  // blocks the signal.
  QObject::connect(bar, &QScrollBar::valueChanged, bar,
                   [this](int value) { Dispatch([this, value] { UserMoved(value); }); });
  SetTabStop(true);
  Initialize(parent);
}

QScrollBar* TScrollBar::Bar() const { return static_cast<QScrollBar*>(Widget()); }

bool TScrollBar::Store(int position, int min, int max) {
  if (max < min) throw EInvalidOperation("Scroll bar property out of range");
  const int clamped = std::clamp(position, min, max);
  const bool changed = clamped != position_;
  min_ = min;
  max_ = max;
  position_ = clamped;
  const QSignalBlocker quiet(Bar());
  Bar()->setRange(min_, max_);
  Bar()->setValue(position_);
  return changed;
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (Store(position, min, max)) Change();
}

void TScrollBar::LoadParams(int position, int min, int max) { Store(position, min, max); }

void TScrollBar::UserMoved(int position) {
  if (position == position_) return;
  position_ = position;
  Change();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::ApplyColor() { ApplySystemColors(Widget()); }

}  // namespace halvorn
