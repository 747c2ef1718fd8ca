#include "chart/ChartLegend.h"

#include <algorithm>

#include "chart/CanvasTools.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "platform/FloatFormat.h"

namespace halvorn {

namespace {

// The pattern the horizontal axis writes its value labels with unless told
// otherwise; X values in the legend read the same as under the axis.
constexpr const char* kAxisValuesFormat = "#,##0.###";

// `first` and `second` with one space between, or the one that is not empty.
std::string JoinWithSpace(const std::string& first, const std::string& second) {
  if (first.empty()) return second;
  if (second.empty()) return first;
  return first + ' ' + second;
}

}  // namespace

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel& chart)
    : TChartFontObject([owner = &chart] { owner->Invalidate(); }),
      chart_(&chart),
      brush_([this] { Changed(); }),
      dividingLines_([this] { Changed(); }),
      frame_([this] { Changed(); }) {
  ResolveStyle();
}

template <typename T>
void TCustomChartLegend::Store(T& field, T value) {
  if (field == value) return;
  field = value;
  Changed();
}

void TCustomChartLegend::Changed() const { chart_->Invalidate(); }

void TCustomChartLegend::SetAlignment(TLegendAlignment alignment) { Store(alignment_, alignment); }
void TCustomChartLegend::SetColor(TColor color) { Store(color_, color); }
void TCustomChartLegend::SetHorizMargin(int pixels) { Store(horizMargin_, pixels); }
void TCustomChartLegend::SetInverted(bool inverted) { Store(inverted_, inverted); }
void TCustomChartLegend::SetMaxNumRows(int rows) { Store(maxNumRows_, rows); }
void TCustomChartLegend::SetResizeChart(bool resize) { Store(resizeChart_, resize); }
void TCustomChartLegend::SetShadowColor(TColor color) { Store(shadowColor_, color); }
void TCustomChartLegend::SetShadowSize(int pixels) { Store(shadowSize_, pixels); }
void TCustomChartLegend::SetTextStyle(TLegendTextStyle style) { Store(textStyle_, style); }
void TCustomChartLegend::SetVertMargin(int pixels) { Store(vertMargin_, pixels); }
void TCustomChartLegend::SetVisible(bool visible) { Store(visible_, visible); }

void TCustomChartLegend::SetColorWidth(int percent) {
  if (percent < 0 || percent > 100)
    throw LegendException("Legend Color Width must be between 0 and 100 %");
  Store(colorWidth_, percent);
}

void TCustomChartLegend::SetFirstValue(int index) {
  if (index < 0) throw LegendException("First Legend Value must be > 0");
  Store(firstValue_, index);
}

void TCustomChartLegend::SetTopPos(int percent) {
  if (percent < 0 || percent > 100)
    throw LegendException("Top Legend Position must be between 0 and 100 %");
  Store(topPos_, percent);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle style) {
  if (style == legendStyle_) return;
  legendStyle_ = style;
  ResolveStyle();
  Changed();
}

void TCustomChartLegend::CopyFrom(const TCustomChartLegend& other) {
  SetVisible(other.visible_);
  SetLegendStyle(other.legendStyle_);
  SetFirstValue(other.firstValue_);
  SetAlignment(other.alignment_);
  SetTextStyle(other.textStyle_);
  SetColorWidth(other.colorWidth_);
  SetHorizMargin(other.horizMargin_);
  SetVertMargin(other.vertMargin_);
  SetResizeChart(other.resizeChart_);
  SetInverted(other.inverted_);
  SetTopPos(other.topPos_);
  SetColor(other.color_);
  SetFrame(other.frame_);
  SetMaxNumRows(other.maxNumRows_);
  SetBrush(other.brush_);
  SetFont(other.Font());
}

void TCustomChartLegend::ResolveStyle() {
  if (legendStyle_ != lsAuto)
    resolvedStyle_ = legendStyle_;
  else
    resolvedStyle_ = chart_->ActiveSeriesCount() >= 2 ? lsSeries : lsValues;
}

TChartSeries* TCustomChartLegend::FirstActiveSeries() const {
  for (TChartSeries* series : chart_->SeriesList())
    if (series->Active()) return series;
  return nullptr;
}

int TCustomChartLegend::LegendItemCount() const {
  int total = 0;
  if (resolvedStyle_ == lsValues) {
    const TChartSeries* series = FirstActiveSeries();
    if (series && series->ShowInLegend()) total = series->CountLegendItems();
  } else {
    for (const TChartSeries* series : chart_->SeriesList())
      if (series->Active() && series->ShowInLegend()) ++total;
  }
  return std::max(0, total - firstValue_);
}

std::string TCustomChartLegend::ValueText(const TChartSeries& series, int index) const {
  // Rows past the points (a series that shrank since the count was taken)
  // stand for nothing, as index -1 does.
  if (index < 0 || index >= series.PointCount()) return {};
  if (textStyle_ == ltsXValue) return FormatFloat(kAxisValuesFormat, series.XValueAt(index));
  const std::string label = series.PointLabel(index);
  if (textStyle_ == ltsPlain) return label;
  const double value = series.YValueAt(index);
  std::string number;
  if (textStyle_ == ltsLeftPercent || textStyle_ == ltsRightPercent) {
    const double total = series.YValues().SumOfAbsValues();
    number = FormatFloat(series.PercentFormat(), total == 0 ? 100.0 : 100.0 * value / total);
  } else {
    number = FormatFloat(series.ValueFormat(), value);
  }
  if (textStyle_ == ltsLeftValue || textStyle_ == ltsLeftPercent)
    return JoinWithSpace(number, label);
  return JoinWithSpace(label, number);
}

std::string TCustomChartLegend::LegendItemText(int item) const {
  std::string text;
  switch (resolvedStyle_) {
    case lsValues:
      if (const TChartSeries* series = FirstActiveSeries())
        text = ValueText(*series, series->LegendToValueIndex(item));
      break;
    case lsLastValues:
      // The same series whose symbol the row shows: the item-th of those
      // listed in the legend, not of the whole series list.
      if (const TChartSeries* series = chart_->LegendSeriesAt(item))
        text = ValueText(*series, series->PointCount() - 1);
      break;
    default:
      text = chart_->LegendSeriesTitle(item);
      break;
  }
  std::replace(text.begin(), text.end(), kLineSeparator, ' ');
  return text;
}

int TCustomChartLegend::MaxItemTextWidth(TCanvas3D& canvas, int count) const {
  const int available = LegendItemCount();
  const int n = count == -1 ? available : std::min(count, available);
  int widest = 0;
  for (int item = firstValue_; item < firstValue_ + n; ++item)
    widest = std::max(widest, canvas.TextWidth(LegendItemText(item)));
  return widest;
}

int TCustomChartLegend::ItemsThatFit(int position, int size) const {
  const TRect& rect = chart_->ChartRect();
  // The frame takes its width on both sides whether it is drawn or not.
  const int frame = 2 * frame_.Width();
  int fit = 0;
  if (IsVertical()) {
    if (position < rect.Bottom && size > 0) fit = (rect.Bottom - frame - position) / size;
  } else {
    if (position < rect.Right && size > 0)
      fit = (chart_->ChartRectWidth() - frame - position) / size;
  }
  // A position inside the frame's width of the edge leaves a negative span;
  // no rows fit there rather than a negative number of them.
  return std::clamp(fit, 0, LegendItemCount());
}

}  // namespace halvorn
