#pragma once
// The colour gradient a chart panel can paint as its background.

#include "chart/ChartCanvas.h"
#include "chart/StoreIfChanged.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Colors.h"

namespace halvorn {

class TChartGradient {
 public:
  explicit TChartGradient(TNotifyChange ownerChanged) : ownerChanged_(std::move(ownerChanged)) {}
  TChartGradient(const TChartGradient&) = delete;
  TChartGradient& operator=(const TChartGradient&) = delete;

  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection direction) {
    if (StoreIfChanged(direction_, direction)) Changed();
  }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor color) {
    if (StoreIfChanged(endColor_, color)) Changed();
  }
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor color) {
    if (StoreIfChanged(startColor_, color)) Changed();
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) {
    if (StoreIfChanged(visible_, visible)) Changed();
  }

 private:
  void Changed() const {
    if (ownerChanged_) ownerChanged_();
  }

  TNotifyChange ownerChanged_;
  TGradientDirection direction_ = gdTopBottom;
  TColor endColor_ = clYellow;
  TColor startColor_ = clWhite;
  bool visible_ = false;
};

}  // namespace halvorn
