#pragma once
// The look the charts of the program's own windows share (the power
// window's and the site window's): flat, bold Arial titles, a legend on top,
// data as lines or marks and guides that are no data.

#include <string>

#include "chart/Chart.h"
#include "chart/CustomSeries.h"

namespace halvorn {

// A horizontal legend puts its items at the pitch of the widest text, so the
// widest would touch the next item's symbol: its titles end in two spaces.
std::string LegendTitle(const std::string& text);

// The settings these charts share with the main window's chart: flat, a
// clear back wall, bold Arial titles and legend.
void ConfigureCommonChart(TChart& chart, const std::string& title, const std::string& leftTitle);

// A fixed range of an axis.
void FixAxis(TCustomChartAxis& axis, double min, double max, double increment);

// A line in `color`, in the order its points are appended.
void ConfigureLine(TLineSeries& series, TChart& chart, TColor color, int width);

// A line that is part of the picture's frame of reference, not data: not
// in the legend, drawn in the pen's style.
void ConfigureGuide(TLineSeries& series, TChart& chart, TColor color, TPenStyle style);

// A series of marks without a line between them.
void ConfigureMarks(TLineSeries& series, TChart& chart, TColor color,
                    TSeriesPointerStyle style = psCircle, int size = 3);

}  // namespace halvorn
