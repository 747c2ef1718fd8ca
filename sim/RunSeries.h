#pragma once
// How a Run reaches the series it fills: the chart's series list, seen
// through the three operations the Run needs, so that the simulation knows
// nothing of the chart.

namespace halvorn {

class TRunSeries {
 public:
  virtual void ClearPoints() = 0;
  // Appends the point (x, y), drawn in the series' own colour.
  virtual void AppendXY(double x, double y) = 0;

 protected:
  ~TRunSeries() = default;
};

class TRunChart {
 public:
  // The series at `index` of the chart's list (0 before, 1 after); raises
  // EListError when there is none.
  virtual TRunSeries& SeriesAt(int index) = 0;

 protected:
  ~TRunChart() = default;
};

}  // namespace halvorn
