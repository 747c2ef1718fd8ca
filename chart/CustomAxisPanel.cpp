#include "chart/CustomAxisPanel.h"

#include <algorithm>

#include "chart/ChartSeries.h"
#include "platform/Format.h"

namespace halvorn {

TCustomAxisPanel::TCustomAxisPanel() {
  bottomAxis_ = std::make_unique<TChartAxis>(*this, true, false, false);
  topAxis_ = std::make_unique<TChartAxis>(*this, true, true, false);
  leftAxis_ = std::make_unique<TChartAxis>(*this, false, false, false, 90);
  rightAxis_ = std::make_unique<TChartAxis>(*this, false, true, false, 270);
  depthAxis_ = std::make_unique<TChartDepthAxis>(*this);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  destroying_ = true;
  while (!seriesList_.items_.empty()) {
    TChartSeries* series = seriesList_.items_.front();
    DetachSeries(*series);
    delete series;
  }
}

void TCustomAxisPanel::UnregisterAxis(TCustomChartAxis& axis) {
  axes_.erase(std::remove(axes_.begin(), axes_.end(), &axis), axes_.end());
}

void TCustomAxisPanel::AttachSeries(TChartSeries& series) {
  if (seriesList_.IndexOf(series) >= 0) return;
  if (series.SeriesColor() == clAutoColor) series.SetSeriesColor(PickFreeSeriesColor(true));
  // A series belongs to one chart at a time.
  if (series.parentChart_) series.parentChart_->DetachSeries(series);
  series.parentChart_ = this;
  series.BindAxes();
  seriesList_.items_.push_back(&series);
  Invalidate();
}

void TCustomAxisPanel::DetachSeries(TChartSeries& series) {
  const int index = seriesList_.IndexOf(series);
  if (index < 0) return;
  series.parentChart_ = nullptr;
  // The axis objects belong to this chart and must not outlive the bond.
  series.BindAxes();
  if (cursor_ == series.Cursor()) cursor_ = ownCursor_;
  seriesList_.items_.erase(seriesList_.items_.begin() + index);
  if (!destroying_) Invalidate();
}

TColor TCustomAxisPanel::PickFreeSeriesColor(bool checkBackground) const {
  for (int i = 0; i < 16; ++i)
    if (SeriesColorIsFree(PaletteColor(i), checkBackground)) return PaletteColor(i);
  return PaletteColor(16);
}

bool TCustomAxisPanel::SeriesColorIsFree(TColor color, bool checkBackground) const {
  for (const TChartSeries* series : seriesList_)
    if (series->SeriesColor() == color) return false;
  return !(checkBackground && (color == color_ || color == BackWallColor()));
}

TChartSeries* TCustomAxisPanel::LegendSeriesAt(int n) const {
  int position = 0;
  for (TChartSeries* series : seriesList_) {
    if (!series->Active() || !series->ShowInLegend()) continue;
    if (position == n) return series;
    ++position;
  }
  return nullptr;
}

std::string TCustomAxisPanel::LegendSeriesTitle(int n) const {
  const TChartSeries* series = LegendSeriesAt(n);
  if (!series) return {};
  if (!series->Title().empty()) return series->Title();
  if (!series->Name().empty()) return series->Name();
  return Fmt("Series %d", n);
}

int TCustomAxisPanel::MaxPointCount() const {
  int result = 0;
  for (const TChartSeries* series : seriesList_)
    if (series->Active()) result = std::max(result, series->PointCount());
  return result;
}

TChartSeries* TCustomAxisPanel::FirstSeriesUsingAxis(const TCustomChartAxis& axis) const {
  TChartSeries* firstInactive = nullptr;
  for (TChartSeries* series : seriesList_) {
    if (!series->UsesAxis(axis)) continue;
    if (series->Active()) return series;
    if (!firstInactive) firstInactive = series;
  }
  return firstInactive;
}

void TCustomAxisPanel::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

}  // namespace halvorn
