#pragma once
// The state of one mouse drag on the chart: the zoom rubber band or a pan.

namespace halvorn {

class TZoomPanningRecord {
 public:
  void Activate(int x, int y) {
    StartX = CurrentX = x;
    StartY = CurrentY = y;
    Dragging = true;
  }
  void Deactivate() { Dragging = false; }

  int StartX = 0;
  int StartY = 0;
  // The other corner: the current or last mouse position.
  int CurrentX = 0;
  int CurrentY = 0;
  bool Dragging = false;
};

}  // namespace halvorn
