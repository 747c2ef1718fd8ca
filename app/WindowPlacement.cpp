#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/forms/Form.h"

namespace halvorn {

TPoint LeastCoveringPlace(const TRect& area, const TRect& keep, TSize size, TPoint preferred) {
  const auto clampX = [&](int x) {
    return std::clamp(x, area.Left, std::max(area.Left, area.Right - size.cx));
  };
  const auto clampY = [&](int y) {
    return std::clamp(y, area.Top, std::max(area.Top, area.Bottom - size.cy));
  };
  const int xs[] = {preferred.X, area.Left, area.Right - size.cx, keep.Right, keep.Left - size.cx};
  const int ys[] = {preferred.Y, area.Top, area.Bottom - size.cy, keep.Bottom, keep.Top - size.cy};
  TPoint best{clampX(preferred.X), clampY(preferred.Y)};
  long long bestCovered = std::numeric_limits<long long>::max();
  int bestDistance = std::numeric_limits<int>::max();
  for (const int x0 : xs)
    for (const int y0 : ys) {
      const TPoint at{clampX(x0), clampY(y0)};
      const TRect covered = TRect{at.X, at.Y, at.X + size.cx, at.Y + size.cy}.Intersected(keep);
      const long long area = covered.Width() > 0 && covered.Height() > 0
                                 ? static_cast<long long>(covered.Width()) * covered.Height()
                                 : 0;
      const int distance = std::abs(at.X - preferred.X) + std::abs(at.Y - preferred.Y);
      if (area < bestCovered || (area == bestCovered && distance < bestDistance)) {
        best = at;
        bestCovered = area;
        bestDistance = distance;
      }
    }
  return best;
}

void PlaceBesideOwner(TForm& window, int x, int y) {
  const auto* owner = dynamic_cast<const TForm*>(window.Owner());
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!owner || !screen) return;
  const QRect available = screen->availableGeometry();
  // Right and bottom are exclusive.
  const TRect area{available.left(), available.top(), available.right() + 1,
                   available.bottom() + 1};
  const QPoint origin = owner->Widget()->mapToGlobal(QPoint(0, 0));
  const TRect keep{origin.x(), origin.y(), origin.x() + kOwnerControlsRight,
                   origin.y() + kOwnerControlsBottom};
  const TPoint at = LeastCoveringPlace(area, keep, TSize{window.Width(), window.Height()},
                                       TPoint{origin.x() + x, origin.y() + y});
  window.SetBounds(at.X, at.Y, window.Width(), window.Height());
}

}  // namespace halvorn
