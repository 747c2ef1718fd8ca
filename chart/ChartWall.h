#pragma once
// A wall of the chart: the back wall behind the series, and the left and
// bottom walls of a 3D view. Every change repaints the chart.

#include "chart/ChartPen.h"
#include "platform/runtime/Colors.h"

namespace halvorn {

class TCustomChartPanel;

class TChartWall {
 public:
  // defaultColor is the wall's own default: Color starts as it and is
  // stored in a form only when it differs.
  TChartWall(TCustomChartPanel& chart, TColor defaultColor);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  TCustomChartPanel& ParentChart() const { return *chart_; }
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TColor DefaultColor() const { return defaultColor_; }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool dark);
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  int Size() const { return size_; }
  void SetSize(int size);

 private:
  TCustomChartPanel* chart_;
  TColor defaultColor_;
  TColor color_;
  bool dark3D_ = true;
  int size_ = 0;
  TChartBrush brush_;
  TChartPen pen_;
};

}  // namespace halvorn
