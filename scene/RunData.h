#pragma once
// The points of a Run as a CSV file: one row per sample with its month and
// the before and after values, in full double precision with "." as the
// decimal separator whatever the locale, so any program reads them back
// exactly.

#include <optional>
#include <ostream>

#include "chart/ChartSeries.h"
#include "sim/Simulation.h"

namespace halvorn {

// With censoring (a design with a detection limit), two columns more say
// which samples lay below the limit: 1 for those, whose values are half the
// limit, 0 for the others.
void WriteRunData(std::ostream& out, const TChartSeries& before, const TChartSeries& after,
                  const std::optional<TRunCensoring>& censoring = std::nullopt);

}  // namespace halvorn
