#pragma once
// A chart that records its plot rectangle around the titles-and-legend step
// of every paint.

#include "chart/Chart.h"

namespace halvorn::testing {

class TProbeChart : public TChart {
 public:
  TRect beforeTitlesLegend, afterTitlesLegend;

 protected:
  void DrawTitlesLegend() override {
    beforeTitlesLegend = ChartRect();
    TChart::DrawTitlesLegend();
    afterTitlesLegend = ChartRect();
  }
};

}  // namespace halvorn::testing
