#pragma once
// A horizontal scroll bar used as a slider: an integer Position within
// [Min, Max]. A line step (arrow buttons, arrow keys) and a page step (a
// click in the trough, Page Up and Page Down) move it by 1; Home and End move
// it to Min and Max; dragging the thumb moves it to every tracked position.
//
// OnChange runs after every change of Position, whether made by the user or
// by the program, and never when the value stays the same. A change made by
// the user is dispatched as an event; one made by the program calls OnChange
// directly, so its exception goes to the program's caller.

#include "platform/forms/Control.h"

class QScrollBar;

namespace halvorn {

class TScrollBar : public TWinControl {
 public:
  TScrollBar(TComponent* owner, TWinControl* parent);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  // Each of these clamps Position into the range and raises OnChange when
  // Position changed. A Max below Min is refused with EInvalidOperation and
  // changes nothing.
  void SetMin(int min) { SetParams(position_, min, max_); }
  void SetMax(int max) { SetParams(position_, min_, max); }
  void SetPosition(int position) { SetParams(position, min_, max_); }
  void SetParams(int position, int min, int max);
  // The same, without OnChange: for applying a layout, when no handler may
  // run yet.
  void LoadParams(int position, int min, int max);

  TNotifyEvent OnChange;

 protected:
  // The scroll bar has the system's colours, not its parent's.
  void ApplyColor() override;

 private:
  QScrollBar* Bar() const;
  // Stores and shows the values; true when Position changed.
  bool Store(int position, int min, int max);
  void Change();
  void UserMoved(int position);

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace halvorn
