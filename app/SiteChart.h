#pragma once
// The chart of the site window: a site's record by month of the year, with
// the seasonal cycle fitted to it. Each month's samples are spread across
// the month's width in the order of their years, so that a drift over the
// years shows as a slope within the months; a censored sample is marked at
// its detection limit by a downward triangle, the value lies below it.

#include <cstddef>
#include <vector>

#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "sim/SiteFit.h"
#include "sim/SiteRecord.h"

namespace halvorn {

// The samples a chart marks, taken from a record off the GUI thread, so
// that the record itself, however long, never reaches it.
struct TSiteMarks {
  std::vector<TSiteSample> Samples;  // every Stride-th of the record's
  std::size_t Stride = 1;
  int FirstYear = 0, LastYear = 0;
};

class TSiteChart {
 public:
  // A chart shows this many samples at most, evenly taken from a longer
  // record: its marks would merge long before, and drawing them all would
  // hold up the window.
  static constexpr std::size_t kMaxMarks = 4000;

  TSiteChart();

  TChart& Chart() { return chart_; }
  const TLineSeries& Measured() const { return measured_; }
  const TLineSeries& Censored() const { return censored_; }
  const TLineSeries& Cycle() const { return cycle_; }

  // Where a sample of `year` is drawn across its month, for a record whose
  // years run from `firstYear` to `lastYear`.
  static double MonthPosition(int month, int year, int firstYear, int lastYear);

  static TSiteMarks Marks(const TSiteRecord& record);

  void Show(const TSiteMarks& marks, const TSiteFit& fit);
  void Clear();

 private:
  // Declared before the series, so that the series leave its list first.
  TChart chart_;
  TLineSeries measured_;
  TLineSeries censored_;
  TLineSeries cycle_;
};

}  // namespace halvorn
