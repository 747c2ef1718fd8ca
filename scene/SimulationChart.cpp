#include "scene/SimulationChart.h"

#include "sim/SliderTable.h"

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

void SetTitleFont(TFont& font, const char* name, int height) {
  font.SetName(name);
  font.SetHeight(height);
  font.SetStyle(fsBold);
  font.SetColor(clBlack);
  font.SetCharset(DEFAULT_CHARSET);
}

}  // namespace

void ConfigureChart(TChart& chart) {
  chart.SetView3D(false);
  chart.BackWall().Brush().SetColor(clWhite);
  chart.BackWall().Brush().SetStyle(bsClear);
  chart.SetMarginLeft(0);
  chart.SetMarginTop(5);
  chart.SetMarginRight(5);
  chart.SetMarginBottom(0);
  chart.Title().SetText({""});
  chart.BottomAxis().Title().SetCaption("Χρόνος (μήνες)");
  SetTitleFont(chart.BottomAxis().Title().Font(), "Arial", -11);
  chart.LeftAxis().Title().SetCaption("Τιμή παραμέτρου");
  SetTitleFont(chart.LeftAxis().Title().Font(), "Arial", -11);
  TChartLegend& legend = chart.Legend();
  legend.SetTextStyle(ltsRightValue);
  legend.SetColorWidth(50);
  SetTitleFont(legend.Font(), "Arial", -12);
  legend.SetHorizMargin(1);
  legend.SetVertMargin(1);
  legend.SetResizeChart(false);
  legend.SetTopPos(0);
}

void ConfigureBeforeSeries(TLineSeries& series) {
  ConfigureCommon(series);
  series.SetTitle(kBeforeCaption);
  series.SetSeriesColor(clBlue);
}

void ConfigureAfterSeries(TLineSeries& series) {
  ConfigureCommon(series);
  series.SetTitle(kAfterCaption);
  series.SetSeriesColor(0x0080FF);
  series.LinePen().SetColor(0x0080FF);
}

TSimulationChart::TSimulationChart()
    : before_(std::make_unique<TLineSeries>()), after_(std::make_unique<TLineSeries>()) {
  ConfigureChart(chart_);
  before_->SetParentChart(&chart_);
  ConfigureBeforeSeries(*before_);
  after_->SetParentChart(&chart_);
  ConfigureAfterSeries(*after_);
  // Made once the series have their colours.
  marks_ = std::make_unique<TCensoringMarks>(chart_, *before_, *after_);
}

}  // namespace halvorn
