#include "chart/ChartAxis.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "platform/FloatOps.h"

namespace halvorn {

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool onFarSide,
                                   bool depth, int titleAngle)
    : chart_(&chart),
      horizontal_(horizontal),
      onFarSide_(onFarSide),
      depth_(depth),
      axisPen_(ChartInvalidator()),
      grid_(ChartInvalidator()),
      minorGrid_(ChartInvalidator()),
      minorTicks_(ChartInvalidator()),
      ticks_(ChartInvalidator()),
      ticksInner_(ChartInvalidator()),
      defaultTitleAngle_(titleAngle),
      title_(*this, titleAngle) {
  InitDefaultChartFont(labelsFont_, ChartInvalidator());
  chart.RegisterAxis(*this);
}

TCustomChartAxis::~TCustomChartAxis() { chart_->UnregisterAxis(*this); }

TNotifyChange TCustomChartAxis::ChartInvalidator() {
  return [this] { chart_->Invalidate(); };
}

template <typename T>
void TCustomChartAxis::Store(T& field, const T& value) {
  if (field == value) return;
  field = value;
  chart_->Invalidate();
}

void TCustomChartAxis::SetAutomatic(bool v) {
  if (automatic_ == v && automaticMinimum_ == v && automaticMaximum_ == v) return;
  automatic_ = automaticMinimum_ = automaticMaximum_ = v;
  chart_->Invalidate();
}

void TCustomChartAxis::SetAutomaticMaximum(bool v) {
  if (v == automaticMaximum_) return;
  automaticMaximum_ = v;
  automatic_ = v && automaticMinimum_;
  chart_->Invalidate();
}

void TCustomChartAxis::SetAutomaticMinimum(bool v) {
  if (v == automaticMinimum_) return;
  automaticMinimum_ = v;
  automatic_ = v && automaticMaximum_;
  chart_->Invalidate();
}

void TCustomChartAxis::SetMaximum(double v) {
  if (v < minimum_) throw AxisException("Axis Maximum Value must be >= Minimum");
  Store(maximum_, v);
}

void TCustomChartAxis::SetMinimum(double v) {
  if (v > maximum_) throw AxisException("Axis Minimum Value must be <= Maximum");
  Store(minimum_, v);
}

void TCustomChartAxis::SetIncrement(double v) {
  if (v < 0) throw AxisException("Axis increment must be >= 0");
  Store(increment_, v);
}

void TCustomChartAxis::SetInverted(bool v) { Store(inverted_, v); }

void TCustomChartAxis::SetLogarithmic(bool v) {
  if (v) {
    if (SeriesDataIsDateTime()) throw AxisException("DateTime Axis cannot be Logarithmic");
    // The logarithm of the range ends must exist.
    if (rangeMin_ < 0 || rangeMax_ < 0)
      throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
  }
  Store(logarithmic_, v);
}

void TCustomChartAxis::SetLogarithmicBase(int v) {
  if (v < 2) throw AxisException("Axis Logarithmic Base should be >= 2");
  Store(logarithmicBase_, v);
}

void TCustomChartAxis::SetStartPosition(double percent) { Store(startPosition_, percent); }
void TCustomChartAxis::SetEndPosition(double percent) { Store(endPosition_, percent); }
void TCustomChartAxis::SetPositionPercent(double percent) { Store(positionPercent_, percent); }

void TCustomChartAxis::SetLabels(bool v) { Store(labels_, v); }

void TCustomChartAxis::SetLabelsAngle(int degrees) {
  CheckAxisAngle(degrees, "Axis Labels");
  Store(labelsAngle_, degrees);
}

void TCustomChartAxis::SetLabelsMultiLine(bool v) { Store(labelsMultiLine_, v); }
void TCustomChartAxis::SetLabelsOnAxis(bool v) { Store(labelsOnAxis_, v); }

void TCustomChartAxis::SetLabelsSeparation(int v) {
  if (v < 0) throw AxisException("Labels Separation % must be greater than 0");
  Store(labelsSeparation_, v);
}

void TCustomChartAxis::SetLabelsSize(int v) { Store(labelsSize_, v); }
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle v) { Store(labelStyle_, v); }
void TCustomChartAxis::SetRoundFirstLabel(bool v) { Store(roundFirstLabel_, v); }
void TCustomChartAxis::SetAxisValuesFormat(const std::string& v) { Store(axisValuesFormat_, v); }
void TCustomChartAxis::SetDateTimeFormat(const std::string& v) { Store(dateTimeFormat_, v); }
void TCustomChartAxis::SetExactDateTime(bool v) { Store(exactDateTime_, v); }

void TCustomChartAxis::SetGridCentered(bool v) { Store(gridCentered_, v); }
void TCustomChartAxis::SetMinorTickCount(int v) { Store(minorTickCount_, v); }
void TCustomChartAxis::SetMinorTickLength(int v) { Store(minorTickLength_, v); }
void TCustomChartAxis::SetTickInnerLength(int v) { Store(tickInnerLength_, v); }
void TCustomChartAxis::SetTickLength(int v) { Store(tickLength_, v); }
void TCustomChartAxis::SetTickOnLabelsOnly(bool v) { Store(tickOnLabelsOnly_, v); }

void TCustomChartAxis::SetTitleSize(int v) { Store(titleSize_, v); }
void TCustomChartAxis::SetVisible(bool v) { Store(visible_, v); }

bool TCustomChartAxis::SeriesDataIsDateTime() const {
  for (const TChartSeries* series : chart_->SeriesList())
    if (series->Active() && series->UsesAxis(*this))
      return (horizontal_ ? series->XValues() : series->YValues()).DateTime();
  return false;
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

void TCustomChartAxis::UpdateRangeFromSeries() {
  if (automatic_ || automaticMaximum_) maximum_ = chart_->AxisDataExtreme(*this, false);
  if (automatic_ || automaticMinimum_) minimum_ = chart_->AxisDataExtreme(*this, true);
  SetRange(minimum_, maximum_);
}

void TCustomChartAxis::WidenRangeForMargins(const TRect& margins) {
  const int nearSide = horizontal_ ? margins.Left : margins.Top;
  const int farSide = horizontal_ ? margins.Right : margins.Bottom;
  const int oldStart = startPixel_, oldEnd = endPixel_;
  startPixel_ += nearSide;
  endPixel_ -= farSide;
  spanPixels_ = endPixel_ - startPixel_;
  // The values at the old ends, mapped through the shrunk interval.
  double low = PixelToValue(oldStart);
  double high = PixelToValue(oldEnd);
  RecalcPixelSpan();
  if (FLess(high, low)) std::swap(low, high);
  SetRange(low, high);
}

void TCustomChartAxis::ClaimSpace(TRect&, bool) {}

void TCustomChartAxis::DrawAxis(bool) {}

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

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel& chart)
    : TCustomChartAxis(chart, false, true, true) {
  InitVisible(false);
}

}  // namespace halvorn
