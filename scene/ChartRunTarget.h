#pragma once
// The chart as the Run sees it: its series list by index, each series
// cleared and filled with points in the series' own colour.

#include "chart/CustomAxisPanel.h"
#include "sim/RunSeries.h"

namespace halvorn {

class TChartRunTarget final : public TRunChart {
 public:
  explicit TChartRunTarget(TCustomAxisPanel& chart) : chart_(chart) {}

  // The series is looked up in the chart's list at every call, as the Run
  // expects; an index beyond the list raises the list's EListError.
  TRunSeries& SeriesAt(int index) override {
    series_.target = chart_.SeriesAt(index);
    return series_;
  }

 private:
  struct TSeriesView final : TRunSeries {
    void ClearPoints() override { target->ClearPoints(); }
    void AppendXY(double x, double y) override { target->AppendXY(x, y, "", clAutoColor); }
    TChartSeries* target = nullptr;
  };

  TCustomAxisPanel& chart_;
  TSeriesView series_;
};

}  // namespace halvorn
