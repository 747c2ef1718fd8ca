#pragma once
// Where a window of the program opens: beside its owner's controls where the
// screen has room, otherwise where it covers the least of them.

#include "platform/runtime/Types.h"

namespace halvorn {

class TForm;

// The main window's controls lie left of this column and above this row of
// its client area; the windows it opens go to their right where they can.
inline constexpr int kOwnerControlsRight = 889;
inline constexpr int kOwnerControlsBottom = 703;

// The top left corner for a window of `size` within `area` (both in screen
// coordinates): `preferred` moved as little as needed to lie in the area,
// unless another corner covers less of `keep`. The candidates are the
// preferred corner and the ones that put the window against an edge of the
// area or of `keep`; among those covering equally little, the one nearest
// the preferred wins.
TPoint LeastCoveringPlace(const TRect& area, const TRect& keep, TSize size, TPoint preferred);

// Places `window` at (x, y) of its owner form's client area, or where it
// covers least of the owner's controls, within the primary screen's
// available area; leaves it where it is without an owner form or a screen.
void PlaceBesideOwner(TForm& window, int x, int y);

}  // namespace halvorn
