#pragma once
// The Qt widget under a panel: it owns the retained window surface, runs the
// client's paint when one is due, shows the surface, and turns Qt's mouse
// events into the client's mouse calls. Internal to the forms library; see
// platform/PanelHost.h for the contract.

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/panel/PanelHost.h"

class QMouseEvent;

namespace halvorn {

class TPanelHostWidget : public QWidget {
 public:
  TPanelHostWidget();

  void SetClient(IPanelClient* client) { client_ = client; }
  IPanelClient* Client() const { return client_; }
  // The colour of a new surface, before the client has painted it.
  void SetSurfaceColor(const QColor& color) { surfaceColor_ = color; }

  void RequestPaint();
  void PaintNow();
  void ShowSurface();
  TPanelSurface Surface();
  TPanelSurface BackSurface();
  void FlipSurfaces() { surface_.swap(back_); }
  void SetCursorId(TCursor cursor);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Press(QMouseEvent* event, TShiftState extra);
  // Whether a move or release at this position is ours: always while this
  // widget holds the mouse capture, otherwise only over the widget, since
  // without capture the input belongs to the window under the mouse.
  bool Receives(const QPoint& position) const;

  IPanelClient* client_ = nullptr;
  QImage surface_;
  // The spare surface, made at the surface's size when first asked for.
  QImage back_;
  QColor surfaceColor_;
  // The next paint must run the client's Paint: something was requested, or
  // the surface is new. Otherwise a paint only shows the surface.
  bool paintDue_ = true;
  // Wheel movement short of a whole notch, kept for the next wheel event.
  int wheelRemainder_ = 0;
};

}  // namespace halvorn
