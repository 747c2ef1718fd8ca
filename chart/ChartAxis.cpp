#include "chart/ChartAxis.h"

#include "chart/AxisPainter.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/FloatOps.h"

namespace halvorn {

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool onFarSide,
                                   bool depth, int titleAngle)
    : chart_(&chart),
      horizontal_(horizontal),
      onFarSide_(onFarSide),
      depth_(depth),
      axisPen_(ChangeHandler()),
      grid_(ChangeHandler()),
      minorGrid_(ChangeHandler()),
      minorTicks_(ChangeHandler()),
      ticks_(ChangeHandler()),
      ticksInner_(ChangeHandler()),
      defaultTitleAngle_(titleAngle),
      title_(*this, titleAngle) {
  InitDefaultChartFont(labelsFont_, ChangeHandler());
  chart.RegisterAxis(*this);
}

TCustomChartAxis::~TCustomChartAxis() { chart_->UnregisterAxis(*this); }

void TCustomChartAxis::Changed() const { chart_->Invalidate(); }

// --- Settings ------------------------------------------------------------------

void TCustomChartAxis::SetAutomatic(bool v) {
  if (automatic_ == v && automaticMinimum_ == v && automaticMaximum_ == v) return;
  automatic_ = automaticMinimum_ = automaticMaximum_ = v;
  Changed();
}

void TCustomChartAxis::SetAutomaticMaximum(bool v) {
  if (!StoreIfChanged(automaticMaximum_, v)) return;
  automatic_ = v && automaticMinimum_;
  Changed();
}

void TCustomChartAxis::SetAutomaticMinimum(bool v) {
  if (!StoreIfChanged(automaticMinimum_, v)) return;
  automatic_ = v && automaticMaximum_;
  Changed();
}

void TCustomChartAxis::SetMaximum(double v) {
  if (v < minimum_) throw AxisException("Axis Maximum Value must be >= Minimum");
  if (StoreIfChanged(maximum_, v)) Changed();
}

void TCustomChartAxis::SetMinimum(double v) {
  if (v > maximum_) throw AxisException("Axis Minimum Value must be <= Maximum");
  if (StoreIfChanged(minimum_, v)) Changed();
}

void TCustomChartAxis::SetIncrement(double v) {
  if (v < 0) throw AxisException("Axis increment must be >= 0");
  if (StoreIfChanged(increment_, v)) Changed();
}

void TCustomChartAxis::SetLogarithmic(bool v) {
  if (v) {
    if (SeriesDataIsDateTime()) throw AxisException("DateTime Axis cannot be Logarithmic");
    // The logarithm of the range ends must exist.
    if (RangeMin() < 0 || RangeMax() < 0)
      throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
  }
  if (StoreIfChanged(logarithmic_, v)) Changed();
}

void TCustomChartAxis::SetLogarithmicBase(int v) {
  if (v < 2) throw AxisException("Axis Logarithmic Base should be >= 2");
  if (StoreIfChanged(logarithmicBase_, v)) Changed();
}

void TCustomChartAxis::SetLabelsAngle(int degrees) {
  CheckAxisAngle(degrees, "Axis Labels");
  if (StoreIfChanged(labelsAngle_, degrees)) Changed();
}

void TCustomChartAxis::SetLabelsSeparation(int v) {
  if (v < 0) throw AxisException("Labels Separation % must be greater than 0");
  if (StoreIfChanged(labelsSeparation_, v)) Changed();
}

void TCustomChartAxis::SetInverted(bool v) {
  if (StoreIfChanged(inverted_, v)) Changed();
}
void TCustomChartAxis::SetStartPosition(double percent) {
  if (StoreIfChanged(startPosition_, percent)) Changed();
}
void TCustomChartAxis::SetEndPosition(double percent) {
  if (StoreIfChanged(endPosition_, percent)) Changed();
}
void TCustomChartAxis::SetPositionPercent(double percent) {
  if (StoreIfChanged(positionPercent_, percent)) Changed();
}
void TCustomChartAxis::SetLabels(bool v) {
  if (StoreIfChanged(labels_, v)) Changed();
}
void TCustomChartAxis::SetLabelsMultiLine(bool v) {
  if (StoreIfChanged(labelFormat_.MultiLine, v)) Changed();
}
void TCustomChartAxis::SetLabelsOnAxis(bool v) {
  if (StoreIfChanged(labelsOnAxis_, v)) Changed();
}
void TCustomChartAxis::SetLabelsSize(int v) {
  if (StoreIfChanged(labelsSize_, v)) Changed();
}
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle v) {
  if (StoreIfChanged(labelStyle_, v)) Changed();
}
void TCustomChartAxis::SetRoundFirstLabel(bool v) {
  if (StoreIfChanged(roundFirstLabel_, v)) Changed();
}
void TCustomChartAxis::SetAxisValuesFormat(const std::string& v) {
  if (StoreIfChanged(labelFormat_.ValuesFormat, v)) Changed();
}
void TCustomChartAxis::SetDateTimeFormat(const std::string& v) {
  if (StoreIfChanged(labelFormat_.DateTimeFormat, v)) Changed();
}
void TCustomChartAxis::SetExactDateTime(bool v) {
  if (StoreIfChanged(exactDateTime_, v)) Changed();
}
void TCustomChartAxis::SetGridCentered(bool v) {
  if (StoreIfChanged(gridCentered_, v)) Changed();
}
void TCustomChartAxis::SetMinorTickCount(int v) {
  if (StoreIfChanged(minorTickCount_, v)) Changed();
}
void TCustomChartAxis::SetMinorTickLength(int v) {
  if (StoreIfChanged(minorTickLength_, v)) Changed();
}
void TCustomChartAxis::SetTickInnerLength(int v) {
  if (StoreIfChanged(tickInnerLength_, v)) Changed();
}
void TCustomChartAxis::SetTickLength(int v) {
  if (StoreIfChanged(tickLength_, v)) Changed();
}
void TCustomChartAxis::SetTickOnLabelsOnly(bool v) {
  if (StoreIfChanged(tickOnLabelsOnly_, v)) Changed();
}
void TCustomChartAxis::SetTitleSize(int v) {
  if (StoreIfChanged(titleSize_, v)) Changed();
}
void TCustomChartAxis::SetVisible(bool v) {
  if (StoreIfChanged(visible_, v)) Changed();
}

// --- Working state ---------------------------------------------------------------

bool TCustomChartAxis::SeriesDataIsDateTime() const {
  for (const TChartSeries* series : chart_->SeriesList())
    if (series->Active() && series->UsesAxis(*this))
      return (horizontal_ ? series->XValues() : series->YValues()).DateTime();
  return false;
}

void TCustomChartAxis::RecalcPixelSpan() {
  const int origin = horizontal_ ? chart_->ChartRect().Left : chart_->ChartRect().Top;
  const Extended extent = horizontal_ ? chart_->ChartRectWidth() : chart_->ChartRectHeight();
  scale_.SetPixels(origin + static_cast<int>(Round(extent * 0.01L * startPosition_)),
                   origin + static_cast<int>(Round(extent * 0.01L * endPosition_)));
}

void TCustomChartAxis::UpdateRangeFromSeries() {
  if (automatic_ || automaticMaximum_) maximum_ = chart_->AxisDataExtreme(*this, false);
  if (automatic_ || automaticMinimum_) minimum_ = chart_->AxisDataExtreme(*this, true);
  scale_.SetRange(minimum_, maximum_);
}

void TCustomChartAxis::WidenRangeForMargins(const TRect& margins) {
  const int nearSide = horizontal_ ? margins.Left : margins.Top;
  const int farSide = horizontal_ ? margins.Right : margins.Bottom;
  scale_ = scale_.WidenedBy(nearSide, farSide, horizontal_, inverted_);
  RecalcPixelSpan();
}

bool TCustomChartAxis::FixLimits(TAxisLimits limits) {
  const bool minChanged = StoreIfChanged(minimum_, limits.Min);
  const bool maxChanged = StoreIfChanged(maximum_, limits.Max);
  return minChanged || maxChanged;
}

void TCustomChartAxis::SetValueRange(double min, double max) {
  automatic_ = automaticMinimum_ = automaticMaximum_ = false;
  if (FixLimits(TAxisLimits{min, max}.Valid())) Changed();
}

void TCustomChartAxis::Scroll(double delta, bool guarded) {
  if (guarded) {
    if (delta > 0 && !(chart_->AxisDataExtreme(*this, false) > maximum_)) return;
    if (delta < 0 && !(chart_->AxisDataExtreme(*this, true) < minimum_)) return;
  }
  automatic_ = automaticMaximum_ = automaticMinimum_ = false;
  // The caller repaints at once.
  FixLimits(TAxisLimits{minimum_, maximum_}.Shifted(delta));
}

// --- Labels ----------------------------------------------------------------------

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const {
  if (labelStyle_ != talAuto) return labelStyle_;
  TAxisLabelStyle result = talNone;
  for (const TChartSeries* series : chart_->SeriesList()) {
    if (!series->Active() || !series->UsesAxis(*this)) continue;
    result = talValue;
    // Point labels sit along the axis of the series' X values, the
    // horizontal one.
    if (horizontal_ && !depth_ && series->PointCount() > 0 && !series->PointLabel(0).empty())
      return talText;
  }
  return result;
}

double TCustomChartAxis::LabelStep() { return TAxisPainter(*this).LabelStep(); }

double TCustomChartAxis::LabelStepForSize(int size) const {
  return LabelStepForCount(LabelCountForSize(SpanPixels(), size, labelsSeparation_));
}

double TCustomChartAxis::LabelStepForCount(int count) const {
  return halvorn::LabelStepForCount(RangeSize(), count, increment_, labelsSeparation_);
}

std::vector<double> TCustomChartAxis::LabelValues(double step) {
  if (!chart_->OnGetNextAxisLabel)
    return halvorn::LabelValues(RangeMin(), RangeMax(), step, roundFirstLabel_);
  std::vector<double> values;
  if (!(step > 0) || FLess(RangeMax(), RangeMin())) return values;
  for (int index = 0; index <= kMaxAxisTicks; ++index) {
    double value = 0;
    bool stop = true;
    chart_->OnGetNextAxisLabel(*this, index, value, stop);
    if (stop) break;
    values.push_back(value);
  }
  return values;
}

std::string TCustomChartAxis::LabelText(double value) {
  std::string text = labelFormat_.Number(value);
  if (chart_->OnGetAxisLabel) chart_->OnGetAxisLabel(*this, nullptr, -1, text);
  return labelFormat_.Lines(std::move(text));
}

// --- Layout and drawing ------------------------------------------------------------

void TCustomChartAxis::ClaimSpace(TRect& rect, bool inflate) {
  showsDateTime_ = SeriesDataIsDateTime();
  TAxisPainter(*this).ClaimSpace(rect, inflate, chart_->AxisWallSize(*this));
}

void TCustomChartAxis::DrawAxis(bool setLinePos) {
  showsDateTime_ = SeriesDataIsDateTime();
  TAxisPainter(*this).DrawAxis(setLinePos);
}

void TCustomChartAxis::DrawAxisText(int x, int y, std::string_view text, int angle) {
  TAxisPainter(*this).DrawAxisText(x, y, text, angle);
}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel& chart)
    : TCustomChartAxis(chart, false, true, true) {
  InitVisible(false);
}

}  // namespace halvorn
