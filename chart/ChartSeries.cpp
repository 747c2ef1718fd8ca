#include "chart/ChartSeries.h"

#include <algorithm>
#include <utility>

#include "chart/CanvasTools.h"
#include "chart/ChartAxis.h"
#include "chart/CustomAxisPanel.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

TChartSeries::TChartSeries() : marks_([this] { RequestRepaint(); }) {
  xValues_ = &AddValueList("X");
  xValues_->SetDateTime(false);
  xValues_->SetOrder(loAscending);
  yValues_ = &AddValueList("Y");
}

TChartSeries::~TChartSeries() {
  ClearPoints();
  SetParentChart(nullptr);
}

TChartValueList& TChartSeries::AddValueList(std::string name) {
  return valueLists_.Add(std::make_unique<TChartValueList>(*this, std::move(name)));
}

void TChartSeries::CheckPointIndex(int index) const {
  if (index < 0 || index >= PointCount()) throw EListError::IndexOutOfBounds(index);
}

int TChartSeries::AppendXY(double x, double y, const std::string& label, TColor color) {
  xValues_->SetPendingValue(x);
  yValues_->SetPendingValue(y);
  if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;
  // The X list chooses the position; every other column follows it, so the
  // point stays whole when it lands in the middle.
  const int index = xValues_->AppendValue(xValues_->PendingValue());
  yValues_->InsertValueAt(index, yValues_->PendingValue());
  colors_.insert(colors_.begin() + index, color);
  labels_.insert(labels_.begin() + index, label);
  AfterPointAdded(index);
  return index;
}

int TChartSeries::AppendY(double value, const std::string& label, TColor color) {
  return AppendXY(PointCount(), value, label, color);
}

int TChartSeries::AppendNullXY(double x, double y, const std::string& label) {
  return AppendXY(x, y, label, clNone);
}

void TChartSeries::AfterPointAdded(int index) {
  if (OnAfterAdd) OnAfterAdd(*this, index);
  if (active_) RequestRepaint();
}

void TChartSeries::ClearPoints() {
  for (int i = 0; i < valueLists_.Count(); ++i) valueLists_[i].RemoveAllValues();
  std::vector<TColor>().swap(colors_);
  std::vector<std::string>().swap(labels_);
  if (OnClearValues) OnClearValues(*this);
  if (active_ && parentChart_ && !parentChart_->Destroying()) RequestRepaint();
}

void TChartSeries::DeletePoint(int index) {
  // Checked once up front, so a bad index leaves every column untouched.
  CheckPointIndex(index);
  for (int i = 0; i < valueLists_.Count(); ++i) valueLists_[i].RemoveValueAt(index);
  colors_.erase(colors_.begin() + index);
  labels_.erase(labels_.begin() + index);
  if (active_) RequestRepaint();
}

void TChartSeries::ExchangePoints(int a, int b) {
  CheckPointIndex(a);
  CheckPointIndex(b);
  for (int i = 0; i < valueLists_.Count(); ++i) valueLists_[i].Exchange(a, b);
  std::swap(colors_[a], colors_[b]);
  std::swap(labels_[a], labels_[b]);
}

TColor TChartSeries::PointColor(int index) const {
  if (index < 0) throw EListError::IndexOutOfBounds(index);
  if (index >= static_cast<int>(colors_.size())) return seriesColor_;
  const TColor color = colors_[index];
  if (color != clAutoColor) return color;
  return colorEachPoint_ ? PaletteColor(index) : seriesColor_;
}

void TChartSeries::SetPointColor(int index, TColor color) {
  CheckPointIndex(index);
  if (colors_[index] == color) return;
  colors_[index] = color;
  RequestRepaint();
}

std::string TChartSeries::PointLabel(int index) const {
  if (index < 0) throw EListError::IndexOutOfBounds(index);
  return index < static_cast<int>(labels_.size()) ? labels_[index] : std::string();
}

void TChartSeries::SetXValues(const TChartValueList& source) {
  xValues_->CopyFrom(source);
  RequestRepaint();
}

void TChartSeries::SetYValues(const TChartValueList& source) {
  yValues_->CopyFrom(source);
  RequestRepaint();
}

void TChartSeries::ComputeVisibleRange() {
  firstVisibleIndex_ = -1;
  lastVisibleIndex_ = -1;
  const int count = PointCount();
  if (count == 0) return;
  int first = 0;
  int last = count - 1;
  // Without a chart there is no axis range to narrow to.
  if (narrowVisibleRange_ && xValues_->Order() != loNone && horizAxis_ && parentChart_) {
    const TRect& rect = parentChart_->ChartRect();
    const bool inverted = horizAxis_->Inverted();
    const double lo = horizAxis_->PixelToValue(inverted ? rect.Right : rect.Left);
    const double hi = horizAxis_->PixelToValue(inverted ? rect.Left : rect.Right);
    while (first < count && xValues_->ValueAt(first) < lo) ++first;
    if (first == count) return;
    if (xValues_->ValueAt(count - 1) > hi) {
      last = first;
      while (last < count - 1 && xValues_->ValueAt(last) < hi) ++last;
      if (!keepPointBeyondEnd_ && xValues_->ValueAt(last) > hi) --last;
    }
  }
  firstVisibleIndex_ = first;
  lastVisibleIndex_ = last;
}

namespace {

// Only a series on a chart has axes to map through.
const TCustomChartAxis& BoundAxis(const TCustomChartAxis* axis) {
  if (!axis) throw EInvalidOperation("The series has no chart to map its points on");
  return *axis;
}

}  // namespace

int TChartSeries::XPixel(int index) const {
  return BoundAxis(horizAxis_).ValueToPixelX(XValueAt(index));
}

int TChartSeries::YPixel(int index) const {
  return BoundAxis(vertAxis_).ValueToPixelY(YValueAt(index));
}

void TChartSeries::HorizontalMargins(int& left, int& right) const {
  left = 0;
  right = 0;
}

void TChartSeries::VerticalMargins(int& top, int& bottom) const {
  top = 0;
  bottom = 0;
}

int TChartSeries::PointAtPixel(int, int) { return -1; }

bool TChartSeries::Clicked(int valueIndex, TMouseButton button, TShiftState shift, int x, int y) {
  if (!parentChart_) return false;
  parentChart_->SetClickConsumed(false);
  const TSeriesClick& handler = (shift & ssDouble) && OnDblClick ? OnDblClick : OnClick;
  if (handler) {
    parentChart_->SetClickConsumed(true);
    handler(*this, valueIndex, button, shift, x, y);
  }
  return parentChart_->ClickConsumed();
}

void TChartSeries::PrepareLegendTools(int, TColor&, TBrushStyle&) {}

TChartCanvas3D& TChartSeries::ChartCanvas() const {
  if (!parentChart_) throw EInvalidOperation("The series has no chart to draw on");
  return parentChart_->Canvas();
}

void TChartSeries::DrawLegendSymbol(int, const TRect& rect) {
  TChartCanvas3D& canvas = ChartCanvas();
  canvas.RectangleOfRect(rect);
  const TColor fill = canvas.Brush().Color();
  if (fill != parentChart_->LegendBackColor()) return;
  canvas.Brush().SetStyle(bsClear);
  if (fill == clBlack) canvas.Pen().SetColor(clWhite);
  canvas.RectangleOfRect(rect);
  canvas.Pen().SetColor(clBlack);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
  if (chart == parentChart_) return;
  if (parentChart_) parentChart_->DetachSeries(*this);
  if (chart)
    chart->AttachSeries(*this);
  else
    BindAxes();
}

void TChartSeries::BindAxes() {
  if (!parentChart_) {
    horizAxis_ = nullptr;
    vertAxis_ = nullptr;
    return;
  }
  horizAxis_ = &parentChart_->BottomAxis();
  if (horizAxisKind_ == aTopAxis)
    horizAxis_ = &parentChart_->TopAxis();
  else if (horizAxisKind_ == aCustomHorizAxis && customHorizAxis_)
    horizAxis_ = customHorizAxis_;
  vertAxis_ = &parentChart_->LeftAxis();
  if (vertAxisKind_ == aRightAxis)
    vertAxis_ = &parentChart_->RightAxis();
  else if (vertAxisKind_ == aCustomVertAxis && customVertAxis_)
    vertAxis_ = customVertAxis_;
}

bool TChartSeries::UsesAxis(const TCustomChartAxis& axis) const {
  if (!UsesAxes()) return false;
  if (axis.IsHorizontal()) return horizAxisKind_ == aBothHorizAxis || &axis == horizAxis_;
  return vertAxisKind_ == aBothVertAxis || &axis == vertAxis_;
}

void TChartSeries::SetHorizAxis(THorizAxis kind) {
  if (!StoreIfChanged(horizAxisKind_, kind)) return;
  BindAxes();
  RequestRepaint();
}

void TChartSeries::SetVertAxis(TVertAxis kind) {
  if (!StoreIfChanged(vertAxisKind_, kind)) return;
  BindAxes();
  RequestRepaint();
}

void TChartSeries::SetCustomHorizAxis(TCustomChartAxis* axis) {
  if (!StoreIfChanged(customHorizAxis_, axis)) return;
  BindAxes();
  RequestRepaint();
}

void TChartSeries::SetCustomVertAxis(TCustomChartAxis* axis) {
  if (!StoreIfChanged(customVertAxis_, axis)) return;
  BindAxes();
  RequestRepaint();
}

void TChartSeries::RequestRepaint() const {
  if (parentChart_) parentChart_->Invalidate();
}

void TChartSeries::SetActive(bool active) {
  if (StoreIfChanged(active_, active)) RequestRepaint();
}

void TChartSeries::SetSeriesColor(TColor color) {
  if (StoreIfChanged(seriesColor_, color)) RequestRepaint();
}

void TChartSeries::SetColorEachPoint(bool colorEachPoint) {
  if (StoreIfChanged(colorEachPoint_, colorEachPoint)) RequestRepaint();
  // Null points keep their mark: resetting it would turn them into points
  // with the value 0.
  if (!colorEachPoint)
    for (TColor& color : colors_)
      if (color != clNone) color = clAutoColor;
}

void TChartSeries::SetShowInLegend(bool show) {
  if (StoreIfChanged(showInLegend_, show)) RequestRepaint();
}

void TChartSeries::SetTitle(const std::string& title) {
  if (StoreIfChanged(title_, title)) RequestRepaint();
}

void TChartSeries::SetValueFormat(const std::string& format) {
  if (StoreIfChanged(valueFormat_, format)) RequestRepaint();
}

void TChartSeries::SetPercentFormat(const std::string& format) {
  if (StoreIfChanged(percentFormat_, format)) RequestRepaint();
}

void TChartSeries::CopyFrom(const TChartSeries& source) {
  if (&source == this) return;
  tag_ = source.tag_;
  xValues_->CopyFrom(source.XValues());
  yValues_->CopyFrom(source.YValues());
  xLabelsSource_ = source.xLabelsSource_;
  colorSource_ = source.colorSource_;
  const int shared = std::min(valueLists_.Count(), source.valueLists_.Count());
  for (int i = 2; i < shared; ++i) valueLists_[i].CopyFrom(source.valueLists_[i]);

  // Columns the source lacks are filled with zeros, so that every column
  // keeps the length of the others.
  const int count = source.PointCount();
  for (int i = 0; i < valueLists_.Count(); ++i) {
    TChartValueList& list = valueLists_[i];
    if (i < source.valueLists_.Count()) {
      list.AssignValues(source.valueLists_[i]);
    } else {
      list.RemoveAllValues();
      for (int j = 0; j < count; ++j) list.InsertValueAt(j, 0);
    }
  }
  colors_ = source.colors_;
  labels_ = source.labels_;

  marks_.CopyFrom(source.marks_);
  SetSeriesColor(source.seriesColor_);
  // The field itself: the writer would reset the colours just copied.
  colorEachPoint_ = source.colorEachPoint_;
  SetTitle(source.title_);
  SetValueFormat(source.valueFormat_);
  SetPercentFormat(source.percentFormat_);
  SetActive(source.active_);
  SetHorizAxis(source.horizAxisKind_);
  SetVertAxis(source.vertAxisKind_);
  cursor_ = source.cursor_;
  SetShowInLegend(source.showInLegend_);
  RequestRepaint();
}

void TChartSeries::DoBeforeDrawValues() {
  if (BeforeDrawValues) BeforeDrawValues(*this);
}

void TChartSeries::DrawAllPoints() {
  for (int i = firstVisibleIndex_; i <= lastVisibleIndex_; ++i) DrawPoint(i);
}

void TChartSeries::DoAfterDrawValues() {
  if (AfterDrawValues) AfterDrawValues(*this);
}

void TChartSeries::DrawLegendItem(int index, const TRect& rect) {
  if (!parentChart_ || (index == -1 && colorEachPoint_)) return;
  const TColor colour = index == -1 ? seriesColor_ : PointColor(index);
  if (colour == clNone) return;
  TColor background = parentChart_->LegendBackColor();
  TBrushStyle style = bsSolid;
  PrepareLegendTools(index, background, style);
  if (background == clAutoColor) background = parentChart_->LegendBackColor();
  if (background == clAutoColor) background = parentChart_->Color();
  SelectBrush(ChartCanvas(), colour, style, background);
  DrawLegendSymbol(index, rect);
}

}  // namespace halvorn
