#pragma once
// The colour gradient a chart panel can paint as its background.

#include "chart/ChartCanvas.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Colors.h"

namespace halvorn {

class TChartGradient {
 public:
  explicit TChartGradient(TNotifyChange ownerChanged) : ownerChanged_(std::move(ownerChanged)) {}
  TChartGradient(const TChartGradient&) = delete;
  TChartGradient& operator=(const TChartGradient&) = delete;

  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection direction) { Store(direction_, direction); }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor color) { Store(endColor_, color); }
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor color) { Store(startColor_, color); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Store(visible_, visible); }

 private:
  template <typename T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    if (ownerChanged_) ownerChanged_();
  }

  TNotifyChange ownerChanged_;
  TGradientDirection direction_ = gdTopBottom;
  TColor endColor_ = clYellow;
  TColor startColor_ = clWhite;
  bool visible_ = false;
};

}  // namespace halvorn
