#pragma once
// Where a window of the program opens: at a point of its owner's client
// area, moved as little as needed to lie on the screen.

namespace halvorn {

class TForm;

// The main window's controls end left of this column of its client area;
// the windows it opens go to their right.
inline constexpr int kOwnerControlsRight = 889;

// Places `window` at (x, y) of its owner form's client area, kept within the
// primary screen's available area; leaves it where it is without an owner
// form or a screen.
void PlaceBesideOwner(TForm& window, int x, int y);

}  // namespace halvorn
