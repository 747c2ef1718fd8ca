#include "platform/forms/PanelHostWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <optional>

#include "platform/forms/Application.h"

namespace halvorn {
namespace {

std::optional<TMouseButton> ToMouseButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return mbLeft;
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return std::nullopt;
  }
}

TShiftState ToShiftState(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  TShiftState state = 0;
  if (keys & Qt::ShiftModifier) state |= ssShift;
  if (keys & Qt::AltModifier) state |= ssAlt;
  if (keys & Qt::ControlModifier) state |= ssCtrl;
  if (buttons & Qt::LeftButton) state |= ssLeft;
  if (buttons & Qt::RightButton) state |= ssRight;
  if (buttons & Qt::MiddleButton) state |= ssMiddle;
  return state;
}

std::optional<Qt::CursorShape> ToCursorShape(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crArrow:
      return Qt::ArrowCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crNo:
      return Qt::ForbiddenCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return std::nullopt;
  }
}

}  // namespace

TPanelHostWidget::TPanelHostWidget() {
  // The surface covers every pixel, so Qt need not clear the background.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TPanelHostWidget::RequestPaint() {
  paintDue_ = true;
  update();
}

void TPanelHostWidget::PaintNow() {
  paintDue_ = true;
  repaint();
}

void TPanelHostWidget::ShowSurface() { update(); }

namespace {

TPanelSurface SurfaceOf(QImage& image) {
  if (image.isNull()) return {};
  return TPanelSurface{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                       image.height(), static_cast<int>(image.bytesPerLine())};
}

}  // namespace

TPanelSurface TPanelHostWidget::Surface() { return SurfaceOf(surface_); }

TPanelSurface TPanelHostWidget::BackSurface() {
  if (surface_.isNull()) return {};
  if (back_.size() != surface_.size()) back_ = QImage(surface_.size(), surface_.format());
  return SurfaceOf(back_);
}

void TPanelHostWidget::SetCursorId(TCursor cursor) {
  if (const auto shape = ToCursorShape(cursor))
    setCursor(*shape);
  else
    unsetCursor();
}

void TPanelHostWidget::paintEvent(QPaintEvent* event) {
  if (paintDue_ && client_) {
    paintDue_ = false;
    DispatchDeferred([this] { client_->Paint(); });
  }
  QPainter painter(this);
  painter.drawImage(event->rect(), surface_, event->rect());
}

void TPanelHostWidget::resizeEvent(QResizeEvent*) {
  surface_ = QImage(size(), QImage::Format_RGB32);
  surface_.fill(surfaceColor_);
  back_ = QImage();
  paintDue_ = true;
  if (client_) DispatchDeferred([this] { client_->Resized(width(), height()); });
}

void TPanelHostWidget::Press(QMouseEvent* event, TShiftState extra) {
  const auto button = ToMouseButton(event->button());
  if (!button) return;
  grabMouse();
  if (!client_) return;
  const TShiftState shift = ToShiftState(event->modifiers(), event->buttons()) | extra;
  const QPoint at = event->position().toPoint();
  Dispatch([&] { client_->MouseDown(*button, shift, at.x(), at.y()); });
}

void TPanelHostWidget::mousePressEvent(QMouseEvent* event) { Press(event, 0); }

void TPanelHostWidget::mouseDoubleClickEvent(QMouseEvent* event) { Press(event, ssDouble); }

bool TPanelHostWidget::Receives(const QPoint& position) const {
  return QWidget::mouseGrabber() == this || rect().contains(position);
}

void TPanelHostWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!client_ || !Receives(at)) return;
  const TShiftState shift = ToShiftState(event->modifiers(), event->buttons());
  Dispatch([&] { client_->MouseMove(shift, at.x(), at.y()); });
}

void TPanelHostWidget::mouseReleaseEvent(QMouseEvent* event) {
  const auto button = ToMouseButton(event->button());
  const QPoint at = event->position().toPoint();
  const bool receives = Receives(at);
  if (event->buttons() == Qt::NoButton && QWidget::mouseGrabber() == this) releaseMouse();
  if (!button || !client_ || !receives) return;
  const TShiftState shift = ToShiftState(event->modifiers(), event->buttons());
  Dispatch([&] { client_->MouseUp(*button, shift, at.x(), at.y()); });
}

void TPanelHostWidget::wheelEvent(QWheelEvent* event) {
  event->accept();
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / kWheelDelta;
  wheelRemainder_ -= notches * kWheelDelta;
  if (!client_ || notches == 0) return;
  const TShiftState shift = ToShiftState(event->modifiers(), event->buttons());
  const QPoint at = event->position().toPoint();
  const int delta = notches > 0 ? kWheelDelta : -kWheelDelta;
  Dispatch([&] {
    for (int i = 0; i < std::abs(notches); ++i) client_->MouseWheel(shift, delta, at.x(), at.y());
  });
}

void TPanelHostWidget::leaveEvent(QEvent*) {
  if (client_) Dispatch([this] { client_->MouseLeave(); });
}

}  // namespace halvorn
