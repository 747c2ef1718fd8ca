#include "chart/ChartWall.h"

#include "chart/ChartPanel.h"
#include "chart/StoreIfChanged.h"

namespace halvorn {

TChartWall::TChartWall(TCustomChartPanel& chart, TColor defaultColor)
    : chart_(&chart),
      defaultColor_(defaultColor),
      color_(defaultColor),
      brush_(chart.ChangeHandler()),
      pen_(chart.ChangeHandler()) {}

void TChartWall::SetColor(TColor color) {
  if (StoreIfChanged(color_, color)) chart_->Invalidate();
}

void TChartWall::SetDark3D(bool dark) {
  if (StoreIfChanged(dark3D_, dark)) chart_->Invalidate();
}

void TChartWall::SetSize(int size) {
  if (StoreIfChanged(size_, size)) chart_->Invalidate();
}

}  // namespace halvorn
