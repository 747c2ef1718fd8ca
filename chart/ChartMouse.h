#pragma once
// What the chart's mouse handling shares: the settings that every chart of
// the process uses, and the record of what lies under a mouse point.

#include "platform/panel/PanelHost.h"

namespace halvorn {

class TChartSeries;
class TCustomChartAxis;

// The buttons that zoom and scroll, the keys that must be held with them
// (an empty set accepts any state), the share of the remaining distance
// that each step of an animated zoom covers, and how far into the plot area
// a press still hits an axis.
struct TChartMouseSettings {
  TMouseButton ZoomButton = mbLeft;
  TMouseButton ScrollButton = mbRight;
  TShiftState ZoomShift = 0;
  TShiftState ScrollShift = 0;
  double ZoomAnimationFactor = 3.0;
  int AxisClickTolerance = 3;
};

inline constexpr TChartMouseSettings ChartMouseSettings{};

enum TChartClickedPartStyle { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect };

// Index is the point of a series or the item of the legend, -1 otherwise.
struct TChartClickedPart {
  TChartClickedPartStyle Part = cpNone;
  int PointIndex = -1;
  TChartSeries* ASeries = nullptr;
  TCustomChartAxis* AAxis = nullptr;
};

}  // namespace halvorn
