#pragma once
// The layout and drawing of one axis: the room its title, labels and ticks
// take out of the plot rectangle, and the title, labels, axis line, ticks,
// grid and minor ticks drawn on the chart's canvas. A painter lives for one
// call of the axis it works for and keeps no state of its own; what the
// layout decides is stored on the axis (AxisLinePos, LabelsPos, TitlePos).

#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Types.h"

namespace halvorn {

class TChartCanvas3D;
class TChartSeries;
class TCustomAxisPanel;
class TCustomChartAxis;

class TAxisPainter {
 public:
  explicit TAxisPainter(TCustomChartAxis& axis);

  // The step between value labels for the canvas's current font: the larger
  // extent along the axis of the labels of the range's two ends decides it.
  double LabelStep();
  // TCustomChartAxis::ClaimSpace, DrawAxis and DrawAxisText; the ticks
  // claim the wall's size along the axis too.
  void ClaimSpace(TRect& rect, bool inflate, int wallSize);
  void DrawAxis(bool setLinePos);
  void DrawAxisText(int x, int y, std::string_view text, int angle);

 private:
  // The extent along the axis of the label of value.
  int LabelExtent(double value);
  // The room across the axis of the title, the labels and the ticks.
  int TitleSizeAcross();
  int LabelsSizeAcross();
  int ValueLabelWidth();
  int PointLabelsWidth();
  int TickSizeAcross() const;
  // Whether a text at this angle runs along the axis rather than across.
  bool AngleAlongAxis(int angle) const;
  // pos moved by PositionPercent of the extent across rect.
  int ShiftByPosition(int pos, const TRect& rect) const;
  // The depth the axis is drawn at: the chart's depth on the far side.
  int Depth() const;
  // Whether a label at pos is drawn: always with LabelsOnAxis, otherwise
  // only strictly inside the pixel interval.
  bool OnAxis(int pos) const;

  void DrawTitle();
  void DrawLabel(int pos, std::string_view text, std::vector<int>& ticks);
  void RecordTick(std::vector<int>& ticks, int pos) const;
  void DrawValueLabels(double step, std::vector<int>& ticks);
  void DrawPointLabels(std::vector<int>& ticks);
  // The label of a point, through the chart's OnGetAxisLabel.
  std::string PointLabelText(TChartSeries& series, int index);
  // Axis line, ticks, grid, inner ticks, minor ticks and minor grid, at the
  // recorded ticks.
  void DrawLines(const std::vector<int>& ticks);
  void DrawGrid(const std::vector<int>& ticks);
  // A line across the axis at t from a to b, and a grid line at t.
  void CrossLine(int t, int a, int b);
  void GridLine(int t);
  std::vector<int> MinorTickPositions(const std::vector<int>& ticks) const;

  TCustomChartAxis& axis_;
  TCustomAxisPanel& chart_;
  TChartCanvas3D& canvas_;
};

}  // namespace halvorn
