#pragma once
// The scale of an axis: its working value range and its pixel interval, and
// the only mapping between data values and pixels. A value type, so that the
// margins' widening can work on a copy.

#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/runtime/FloatOps.h"

namespace halvorn {

class TAxisScale {
 public:
  // RangeSize is always RangeMax - RangeMin; RangeMin may exceed RangeMax
  // for a moment (one side fixed, the other following the data).
  double RangeMin() const { return rangeMin_; }
  double RangeMax() const { return rangeMax_; }
  double RangeSize() const { return rangeSize_; }
  void SetRange(double min, double max) {
    rangeMin_ = min;
    rangeMax_ = max;
    rangeSize_ = max - min;
  }

  // Pixels along the axis: x for a horizontal axis, y for a vertical one.
  int StartPixel() const { return startPixel_; }
  int EndPixel() const { return endPixel_; }
  int SpanPixels() const { return spanPixels_; }
  int CenterPixel() const { return centerPixel_; }
  void SetPixels(int start, int end) {
    startPixel_ = start;
    endPixel_ = end;
    spanPixels_ = end - start;
    centerPixel_ = (start + end) / 2;
  }

  // The pixel of a value, measured from the start or (fromEnd) from the end
  // of the interval. A zero range, or an offset beyond the 32-bit range (or
  // not a number), maps to CenterPixel.
  int ValueToPixel(double value, bool fromEnd) const {
    if (rangeSize_ == 0) return centerPixel_;
    // Formed in extended precision and stored as a double.
    const double t =
        static_cast<double>((static_cast<Extended>(value) - rangeMin_) * spanPixels_ / rangeSize_);
    if (!(std::fabs(t) < 2147483647.0)) return centerPixel_;
    const std::int64_t offset = Round(t);
    return static_cast<int>(fromEnd ? endPixel_ - offset : startPixel_ + offset);
  }
  // Larger values to the right unless inverted, and higher on the screen
  // unless inverted.
  int ValueToPixelX(double value, bool inverted) const { return ValueToPixel(value, inverted); }
  int ValueToPixelY(double value, bool inverted) const { return ValueToPixel(value, !inverted); }

  // The value at a pixel; 0 while the interval is shorter than one pixel.
  double PixelToValue(int pixel, bool horizontal, bool inverted) const {
    if (spanPixels_ < 1) return 0;
    const Extended d = inverted ? static_cast<Extended>(endPixel_) - pixel
                                : static_cast<Extended>(pixel) - startPixel_;
    const Extended v = d * rangeSize_ / spanPixels_;
    return static_cast<double>(horizontal ? rangeMin_ + v : rangeMax_ - v);
  }

  // The range that puts the current range's ends nearMargin and farMargin
  // pixels inside the interval's ends, ordered low to high: the values at
  // the ends, mapped through the interval shrunk by the margins. A zero range
  // stays zero; an interval shrunk below one pixel gives 0 to 0.
  [[nodiscard]] TAxisScale WidenedBy(int nearMargin, int farMargin, bool horizontal,
                                     bool inverted) const {
    TAxisScale shrunk = *this;
    shrunk.SetPixels(startPixel_ + nearMargin, endPixel_ - farMargin);
    double low = shrunk.PixelToValue(startPixel_, horizontal, inverted);
    double high = shrunk.PixelToValue(endPixel_, horizontal, inverted);
    if (FLess(high, low)) std::swap(low, high);
    TAxisScale widened = *this;
    widened.SetRange(low, high);
    return widened;
  }

 private:
  double rangeMin_ = 0;
  double rangeMax_ = 0;
  double rangeSize_ = 0;
  int startPixel_ = 0;
  int endPixel_ = 0;
  int spanPixels_ = 0;
  int centerPixel_ = 0;
};

// The limits of a fixed range, as a zoom, a pan, the wheel or an undo sets
// them on an axis (its Minimum and Maximum).
struct TAxisLimits {
  // The narrowest range a zoom or pan leaves: zooming into one pixel column,
  // or into an empty chart, still gives a usable mapping.
  static constexpr double kMinWidth = 1e-10;

  // Ordered low to high and at least kMinWidth wide, the maximum moving up:
  // the range a zoom, pan or undo fixes.
  [[nodiscard]] TAxisLimits Valid() const {
    TAxisLimits r = FLess(Max, Min) ? TAxisLimits{Max, Min} : *this;
    if (r.Max - r.Min < kMinWidth) r.Max = r.Min + kMinWidth;
    return r;
  }
  // Both limits moved by delta, as the wheel scrolls: the order and width
  // stay as they were, so a range of one value (an empty or flat series)
  // stays centred on its one value.
  [[nodiscard]] TAxisLimits Shifted(double delta) const { return {Min + delta, Max + delta}; }

  double Min = 0;
  double Max = 0;
};

}  // namespace halvorn
