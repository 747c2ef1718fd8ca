#pragma once
// A bar that fills from the left as a long computation advances: Position
// within [Min, Max]. It takes no focus and no input.

#include "platform/forms/Control.h"

class QProgressBar;

namespace halvorn {

class TProgressBar : public TWinControl {
 public:
  TProgressBar(TComponent* owner, TWinControl* parent);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  // Position is clamped into the range; a Max below Min is refused with
  // EInvalidOperation and changes nothing.
  void SetRange(int min, int max);
  void SetPosition(int position);

 protected:
  // The bar has the system's colours (the fill is the highlight colour).
  void ApplyColor() override;

 private:
  QProgressBar* Bar() const;
  void Store(int position, int min, int max);

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace halvorn
