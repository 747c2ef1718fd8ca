#include "chart/Chart.h"

#include "chart/CanvasTools.h"
#include "chart/ChartSeries.h"

namespace halvorn {

// The left wall's default colour, a light yellow.
constexpr TColor kLeftWallColor = 0x0080FFFF;

TCustomChart::TCustomChart() {
  title_ = std::make_unique<TChartTitle>(*this);
  foot_ = std::make_unique<TChartTitle>(*this);
  backWall_ = std::make_unique<TChartWall>(*this, clAutoColor);
  backWall_->Brush().SetOnChange({});
  backWall_->Brush().SetStyle(bsClear);
  backWall_->Brush().SetOnChange(ChangeHandler());
  leftWall_ = std::make_unique<TChartWall>(*this, kLeftWallColor);
  legend_ = std::make_unique<TChartLegend>(*this);
  bottomWall_ = std::make_unique<TChartWall>(*this, clWhite);
}

TCustomChart::~TCustomChart() {
  title_.reset();
  foot_.reset();
  backWall_.reset();
  leftWall_.reset();
  bottomWall_.reset();
  legend_.reset();
}

void TCustomChart::SetBackImageInside(bool inside) {
  if (inside == backImageInside_) return;
  backImageInside_ = inside;
  Invalidate();
}

void TCustomChart::FitAxes() {
  for (TCustomChartAxis* axis : Axes()) axis->UpdateRangeFromSeries();
  // A flat chart has no depth to make room for.
  SetDepthSizes(0, 0, 0, 0);
  RecalcChartRectSize();
  TRect r = ChartRect();
  const auto& axes = Axes();
  for (std::size_t i = 0; i < axes.size(); ++i) {
    if (!AxisIsShown(*axes[i])) continue;
    TRect a = r;
    axes[i]->ClaimSpace(a, i < 5);
    const TRect common = a.Intersected(r);
    if (!common.IsEmpty()) r = common;
  }
  SetChartRect(r);
  RecalcChartRectSize();
  for (TCustomChartAxis* axis : Axes()) axis->RecalcPixelSpan();
}

void TCustomChart::ApplySeriesMargins() {
  for (TCustomChartAxis* axis : {&TopAxis(), &LeftAxis(), &RightAxis(), &BottomAxis()}) {
    TRect margins{0, 0, 0, 0};
    for (const TChartSeries* series : SeriesList()) {
      if (!series->Active() || !series->UsesAxis(*axis)) continue;
      int nearSide = 0, farSide = 0;
      if (axis->IsHorizontal()) {
        series->HorizontalMargins(nearSide, farSide);
        if (axis->AutomaticMinimum()) margins.Left = std::max(margins.Left, nearSide);
        if (axis->AutomaticMaximum()) margins.Right = std::max(margins.Right, farSide);
      } else {
        series->VerticalMargins(nearSide, farSide);
        if (axis->AutomaticMaximum()) margins.Top = std::max(margins.Top, nearSide);
        if (axis->AutomaticMinimum()) margins.Bottom = std::max(margins.Bottom, farSide);
      }
    }
    axis->WidenRangeForMargins(margins);
  }
}

int TCustomChart::AxisWallSize(const TCustomChartAxis& axis) const {
  if (!View3D() || !View3DWalls()) return 0;
  if (&axis == &LeftAxis()) return leftWall_->Size();
  if (&axis == &BottomAxis()) return bottomWall_->Size();
  return 0;
}

void TCustomChart::DrawTitles() {
  if (title_->Visible()) title_->Draw(true);
  if (foot_->Visible()) foot_->Draw(false);
}

void TCustomChart::DrawTitlesLegend() {
  TChartCanvas3D& canvas = Canvas();
  canvas.SuspendProjection();
  if (!legend_->Visible() || ActiveSeriesCount() == 0) {
    DrawTitles();
  } else if (legend_->IsVertical()) {
    legend_->DrawLegend();
    DrawTitles();
  } else {
    DrawTitles();
    legend_->DrawLegend();
  }
  canvas.ResumeProjection();
}

void TCustomChart::DrawBackWall() {
  TChartCanvas3D& canvas = Canvas();
  const TChartWall& wall = *backWall_;
  canvas.SelectPen(wall.Pen());
  if (const TBitmap* image = wall.Brush().Image())
    canvas.ReferenceCanvas()->SelectBrushPattern(&image->Pixels());
  else if (wall.Color() == clAutoColor && wall.Brush().Style() == bsSolid)
    canvas.Brush().SetStyle(bsClear);
  else
    SelectBrush(canvas, wall.Color(), wall.Brush().Style(), wall.Brush().Color());
  const TRect& r = ChartRect();
  canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
}

void TChart::SetBackColor(TColor color) {
  BackWall().SetColor(color);
  BackWall().Brush().SetStyle(bsSolid);
}

}  // namespace halvorn
