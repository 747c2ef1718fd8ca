#include "chart/ChartAxis.h"

#include <cmath>
#include <cstdint>

#include "chart/CustomAxisPanel.h"
#include "platform/FloatOps.h"

namespace halvorn {

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool onFarSide,
                                   bool depth)
    : chart_(&chart), horizontal_(horizontal), onFarSide_(onFarSide), depth_(depth) {
  chart.RegisterAxis(*this);
}

TCustomChartAxis::~TCustomChartAxis() { chart_->UnregisterAxis(*this); }

void TCustomChartAxis::SetInverted(bool inverted) {
  if (inverted == inverted_) return;
  inverted_ = inverted;
  chart_->Invalidate();
}

void TCustomChartAxis::SetStartPosition(double percent) {
  if (percent == startPosition_) return;
  startPosition_ = percent;
  chart_->Invalidate();
}

void TCustomChartAxis::SetEndPosition(double percent) {
  if (percent == endPosition_) return;
  endPosition_ = percent;
  chart_->Invalidate();
}

void TCustomChartAxis::SetRange(double min, double max) {
  rangeMin_ = min;
  rangeMax_ = max;
  rangeSize_ = max - min;
}

void TCustomChartAxis::SetPixels(int start, int end) {
  startPixel_ = start;
  endPixel_ = end;
  spanPixels_ = end - start;
  centerPixel_ = (start + end) / 2;
}

void TCustomChartAxis::RecalcPixelSpan() {
  const int origin = horizontal_ ? chart_->ChartRect().Left : chart_->ChartRect().Top;
  const Extended extent = horizontal_ ? chart_->ChartRectWidth() : chart_->ChartRectHeight();
  SetPixels(origin + static_cast<int>(Round(extent * 0.01L * startPosition_)),
            origin + static_cast<int>(Round(extent * 0.01L * endPosition_)));
}

int TCustomChartAxis::ValueToPixel(double value) const {
  return horizontal_ ? ValueToPixelX(value) : ValueToPixelY(value);
}

int TCustomChartAxis::LinearPixel(double value, bool fromEnd) const {
  if (rangeSize_ == 0) return centerPixel_;
  // The offset is formed in extended precision and stored as a double; an
  // offset that no pixel can hold (or a NaN) lands on the centre.
  const double t =
      static_cast<double>((static_cast<Extended>(value) - rangeMin_) * spanPixels_ / rangeSize_);
  if (!(std::fabs(t) < 2147483647.0)) return centerPixel_;
  const std::int64_t offset = Round(t);
  return static_cast<int>(fromEnd ? endPixel_ - offset : startPixel_ + offset);
}

double TCustomChartAxis::PixelToValue(int pixel) const {
  if (spanPixels_ < 1) return 0;
  const Extended d = inverted_ ? static_cast<Extended>(endPixel_) - pixel
                               : static_cast<Extended>(pixel) - startPixel_;
  const Extended v = d * rangeSize_ / spanPixels_;
  return static_cast<double>(horizontal_ ? rangeMin_ + v : rangeMax_ - v);
}

}  // namespace halvorn
