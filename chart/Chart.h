#pragma once
// The chart control: the axis panel with its walls, title, foot and legend
// (TCustomChart), and the control the main window places on its form
// (TChart).

#include <memory>

#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/ChartWall.h"
#include "chart/CustomAxisPanel.h"

namespace halvorn {

class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();
  ~TCustomChart() override;

  TChartWall& BackWall() { return *backWall_; }
  TChartWall& LeftWall() { return *leftWall_; }
  TChartWall& BottomWall() { return *bottomWall_; }
  TChartTitle& Title() { return *title_; }
  TChartTitle& Foot() { return *foot_; }
  TChartLegend& Legend() { return *legend_; }
  bool BackImageInside() const { return backImageInside_; }
  void SetBackImageInside(bool inside);

  TColor BackWallColor() const override { return backWall_->Color(); }
  TColor LegendBackColor() const override { return legend_->Color(); }

 protected:
  void FitAxes() override;
  void ApplySeriesMargins() override;
  int AxisWallSize(const TCustomChartAxis& axis) const override;
  void DrawTitlesLegend() override;
  void DrawBackWall() override;

 private:
  void DrawTitles();

  std::unique_ptr<TChartTitle> title_;
  std::unique_ptr<TChartTitle> foot_;
  std::unique_ptr<TChartWall> backWall_;
  std::unique_ptr<TChartWall> leftWall_;
  std::unique_ptr<TChartLegend> legend_;
  std::unique_ptr<TChartWall> bottomWall_;
  bool backImageInside_ = false;
};

class TChart : public TCustomChart {
 public:
  // The back wall's colour; writing it makes the wall's brush solid.
  TColor BackColor() const { return BackWallColor(); }
  void SetBackColor(TColor color);
  TChartPen& Frame() { return BackWall().Pen(); }
};

}  // namespace halvorn
