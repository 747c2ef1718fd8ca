#include "app/ChartStyle.h"

#include "platform/forms/FormLayout.h"

namespace halvorn {
namespace {

TFontLayout BoldArial(int height) { return TFontLayout{"Arial", height, true, clBlack}; }

}  // namespace

std::string LegendTitle(const std::string& text) { return text + "  "; }

void ConfigureCommonChart(TChart& chart, const std::string& title, const std::string& leftTitle) {
  chart.SetView3D(false);
  chart.BackWall().Brush().SetColor(clWhite);
  chart.BackWall().Brush().SetStyle(bsClear);
  // Room left of the turned axis title for its accents.
  chart.SetMarginLeft(3);
  chart.SetMarginTop(3);
  chart.SetMarginRight(3);
  chart.SetMarginBottom(1);
  chart.Title().SetText({title});
  LoadFont(chart.Title().Font(), BoldArial(-12));
  chart.LeftAxis().Title().SetCaption(leftTitle);
  LoadFont(chart.LeftAxis().Title().Font(), BoldArial(-11));
  LoadFont(chart.BottomAxis().Title().Font(), BoldArial(-11));
  TChartLegend& legend = chart.Legend();
  legend.SetLegendStyle(lsSeries);
  legend.SetAlignment(laTop);
  legend.SetVertMargin(4);
  legend.SetShadowSize(0);
  LoadFont(legend.Font(), BoldArial(-11));
}

void FixAxis(TCustomChartAxis& axis, double min, double max, double increment) {
  axis.SetMaximum(max);
  axis.SetMinimum(min);
  axis.SetAutomatic(false);
  axis.SetIncrement(increment);
}

void ConfigureLine(TLineSeries& series, TChart& chart, TColor color, int width) {
  series.SetParentChart(&chart);
  series.SetSeriesColor(color);
  series.LinePen().SetColor(color);
  series.LinePen().SetWidth(width);
  series.Marks().SetVisible(false);
  series.Pointer().SetVisible(false);
  series.XValues().SetOrder(loNone);
}

void ConfigureGuide(TLineSeries& series, TChart& chart, TColor color, TPenStyle style) {
  ConfigureLine(series, chart, color, 1);
  series.LinePen().SetStyle(style);
  series.SetShowInLegend(false);
}

void ConfigureMarks(TLineSeries& series, TChart& chart, TColor color, TSeriesPointerStyle style,
                    int size) {
  ConfigureLine(series, chart, color, 1);
  series.LinePen().SetVisible(false);
  TSeriesPointer& pointer = series.Pointer();
  pointer.SetVisible(true);
  pointer.SetStyle(style);
  pointer.SetHorizSize(size);
  pointer.SetVertSize(size);
}

}  // namespace halvorn
