#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/forms/Form.h"

namespace halvorn {

void PlaceBesideOwner(TForm& window, int x, int y) {
  const auto* owner = dynamic_cast<const TForm*>(window.Owner());
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!owner || !screen) return;
  const QRect area = screen->availableGeometry();
  const QPoint origin = owner->Widget()->mapToGlobal(QPoint(x, y));
  const int left =
      std::clamp(origin.x(), area.left(), std::max(area.left(), area.right() - window.Width()));
  const int top =
      std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() - window.Height()));
  window.SetBounds(left, top, window.Width(), window.Height());
}

}  // namespace halvorn
