#pragma once
// The points of a Run as a CSV file: one row per sample with its month and
// the before and after values, in full double precision with "." as the
// decimal separator whatever the locale, so any program reads them back
// exactly.

#include <ostream>

#include "chart/ChartSeries.h"

namespace halvorn {

void WriteRunData(std::ostream& out, const TChartSeries& before, const TChartSeries& after);

}  // namespace halvorn
