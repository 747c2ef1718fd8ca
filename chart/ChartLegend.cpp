#include "chart/ChartLegend.h"

#include <algorithm>

#include "chart/CanvasTools.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/FloatFormat.h"
#include "platform/runtime/FloatOps.h"
#include "platform/runtime/MulDiv.h"

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

void TCustomChartLegend::Changed() const { chart_->Invalidate(); }

void TCustomChartLegend::SetAlignment(TLegendAlignment alignment) {
  if (StoreIfChanged(alignment_, alignment)) Changed();
}

void TCustomChartLegend::SetColor(TColor color) {
  if (StoreIfChanged(color_, color)) Changed();
}

void TCustomChartLegend::SetHorizMargin(int pixels) {
  if (StoreIfChanged(horizMargin_, pixels)) Changed();
}

void TCustomChartLegend::SetInverted(bool inverted) {
  if (StoreIfChanged(inverted_, inverted)) Changed();
}

void TCustomChartLegend::SetMaxNumRows(int rows) {
  if (StoreIfChanged(maxNumRows_, rows)) Changed();
}

void TCustomChartLegend::SetResizeChart(bool resize) {
  if (StoreIfChanged(resizeChart_, resize)) Changed();
}

void TCustomChartLegend::SetShadowColor(TColor color) {
  if (StoreIfChanged(shadowColor_, color)) Changed();
}

void TCustomChartLegend::SetShadowSize(int pixels) {
  if (StoreIfChanged(shadowSize_, pixels)) Changed();
}

void TCustomChartLegend::SetTextStyle(TLegendTextStyle style) {
  if (StoreIfChanged(textStyle_, style)) Changed();
}

void TCustomChartLegend::SetVertMargin(int pixels) {
  if (StoreIfChanged(vertMargin_, pixels)) Changed();
}

void TCustomChartLegend::SetVisible(bool visible) {
  if (StoreIfChanged(visible_, visible)) Changed();
}

void TCustomChartLegend::SetColorWidth(int percent) {
  if (percent < 0 || percent > 100)
    throw LegendException("Legend Color Width must be between 0 and 100 %");
  if (StoreIfChanged(colorWidth_, percent)) Changed();
}

void TCustomChartLegend::SetFirstValue(int index) {
  if (index < 0) throw LegendException("First Legend Value must be > 0");
  if (StoreIfChanged(firstValue_, index)) Changed();
}

void TCustomChartLegend::SetTopPos(int percent) {
  if (percent < 0 || percent > 100)
    throw LegendException("Top Legend Position must be between 0 and 100 %");
  if (StoreIfChanged(topPos_, percent)) Changed();
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle style) {
  if (!StoreIfChanged(legendStyle_, style)) return;
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

namespace {

int Percent(int percent, int of) {
  return static_cast<int>(Round(static_cast<Extended>(percent) * of * 0.01L));
}

}  // namespace

void TCustomChartLegend::DrawLegend() {
  TCustomAxisPanel& chart = *chart_;
  TChartCanvas3D& canvas = chart.Canvas();
  ResolveStyle();
  SelectFont(canvas, Font());
  const int h = canvas.TextLineHeight();
  Layout(canvas, h);
  if (rowCount_ * columnCount_ < 1) return;
  DrawBox(canvas);
  TPen& pen = canvas.Pen();
  pen.SetColor(color_ == clBlack ? clWhite : clBlack);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  const int n = LegendItemCount();
  const int last = std::min(n, rowCount_ * columnCount_) + firstValue_ - 1;
  for (int i = firstValue_; i <= last; ++i) {
    const int item = inverted_ ? last - (i - firstValue_) : i;
    const int position = i - firstValue_;
    if (position >= n) continue;
    DrawItem(canvas, item, position, h);
  }
  TakeSpace();
}

void TCustomChartLegend::Layout(TCanvas3D& canvas, int h) {
  const TCustomAxisPanel& chart = *chart_;
  const TRect paint = chart.PaintRect();
  const TRect cr = chart.ChartRect();
  const int n = LegendItemCount();
  const int frameGap = frame_.Visible() ? frame_.Width() + 1 : 0;
  symbolWidth_ = Percent(MaxItemTextWidth(canvas, -1) + 4, colorWidth_);
  if (IsVertical()) {
    legendRect_.Top = paint.Top + Percent(topPos_, paint.Bottom - paint.Top);
    columnCount_ = 1;
    rowCount_ = ItemsThatFit(legendRect_.Top, h);
    legendRect_.Bottom = legendRect_.Top + rowCount_ * h + 2;
    const int widest = MaxItemTextWidth(canvas, rowCount_);
    symbolWidth_ = Percent(widest + 10, colorWidth_);
    if (alignment_ == laRight) {
      legendRect_.Right = cr.Right - frameGap - shadowSize_;
      textX_ = legendRect_.Right - widest - 2;
      legendRect_.Left = textX_ - symbolWidth_ - 8;
    } else {
      legendRect_.Left = cr.Left + frameGap;
      textX_ = legendRect_.Left + 8 + symbolWidth_;
      legendRect_.Right = textX_ + widest + 2;
    }
    itemWidth_ = 0;
    return;
  }
  itemWidth_ = MaxItemTextWidth(canvas, -1) + 4 + symbolWidth_;
  columnCount_ = ItemsThatFit(8, itemWidth_ + 8);
  rowCount_ = columnCount_ > 0 ? std::min((n + columnCount_ - 1) / columnCount_, maxNumRows_) : 0;
  const int width =
      std::min(chart.ChartRectWidth(), 2 * shadowSize_ + itemWidth_ * columnCount_ + 8);
  legendRect_.Left =
      chart.ChartRectXCenter() - width / 2 + Percent(topPos_, (paint.Right - paint.Left) - width);
  legendRect_.Right = legendRect_.Left + width;
  const int height = rowCount_ * h + 2;
  if (alignment_ == laTop) {
    legendRect_.Top = cr.Top + frameGap;
    legendRect_.Bottom = legendRect_.Top + height;
  } else {
    legendRect_.Bottom = cr.Bottom - shadowSize_ - frameGap;
    legendRect_.Top = legendRect_.Bottom - height;
  }
  textX_ = legendRect_.Left + 8 + symbolWidth_;
}

void TCustomChartLegend::DrawBox(TCanvas3D& canvas) {
  canvas.SelectPen(frame_);
  const int w = frame_.Width();
  TRect outline = legendRect_;
  int extent = shadowSize_ - 1;
  if (frame_.Visible()) {
    if (canvas.Pen().Color() == clAutoColor) canvas.Pen().SetColor(clBlack);
    outline.Inflate(w, w);
    extent = shadowSize_ + w + (w - 1) / 2;
  }
  TBrush& brush = canvas.Brush();
  brush.SetStyle(bsSolid);
  if (shadowSize_ > 0) {
    brush.SetColor(shadowColor_);
    canvas.FillRect(TRect{legendRect_.Left + shadowSize_, legendRect_.Top + shadowSize_,
                          legendRect_.Right + extent, legendRect_.Bottom + extent});
  }
  brush.SetStyle(brush_.Style());
  if (brush_.Style() == bsSolid) {
    brush.SetColor(color_);
  } else {
    brush.SetColor(brush_.Color() == clAutoColor ? clBlack : brush_.Color());
    canvas.SetBackColor(ColorToRGB(color_));
    canvas.SetBackgroundMode(OPAQUE);
  }
  if (const TBitmap* image = brush_.Image())
    canvas.ReferenceCanvas()->SelectBrushPattern(&image->Pixels());
  canvas.Rectangle(outline.Left, outline.Top, outline.Right, outline.Bottom);
}

void TCustomChartLegend::DrawItem(TCanvas3D& canvas, int item, int position, int h) {
  const int column = columnCount_ > 0 ? position % columnCount_ : 0;
  const int row = columnCount_ > 0 ? position / columnCount_ : position;
  const int x = textX_ + column * itemWidth_;
  const int y = legendRect_.Top + 1 + row * h;
  // The text has no background of its own.
  canvas.Brush().SetColor(color_);
  canvas.Brush().SetStyle(bsClear);
  const std::string text = LegendItemText(item);
  if (!text.empty()) {
    canvas.SetTextAlign(TA_LEFT | TA_TOP);
    canvas.TextOut(x, y, text);
    const TRect symbol{x - 4 - symbolWidth_, y + 2, x - 4, y + h - 2};
    TChartSeries* const firstActive = FirstActiveSeries();
    if (firstActive == nullptr) {
      canvas.Brush().SetColor(clWhite);
      canvas.Brush().SetStyle(bsSolid);
      canvas.RectangleOfRect(symbol);
    } else if (resolvedStyle_ == lsValues) {
      firstActive->DrawLegendItem(firstActive->LegendToValueIndex(item), symbol);
    } else if (TChartSeries* series = chart_->LegendSeriesAt(item)) {
      series->DrawLegendItem(-1, symbol);
    }
  }
  if (position > 0 && dividingLines_.Visible()) {
    canvas.SelectPen(dividingLines_);
    canvas.SetBackgroundMode(TRANSPARENT);
    if (IsVertical())
      canvas.HorizontalLine(legendRect_.Left, legendRect_.Right, y);
    else
      canvas.VerticalLine(x - 8 - symbolWidth_, legendRect_.Top, legendRect_.Bottom);
  }
}

void TCustomChartLegend::TakeSpace() {
  TCustomAxisPanel& chart = *chart_;
  TRect r = chart.ChartRect();
  const int width = chart.ChartRectWidth(), height = chart.ChartRectHeight();
  const int horizontal = horizMargin_ != 0 ? horizMargin_ : MulDiv(3, width, 100);
  const int vertical = vertMargin_ != 0 ? vertMargin_ : MulDiv(4, height, 100);
  switch (alignment_) {
    case laLeft:
      if (resizeChart_) r.Left = legendRect_.Right;
      r.Left += horizontal;
      break;
    case laRight:
      if (resizeChart_) r.Right = legendRect_.Left;
      r.Right -= horizontal;
      break;
    case laTop:
      if (resizeChart_) r.Top = legendRect_.Bottom + shadowSize_;
      r.Top += vertical;
      break;
    case laBottom:
      if (resizeChart_) r.Bottom = legendRect_.Top;
      r.Bottom -= vertical;
      break;
  }
  chart.SetChartRect(r);
  chart.RecalcChartRectSize();
}

int TCustomChartLegend::ItemAtPixel(int x, int y) const {
  if (!legendRect_.Contains(TPoint{x, y})) return -1;
  if (IsVertical()) {
    if (rowCount_ <= 0) return -1;
    const int r = (legendRect_.Bottom - legendRect_.Top) / rowCount_;
    for (int k = 0; k < rowCount_; ++k) {
      const int top = legendRect_.Top + k * r + 1;
      if (y >= top && y <= top + r) return k;
    }
    return -1;
  }
  if (columnCount_ <= 0) return -1;
  const int columnWidth = (legendRect_.Right - legendRect_.Left) / columnCount_;
  const int h = chart_->Canvas().TextLineHeight();
  if (columnWidth <= 0 || h <= 0) return -1;
  const int column = (x - legendRect_.Left) / columnWidth;
  const int row = (y - legendRect_.Top) / h;
  return row * columnCount_ + column;
}

}  // namespace halvorn
