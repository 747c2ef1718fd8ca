#include "chart/ChartAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "chart/CanvasTools.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "platform/runtime/FloatFormat.h"
#include "platform/runtime/FloatOps.h"

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

void TCustomChartAxis::SetValueRange(double min, double max) {
  automatic_ = automaticMinimum_ = automaticMaximum_ = false;
  if (FLess(max, min)) std::swap(min, max);
  Store(minimum_, min);
  Store(maximum_, max);
  if (maximum_ - minimum_ < 1e-10) Store(maximum_, minimum_ + 1e-10);
}

void TCustomChartAxis::Scroll(double delta, bool guarded) {
  if (guarded) {
    if (delta > 0 && !(chart_->AxisDataExtreme(*this, false) > maximum_)) return;
    if (delta < 0 && !(chart_->AxisDataExtreme(*this, true) < minimum_)) return;
  }
  automatic_ = automaticMaximum_ = automaticMinimum_ = false;
  maximum_ += delta;
  minimum_ += delta;
}

// --- Label steps, values and texts -------------------------------------------

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

bool TCustomChartAxis::AngleAlongAxis(int angle) const {
  const bool level = angle == 0 || angle == 180;
  const bool upright = angle == 90 || angle == 270;
  return horizontal_ ? level : upright;
}

int TCustomChartAxis::LabelExtent(double value) {
  TChartCanvas3D& canvas = chart_->Canvas();
  const TMultiLineWidth m = MultiLineWidth(canvas, LabelText(value));
  // A label standing across the axis takes its line heights along it.
  const bool upright = labelsAngle_ == 90 || labelsAngle_ == 270;
  const bool level = labelsAngle_ == 0 || labelsAngle_ == 180;
  if (horizontal_ ? upright : level) return canvas.TextLineHeight() * m.Lines;
  return m.Width;
}

double TCustomChartAxis::LabelStep() {
  return LabelStepForSize(std::max(LabelExtent(rangeMin_), LabelExtent(rangeMax_)));
}

double TCustomChartAxis::LabelStepForSize(int size) const {
  std::int64_t count = 1;
  if (size > 0) {
    if (labelsSeparation_ > 0) size += static_cast<int>(Round(labelsSeparation_ * 0.01L * size));
    count = Round(static_cast<Extended>(spanPixels_) / size);
  }
  return LabelStepForCount(static_cast<int>(count));
}

double TCustomChartAxis::LabelStepForCount(int count) const {
  if (count < 1) return 1e-12;
  double step = increment_ > 0 ? increment_ : (std::fabs(rangeSize_) >= 1 ? 1.0 : 1e-12);
  if (labelsSeparation_ > 0) {
    std::int64_t n = static_cast<std::int64_t>(count) + 1;
    // An infinite range never fits; the growing step stops once it has
    // overflowed too.
    const auto grow = [](double x) {
      // A step that rounding brought back to itself would never fit.
      const double next = NextNiceStep(x);
      return next > x ? next : 2 * x;
    };
    while (n > count && std::isfinite(step)) {
      const double q = rangeSize_ / step;
      if (std::fabs(q) < 2147483647.0) {
        n = Round(q);
        if (n > count) step = grow(step);
      } else {
        step = grow(step);
      }
    }
  }
  return std::max(step, 1e-12);
}

double TCustomChartAxis::NextNiceStep(double x) {
  if (!(x > 0) || !std::isfinite(x)) return x;
  if (x >= 10) return static_cast<double>(10 * NextNiceStep(static_cast<double>(x * 0.1L)));
  if (x < 1) return static_cast<double>(0.1L * NextNiceStep(static_cast<double>(x * 10.0L)));
  if (x < 2) return 2;
  if (x < 5) return 5;
  return 10;
}

std::vector<double> TCustomChartAxis::LabelValues(double step) {
  std::vector<double> values;
  if (!(step > 0) || FLess(rangeMax_, rangeMin_)) return values;
  if (chart_->OnGetNextAxisLabel) {
    for (int index = 0; index <= kMaxAxisTicks; ++index) {
      double value = 0;
      bool stop = true;
      chart_->OnGetNextAxisLabel(*this, index, value, stop);
      if (stop) break;
      values.push_back(value);
    }
    return values;
  }
  if (!(std::fabs(rangeSize_ / step) < 10000)) return values;
  // The quotient is truncated in floating point: a range far beyond the
  // 64-bit integers still gets its labels.
  double v = rangeMin_ == rangeMax_ || !roundFirstLabel_
                 ? rangeMax_
                 : static_cast<double>(std::trunc(static_cast<Extended>(rangeMax_) / step) * step);
  // Near the limits of double precision a step may be too small to change
  // the value; the sequence then ends instead of repeating itself.
  while (v > rangeMax_) {
    const double next = v - step;
    if (!(next < v)) return values;
    v = next;
  }
  const double stop = static_cast<double>((rangeMin_ - 1e-12L) / 1.000000000001L);
  while (v >= stop) {
    values.push_back(v);
    const double next = v - step;
    if (!(next < v)) break;
    v = next;
  }
  return values;
}

std::string TCustomChartAxis::LabelText(double value) { return LabelText(value, true); }

std::string TCustomChartAxis::LabelText(double value, bool useHandler) {
  std::string text = FormatFloat(axisValuesFormat_, value);
  if (useHandler && chart_->OnGetAxisLabel) chart_->OnGetAxisLabel(*this, nullptr, -1, text);
  if (labelsMultiLine_) std::replace(text.begin(), text.end(), ' ', kLineSeparator);
  return text;
}

// --- Layout ----------------------------------------------------------------

int TCustomChartAxis::SideEdge(const TRect& rect) const {
  if (horizontal_) return onFarSide_ ? rect.Top : rect.Bottom;
  return onFarSide_ ? rect.Right : rect.Left;
}

void TCustomChartAxis::ShrinkSide(TRect& rect, int size) const {
  int& side =
      horizontal_ ? (onFarSide_ ? rect.Top : rect.Bottom) : (onFarSide_ ? rect.Right : rect.Left);
  // The near bottom and the far right move inward by decreasing.
  side += horizontal_ == onFarSide_ ? size : -size;
}

int TCustomChartAxis::Outward(int pos, int by) const {
  // Away from the plot: down from the bottom, up from the top, left of the
  // left side and right of the right side.
  const bool increasing = horizontal_ != onFarSide_;
  return increasing ? pos + by : pos - by;
}

int TCustomChartAxis::ShiftByPosition(int pos, const TRect& rect) const {
  if (positionPercent_ == 0) return pos;
  const int extent = horizontal_ ? rect.Bottom - rect.Top : rect.Right - rect.Left;
  std::int64_t offset = Round(positionPercent_ * 0.01L * extent);
  if (onFarSide_) offset = -offset;
  return static_cast<int>(horizontal_ ? pos - offset : pos + offset);
}

int TCustomChartAxis::Depth() const { return onFarSide_ ? chart_->Width3D() : 0; }

int TCustomChartAxis::TitleSizeAcross() {
  if (titleSize_ != 0) return titleSize_;
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, title_.Font());
  // A caption running along the axis takes one line across it.
  if (AngleAlongAxis(title_.Angle())) return canvas.TextLineHeight();
  return canvas.TextWidth(title_.Caption());
}

int TCustomChartAxis::LabelsSizeAcross() {
  if (labelsSize_ != 0) return labelsSize_;
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, labelsFont_);
  if (AngleAlongAxis(labelsAngle_)) return canvas.TextLineHeight();
  switch (EffectiveLabelStyle()) {
    case talValue:
      return ValueLabelWidth();
    case talText:
      return PointLabelsWidth();
    default:
      // Series in this engine carry no mark texts to measure.
      return 0;
  }
}

int TCustomChartAxis::ValueLabelWidth() {
  double low = rangeMin_, high = rangeMax_;
  if (roundFirstLabel_ || (showsDateTime_ && exactDateTime_)) {
    const double step = LabelStep();
    low = static_cast<double>(std::trunc(static_cast<Extended>(rangeMin_) / step) * step);
    high = static_cast<double>(std::trunc(static_cast<Extended>(rangeMax_) / step) * step);
  }
  // The measure is of the plain value texts, whatever the chart's label
  // hook would make of them.
  TChartCanvas3D& canvas = chart_->Canvas();
  const int width = std::max(MultiLineWidth(canvas, LabelText(low, false)).Width,
                             MultiLineWidth(canvas, LabelText(high, false)).Width);
  return width + canvas.TextWidth(" ");
}

int TCustomChartAxis::PointLabelsWidth() {
  TChartCanvas3D& canvas = chart_->Canvas();
  int width = 0;
  for (const TChartSeries* series : chart_->SeriesList()) {
    if (!series->Active() || !series->UsesAxis(*this)) continue;
    for (int i = 0; i < series->PointCount(); ++i)
      width = std::max(width, MultiLineWidth(canvas, series->PointLabel(i)).Width);
  }
  return width;
}

int TCustomChartAxis::TickSizeAcross() const {
  int size = (axisPen_.Visible() ? axisPen_.Width() : 0) + (ticks_.Visible() ? tickLength_ : 0);
  if (minorTicks_.Visible()) size = std::max(size, minorTickLength_);
  return size;
}

void TCustomChartAxis::ClaimSpace(TRect& rect, bool inflate) {
  showsDateTime_ = SeriesDataIsDateTime();
  const int tickSize = TickSizeAcross() + chart_->AxisWallSize(*this);
  if (!inflate) {
    axisLinePos_ = ShiftByPosition(SideEdge(rect), rect);
    labelsPos_ = Outward(axisLinePos_, tickSize);
    titlePos_ = Outward(labelsPos_, labels_ ? LabelsSizeAcross() : 0);
    return;
  }
  if (!title_.Caption().empty()) {
    ShrinkSide(rect, TitleSizeAcross());
    titlePos_ = depth_ ? rect.Right : SideEdge(rect);
  }
  if (labels_) {
    ShrinkSide(rect, LabelsSizeAcross());
    labelsPos_ = SideEdge(rect);
  }
  if (tickSize > 0) ShrinkSide(rect, tickSize);
  titlePos_ = ShiftByPosition(titlePos_, rect);
  labelsPos_ = ShiftByPosition(labelsPos_, rect);
}

// --- Drawing -----------------------------------------------------------------

void TCustomChartAxis::DrawAxisText(int x, int y, std::string_view text, int angle) {
  // Text alignment flags: right-top, left-top, centre-top, centre-bottom.
  static constexpr unsigned kAlign[] = {2, 0, 6, 14};
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find(kLineSeparator, start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (lines.empty()) return;
  const int count = static_cast<int>(lines.size());
  TChartCanvas3D& canvas = chart_->Canvas();
  int fh = canvas.TextLineHeight();
  const int half = fh / 2;
  const int h = horizontal_ ? 1 : 0;
  const int f = onFarSide_ ? 1 : 0;
  int entry = -1;
  switch (angle) {
    case 0:
      entry = 2 * h + f;
      if (!horizontal_) y -= half;
      break;
    case 90:
      entry = horizontal_ ? f : 2 + (1 - f);
      if (horizontal_) x -= half;
      break;
    case 180:
      entry = 2 * h + (1 - f);
      if (!horizontal_) y += half;
      break;
    case 270:
      entry = horizontal_ ? 1 - f : 2 + f;
      if (horizontal_) x += half;
      break;
    default:
      break;
  }
  if (angle == 180 || angle == 270) fh = -fh;
  const auto spread = [&] { return static_cast<int>(Round(fh * 0.5L * (count + 1))); };
  if (horizontal_) {
    if (angle == 0) y -= onFarSide_ ? count * fh : fh;
    if (angle == 180) y -= onFarSide_ ? fh : count * fh;
    if (angle == 90 || angle == 270) x -= spread();
  } else {
    if (angle == 0 || angle == 180) y -= spread();
    if (angle == 90) x -= onFarSide_ ? fh : count * fh;
    if (angle == 270) x -= onFarSide_ ? count * fh : fh;
  }
  canvas.SetTextAlign(entry < 0 ? 0 : kAlign[entry]);
  const int z = Depth();
  for (std::string_view line : lines) {
    if (angle == 0) {
      y += fh;
      canvas.TextOutAtDepth(x, y, z, line);
      continue;
    }
    if (angle == 90 || angle == 270) x += fh;
    if (angle == 180) y += fh;
    canvas.RotatedTextOutAtDepth(x, y, z, line, angle);
  }
  canvas.SetTextAlign(0);
}

void TCustomChartAxis::RecordTick(std::vector<int>& ticks, int pos) const {
  if (ticks.size() < static_cast<std::size_t>(kMaxAxisTicks)) ticks.push_back(pos);
}

void TCustomChartAxis::DrawLabel(int pos, std::string_view text, std::vector<int>& ticks) {
  if (tickOnLabelsOnly_) RecordTick(ticks, pos);
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, labelsFont_);
  canvas.Brush().SetColor(chart_->Color());
  canvas.Brush().SetStyle(bsClear);
  if (horizontal_)
    DrawAxisText(pos, labelsPos_, text, labelsAngle_);
  else
    DrawAxisText(labelsPos_, pos, text, labelsAngle_);
}

void TCustomChartAxis::DrawValueLabels(double step, std::vector<int>& ticks) {
  for (const double v : LabelValues(step)) {
    const int pos = ValueToPixel(v);
    if (!labelsOnAxis_ && !(startPixel_ < pos && pos < endPixel_)) continue;
    if (!tickOnLabelsOnly_) RecordTick(ticks, pos);
    if (labels_) DrawLabel(pos, LabelText(v), ticks);
  }
}

void TCustomChartAxis::DrawPointLabels(std::vector<int>& ticks) {
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, labelsFont_);
  bool anyDrawn = false;
  int lastPos = 0, lastHalf = 0;
  for (TChartSeries* series : chart_->SeriesList()) {
    if (!series->Active() || !series->UsesAxis(*this)) continue;
    for (int i = 0; i < series->PointCount(); ++i) {
      const double value = horizontal_ ? series->XValueAt(i) : series->YValueAt(i);
      if (value < rangeMin_ || value > rangeMax_) continue;
      std::string text = series->PointLabel(i);
      if (chart_->OnGetAxisLabel) chart_->OnGetAxisLabel(*this, series, i, text);
      if (labelsMultiLine_) std::replace(text.begin(), text.end(), ' ', kLineSeparator);
      const int pos = ValueToPixel(value);
      if (!labelsOnAxis_ && !(startPixel_ < pos && pos < endPixel_)) continue;
      const TMultiLineWidth m = MultiLineWidth(canvas, text);
      const int size = horizontal_ ? m.Width : canvas.TextLineHeight() * m.Lines;
      const int halfSize = static_cast<int>(Round(size * 0.5L * (1 + labelsSeparation_ * 0.02L)));
      if (labelsSeparation_ > 0 && anyDrawn && std::abs(pos - lastPos) < halfSize + lastHalf)
        continue;
      if (!tickOnLabelsOnly_) RecordTick(ticks, pos);
      if (labels_) DrawLabel(pos, text, ticks);
      anyDrawn = true;
      lastPos = pos;
      lastHalf = halfSize;
    }
  }
}

void TCustomChartAxis::CrossLine(int t, int a, int b) {
  TChartCanvas3D& canvas = chart_->Canvas();
  if (horizontal_)
    canvas.VLineAtDepth(t, a, b, Depth());
  else
    canvas.HLineAtDepth(a, b, t, Depth());
}

void TCustomChartAxis::GridLine(int t) {
  TChartCanvas3D& canvas = chart_->Canvas();
  const TRect& r = chart_->ChartRect();
  if (horizontal_)
    canvas.VerticalLine(t, r.Top, r.Bottom);
  else
    canvas.HorizontalLine(r.Left, r.Right, t);
}

std::vector<int> TCustomChartAxis::MinorTickPositions(const std::vector<int>& ticks) const {
  std::vector<int> marks;
  const int m = minorTickCount_;
  if (ticks.size() >= 2) {
    // Beyond the outermost labels, with the spacing of the first interval.
    const int d = ticks[1] - ticks[0];
    for (int k = 1; k <= m; ++k) {
      const int o = static_cast<int>(Round(static_cast<Extended>(k) * d / (m + 1)));
      marks.push_back(ticks.front() - o);
      marks.push_back(ticks.back() + o);
    }
  }
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    const int d = ticks[i] - ticks[i - 1];
    for (int j = 1; j <= m; ++j)
      marks.push_back(ticks[i] - static_cast<int>(Round(static_cast<Extended>(j) * d / (m + 1))));
  }
  std::erase_if(marks, [this](int p) { return !(startPixel_ < p && p < endPixel_); });
  return marks;
}

void TCustomChartAxis::DrawLines(const std::vector<int>& ticks) {
  TChartCanvas3D& canvas = chart_->Canvas();
  const int a = axisLinePos_;
  const int out = Outward(0, 1);  // +1 or -1: the direction away from the plot
  if (axisPen_.Visible()) {
    canvas.SelectPen(axisPen_);
    if (horizontal_)
      canvas.HLineAtDepth(startPixel_, endPixel_, a, Depth());
    else
      canvas.VLineAtDepth(a, startPixel_, endPixel_, Depth());
  }
  if (ticks_.Visible()) {
    canvas.SelectPen(ticks_);
    for (const int t : ticks) CrossLine(t, a + out, a + out + out * tickLength_);
  }
  if (grid_.Visible()) {
    canvas.Brush().SetStyle(bsClear);
    // The gaps of a dotted grid stay unpainted.
    canvas.SetBackgroundMode(TRANSPARENT);
    canvas.SelectPen(grid_);
    if (grid_.Color() == clAutoColor) canvas.Pen().SetColor(0x808080);
    if (gridCentered_) {
      for (std::size_t i = 1; i < ticks.size(); ++i)
        GridLine(static_cast<int>(Round((static_cast<Extended>(ticks[i]) + ticks[i - 1]) * 0.5L)));
    } else {
      for (const int t : ticks) GridLine(t);
    }
    canvas.SetBackgroundMode(OPAQUE);
  }
  if (ticksInner_.Visible()) {
    canvas.SelectPen(ticksInner_);
    for (const int t : ticks) CrossLine(t, a - out, a - out - out * tickInnerLength_);
  }
  if (ticks.empty()) return;
  if (minorTicks_.Visible()) {
    canvas.SelectPen(minorTicks_);
    for (const int p : MinorTickPositions(ticks))
      CrossLine(p, a + out, a + out + out * minorTickLength_);
  }
  if (minorGrid_.Visible()) {
    canvas.SelectPen(minorGrid_);
    for (const int p : MinorTickPositions(ticks)) GridLine(p);
  }
}

void TCustomChartAxis::DrawAxis(bool setLinePos) {
  showsDateTime_ = SeriesDataIsDateTime();
  TChartCanvas3D& canvas = chart_->Canvas();
  SelectFont(canvas, labelsFont_);
  const double step = LabelStep();
  if (setLinePos)
    axisLinePos_ = ShiftByPosition(SideEdge(chart_->ChartRect()), chart_->ChartRect());
  if (!title_.Caption().empty()) {
    SelectFont(canvas, title_.Font());
    canvas.Brush().SetColor(chart_->Color());
    canvas.Brush().SetStyle(bsClear);
    if (horizontal_)
      DrawAxisText(centerPixel_, titlePos_, title_.Caption(), title_.Angle());
    else
      DrawAxisText(titlePos_, centerPixel_, title_.Caption(), title_.Angle());
  }
  std::vector<int> ticks;
  ticks.reserve(kMaxAxisTicks);
  if (step > 0 && rangeMax_ >= rangeMin_) {
    switch (EffectiveLabelStyle()) {
      case talValue:
        DrawValueLabels(step, ticks);
        break;
      case talText:
        DrawPointLabels(ticks);
        break;
      default:
        break;
    }
  }
  DrawLines(ticks);
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

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel& chart)
    : TCustomChartAxis(chart, false, true, true) {
  InitVisible(false);
}

}  // namespace halvorn
