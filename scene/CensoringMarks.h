#pragma once
// The marks of censored samples on the simulation's chart. A censored sample
// is plotted where the tests take it, at half the detection limit; a hollow
// marker over it tells it from a measured one, and a dashed line shows the
// limit itself. The marks are series of the chart only while the Run shown
// has a detection limit, so a chart without one is exactly as it was.

#include <optional>

#include "chart/CustomSeries.h"
#include "sim/Simulation.h"

namespace halvorn {

class TCensoringMarks {
 public:
  // Marks over the points of `before` and `after` on `chart`; none yet.
  TCensoringMarks(TCustomAxisPanel& chart, const TLineSeries& before, const TLineSeries& after);
  TCensoringMarks(const TCensoringMarks&) = delete;
  TCensoringMarks& operator=(const TCensoringMarks&) = delete;

  // Marks the censored samples of the Run whose points the two series hold,
  // or takes the marks away when it had no detection limit.
  void Show(const std::optional<TRunCensoring>& censoring);

  bool Shown() const { return beforeMarks_.ParentChart() != nullptr; }
  const TLineSeries& BeforeMarks() const { return beforeMarks_; }
  const TLineSeries& AfterMarks() const { return afterMarks_; }
  const TLineSeries& LimitLine() const { return limit_; }

 private:
  void Attach(bool attach);

  TCustomAxisPanel& chart_;
  const TLineSeries& before_;
  const TLineSeries& after_;
  TLineSeries beforeMarks_, afterMarks_, limit_;
};

}  // namespace halvorn
