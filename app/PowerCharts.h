#pragma once
// The two charts of the power window. The curve chart shows, per chosen
// test, the power of each position of one slider as a line, with the target as a
// horizontal line and the current design's value as a vertical one. The p
// chart shows how the p values of one test spread over 20 bins of 0.05, for
// the current design and for the same design without a difference, with the
// significance boundary at 0.05. The chart of the last Runs shows the p of
// each of the main window's last Runs over its number, the significant ones
// in red, with the boundary at 0.05: p "dancing" from Run to Run.
//
// Both hold only chart objects: the window hosts their charts.

#include <array>
#include <string>
#include <vector>

#include "app/RunHistory.h"
#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "sim/PowerEngine.h"

namespace halvorn {

class TPowerCurveChart {
 public:
  TPowerCurveChart();

  TChart& Chart() { return chart_; }
  const TLineSeries& Curve(TTestKind test) const { return curves_[TestIndex(test)]; }
  const TLineSeries& TargetLine() const { return target_; }
  const TLineSeries& CurrentMark() const { return current_; }

  // The slider along the bottom axis, titled `caption`; the curves of
  // another slider are cleared.
  void SetParameter(TSlider slider, const std::string& caption);
  // One point per sweep point: its value and its power in percent. Every
  // test's curve is filled, so that a test chosen later shows at once.
  void ShowSweep(const std::vector<TSweepPoint>& sweep);
  // Shows or hides the curve of `test`, in the chart and its legend.
  void SetTestShown(TTestKind test, bool shown);
  void ClearCurves();
  // Dimmed curves belong to a design the window has left; they stay until
  // the new ones replace them.
  void SetDimmed(bool dimmed);
  // The horizontal line at `percent` across the slider's range.
  void SetTarget(int percent);
  // The vertical line at the current design's value of the slider.
  void SetCurrentValue(int value);

 private:
  // Declared before the series, so that the series leave its list first.
  TChart chart_;
  std::array<TLineSeries, kTestCount> curves_;
  TLineSeries target_;
  TLineSeries current_;
  TSlider slider_ = TSlider::Dif;
  int targetPercent_ = 0;
};

class TPValueChart {
 public:
  TPValueChart();

  TChart& Chart() { return chart_; }
  const TLineSeries& Design() const { return design_; }
  const TLineSeries& NoDifference() const { return null_; }
  const TLineSeries& Boundary() const { return boundary_; }

  // The bins of `test`: each bin's share of the Runs in percent, as a
  // stairs outline from (0, 0) to (1, 0), for the design with its
  // difference and for the design without one.
  void Show(const TPowerResult& design, int differencePercent, const TPowerResult& noDifference,
            TTestKind test);
  void Clear();

 private:
  TChart chart_;
  TLineSeries design_;
  TLineSeries null_;
  TLineSeries boundary_;
};

class TLastPChart {
 public:
  TLastPChart();

  TChart& Chart() { return chart_; }
  const TLineSeries& Significant() const { return significant_; }
  const TLineSeries& NotSignificant() const { return notSignificant_; }
  const TLineSeries& Boundary() const { return boundary_; }

  // A mark per Run of `history`, over a range of kCapacity Run numbers that
  // ends at the last Run (or starts at 1).
  void Show(const TRunHistory& history);

 private:
  TChart chart_;
  TLineSeries significant_;
  TLineSeries notSignificant_;
  TLineSeries boundary_;
};

}  // namespace halvorn
