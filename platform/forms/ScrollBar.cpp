#include "platform/forms/ScrollBar.h"

#include <QApplication>
#include <QBasicTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/QtBridge.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

// The keyboard of a native horizontal scroll bar: Left and Up step down,
// Right and Down step up, the page keys page, Home and End go to the ends.
// Qt's own mapping inverts the arrow keys of scroll bars. The wheel is left
// to the window, as a native scroll bar control does not take it.
//
// A scroll bar with the keyboard focus shows it as the classic control
// does: its thumb is drawn inverted, blinking at the caret's rate.
class TScrollBarWidget : public QScrollBar {
 public:
  TScrollBarWidget() : QScrollBar(Qt::Horizontal) {}

  // The thumb shows the focus now (it is inverted).
  bool FocusShown() const { return hasFocus() && blinkOn_; }

 protected:
  void focusInEvent(QFocusEvent* event) override {
    QScrollBar::focusInEvent(event);
    blinkOn_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0) blink_.start(flash / 2, this);
    update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QScrollBar::focusOutEvent(event);
    blink_.stop();
    update();
  }
  void timerEvent(QTimerEvent* event) override {
    if (event->timerId() != blink_.timerId()) return QScrollBar::timerEvent(event);
    blinkOn_ = !blinkOn_;
    update();
  }
  void paintEvent(QPaintEvent* event) override {
    QScrollBar::paintEvent(event);
    if (!FocusShown()) return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    QPainter p(this);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(thumb, Qt::white);
  }

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

 private:
  QBasicTimer blink_;
  bool blinkOn_ = false;
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
