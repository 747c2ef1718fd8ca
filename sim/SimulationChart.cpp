#include "sim/SimulationChart.h"

namespace halvorn {
namespace {

void ConfigureCommon(TLineSeries& s) {
  s.Marks().SetArrowLength(8);
  s.Marks().SetVisible(false);
  s.LinePen().SetWidth(2);
  TSeriesPointer& pointer = s.Pointer();
  pointer.SetHorizSize(3);
  pointer.SetVertSize(3);
  pointer.SetInflateMargins(true);
  pointer.Pen().SetVisible(false);
  pointer.SetStyle(psRectangle);
  pointer.SetVisible(true);
  s.XValues().SetName("X");
  s.XValues().SetOrder(loAscending);
  s.XValues().SetDateTime(false);
  s.XValues().SetMultiplier(1);
  s.YValues().SetName("Y");
  s.YValues().SetOrder(loNone);
  s.YValues().SetDateTime(false);
  s.YValues().SetMultiplier(1);
}

}  // namespace

void ConfigureBeforeSeries(TLineSeries& series) {
  ConfigureCommon(series);
  series.SetTitle("Πριν");
  series.SetSeriesColor(clBlue);
}

void ConfigureAfterSeries(TLineSeries& series) {
  ConfigureCommon(series);
  series.SetTitle("Μετά");
  series.SetSeriesColor(0x0080FF);
  series.LinePen().SetColor(0x0080FF);
}

TSimulationChart::TSimulationChart()
    : before_(std::make_unique<TLineSeries>()), after_(std::make_unique<TLineSeries>()) {
  before_->SetParentChart(&chart_);
  ConfigureBeforeSeries(*before_);
  after_->SetParentChart(&chart_);
  ConfigureAfterSeries(*after_);
}

}  // namespace halvorn
