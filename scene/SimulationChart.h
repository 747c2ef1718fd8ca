#pragma once
// The chart of the simulation with its two line series, configured as the
// main window configures them: "Πριν" (before) at position 0 and "Μετά"
// (after) at position 1.

#include <memory>

#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "scene/CensoringMarks.h"
#include "scene/ChartRunTarget.h"

namespace halvorn {

// Applies the window's settings of the chart: flat, margins 0, 5, 5, 0, an
// empty title line, the axis titles and the legend at the top right.
void ConfigureChart(TChart& chart);
// Applies the window's settings of one of the two series.
void ConfigureBeforeSeries(TLineSeries& series);
void ConfigureAfterSeries(TLineSeries& series);

// A chart holding the two configured series, for running the simulation
// without a window.
class TSimulationChart {
 public:
  TSimulationChart();

  TChart& Chart() { return chart_; }
  TLineSeries& Before() { return *before_; }
  TLineSeries& After() { return *after_; }
  // What a Run fills.
  TRunChart& RunTarget() { return runTarget_; }
  // The marks of the censored samples, shown after each Run.
  TCensoringMarks& Marks() { return *marks_; }

 private:
  // Declared before the series so that the series are destroyed first and
  // leave the chart's list on their own.
  TChart chart_;
  std::unique_ptr<TLineSeries> before_;
  std::unique_ptr<TLineSeries> after_;
  std::unique_ptr<TCensoringMarks> marks_;
  TChartRunTarget runTarget_{chart_};
};

}  // namespace halvorn
