#include "chart/ChartWall.h"

#include "chart/ChartPanel.h"

namespace halvorn {

TChartWall::TChartWall(TCustomChartPanel& chart, TColor defaultColor)
    : chart_(&chart),
      defaultColor_(defaultColor),
      color_(defaultColor),
      brush_(chart.ChangeHandler()),
      pen_(chart.ChangeHandler()) {}

void TChartWall::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  chart_->Invalidate();
}

void TChartWall::SetDark3D(bool dark) {
  if (dark == dark3D_) return;
  dark3D_ = dark;
  chart_->Invalidate();
}

void TChartWall::SetSize(int size) {
  if (size == size_) return;
  size_ = size;
  chart_->Invalidate();
}

}  // namespace halvorn
