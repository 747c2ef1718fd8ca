#include "platform/forms/ProgressBar.h"

#include <QProgressBar>
#include <algorithm>

#include "platform/forms/QtBridge.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

TProgressBar::TProgressBar(TComponent* owner, TWinControl* parent)
    : TWinControl(owner, new QProgressBar, /*takesFocusOnClick=*/false) {
  // The classic bar shows no percentage; whoever needs the figure writes it
  // beside the bar.
  Bar()->setTextVisible(false);
  Store(position_, min_, max_);
  Initialize(parent);
}

QProgressBar* TProgressBar::Bar() const { return static_cast<QProgressBar*>(Widget()); }

void TProgressBar::SetRange(int min, int max) { Store(position_, min, max); }

void TProgressBar::SetPosition(int position) { Store(position, min_, max_); }

void TProgressBar::Store(int position, int min, int max) {
  if (max < min) throw EInvalidOperation("Progress bar property out of range");
  min_ = min;
  max_ = max;
  position_ = std::clamp(position, min, max);
  Bar()->setRange(min_, max_);
  Bar()->setValue(position_);
}

void TProgressBar::ApplyColor() { ApplySystemColors(Widget()); }

}  // namespace halvorn
