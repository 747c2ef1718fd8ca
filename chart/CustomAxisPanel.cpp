#include "chart/CustomAxisPanel.h"

#include <algorithm>

#include "chart/CanvasStateSaver.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/FloatOps.h"
#include "platform/runtime/Format.h"

namespace halvorn {

TCustomAxisPanel::TCustomAxisPanel() {
  bottomAxis_ = std::make_unique<TChartAxis>(*this, true, false, false);
  topAxis_ = std::make_unique<TChartAxis>(*this, true, true, false);
  leftAxis_ = std::make_unique<TChartAxis>(*this, false, false, false, 90);
  rightAxis_ = std::make_unique<TChartAxis>(*this, false, true, false, 270);
  depthAxis_ = std::make_unique<TChartDepthAxis>(*this);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  destroying_ = true;
  while (!seriesList_.items_.empty()) {
    TChartSeries* series = seriesList_.items_.front();
    DetachSeries(*series);
    delete series;
  }
}

void TCustomAxisPanel::UnregisterAxis(TCustomChartAxis& axis) {
  axes_.erase(std::remove(axes_.begin(), axes_.end(), &axis), axes_.end());
}

void TCustomAxisPanel::AttachSeries(TChartSeries& series) {
  if (seriesList_.IndexOf(series) >= 0) return;
  if (series.SeriesColor() == clAutoColor) series.SetSeriesColor(PickFreeSeriesColor(true));
  // A series belongs to one chart at a time.
  if (series.parentChart_) series.parentChart_->DetachSeries(series);
  series.parentChart_ = this;
  series.BindAxes();
  seriesList_.items_.push_back(&series);
  Invalidate();
}

void TCustomAxisPanel::DetachSeries(TChartSeries& series) {
  const int index = seriesList_.IndexOf(series);
  if (index < 0) return;
  series.parentChart_ = nullptr;
  // The axis objects belong to this chart and must not outlive the bond.
  series.BindAxes();
  if (Cursor() == series.Cursor()) SetCursor(OriginalCursor());
  seriesList_.items_.erase(seriesList_.items_.begin() + index);
  if (!destroying_) Invalidate();
}

TColor TCustomAxisPanel::PickFreeSeriesColor(bool checkBackground) const {
  for (int i = 0; i < 16; ++i)
    if (SeriesColorIsFree(PaletteColor(i), checkBackground)) return PaletteColor(i);
  return PaletteColor(16);
}

bool TCustomAxisPanel::SeriesColorIsFree(TColor color, bool checkBackground) const {
  for (const TChartSeries* series : seriesList_)
    if (series->SeriesColor() == color) return false;
  return !(checkBackground && (color == Color() || color == BackWallColor()));
}

TChartSeries* TCustomAxisPanel::LegendSeriesAt(int n) const {
  int position = 0;
  for (TChartSeries* series : seriesList_) {
    if (!series->Active() || !series->ShowInLegend()) continue;
    if (position == n) return series;
    ++position;
  }
  return nullptr;
}

std::string TCustomAxisPanel::LegendSeriesTitle(int n) const {
  const TChartSeries* series = LegendSeriesAt(n);
  if (!series) return {};
  if (!series->Title().empty()) return series->Title();
  if (!series->Name().empty()) return series->Name();
  return Fmt("Series %d", n);
}

int TCustomAxisPanel::MaxPointCount() const {
  int result = 0;
  for (const TChartSeries* series : seriesList_)
    if (series->Active()) result = std::max(result, series->PointCount());
  return result;
}

void TCustomAxisPanel::SetAxisVisible(bool visible) {
  if (StoreIfChanged(axisVisible_, visible)) Invalidate();
}

void TCustomAxisPanel::SetClipPoints(bool clip) {
  if (StoreIfChanged(clipPoints_, clip)) Invalidate();
}

void TCustomAxisPanel::SetView3DWalls(bool walls) {
  if (StoreIfChanged(view3DWalls_, walls)) Invalidate();
}

int TCustomAxisPanel::NumPages() const {
  if (maxPointsPerPage_ <= 0) return 1;
  const int points = MaxPointCount();
  return points <= maxPointsPerPage_ ? 1 : (points + maxPointsPerPage_ - 1) / maxPointsPerPage_;
}

void TCustomAxisPanel::SetPage(int page) {
  page = std::clamp(page, 1, NumPages());
  if (!StoreIfChanged(page_, page)) return;
  Invalidate();
  if (OnPageChange) OnPageChange(*this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int points) {
  if (points < 0) throw ChartException("MaxPointsPerPage must be >= 0");
  if (StoreIfChanged(maxPointsPerPage_, points)) Invalidate();
}

void TCustomAxisPanel::SetScaleLastPage(bool scale) {
  if (StoreIfChanged(scaleLastPage_, scale)) Invalidate();
}

bool TCustomAxisPanel::AxisIsShown(const TCustomChartAxis& axis) const {
  if (!axisVisible_ || !axis.Visible()) return false;
  if (axis.IsDepth()) return View3D();
  bool shown = true;
  for (const TChartSeries* series : seriesList_) {
    if (!series->Active() || !series->UsesAxes()) continue;
    shown = series->UsesAxis(axis);
    if (shown) break;
  }
  return shown;
}

double TCustomAxisPanel::AxisDataExtreme(const TCustomChartAxis& axis, bool lowest) const {
  const bool horizontal = axis.IsHorizontal();
  const auto attached = [&](const TChartSeries& series) {
    return horizontal ? series.HorizAxis() == aBothHorizAxis || series.GetHorizAxis() == &axis
                      : series.VertAxis() == aBothVertAxis || series.GetVertAxis() == &axis;
  };
  bool anyActive = false;
  for (const TChartSeries* series : seriesList_)
    if (series->Active() && attached(*series)) anyActive = true;
  bool found = false;
  double result = 0;
  for (const TChartSeries* series : seriesList_) {
    if ((anyActive && !series->Active()) || series->PointCount() == 0 || !attached(*series))
      continue;
    const double v = horizontal ? (lowest ? series->LowestX() : series->HighestX())
                                : (lowest ? series->LowestY() : series->HighestY());
    if (!found || (lowest ? FLess(v, result) : FLess(result, v))) result = v;
    found = true;
  }
  return result;
}

void TCustomAxisPanel::DrawChart(const TRect& paintRect) {
  TChartCanvas3D& canvas = Canvas();
  DrawBackground(paintRect);
  for (TChartSeries* series : seriesList_)
    if (series->Active()) series->BeforeDrawChart();
  DrawTitlesLegend();
  // A flat chart has one depth level: every series' depth index stays 0.
  FitAxes();
  ApplySeriesMargins();
  canvas.SetProjection(Width3D(), PaintRect(), ChartRect());
  DrawBackWall();
  // The axes lie behind the series.
  if (axisVisible_) DrawAxes();
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(*this);
  for (TChartSeries* series : seriesList_)
    if (series->Active()) DrawOneSeries(*series);
  canvas.ResetTools();
  if (OnAfterDraw) OnAfterDraw(*this);
}

void TCustomAxisPanel::DrawAxes() {
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(*this);
  for (TCustomChartAxis* axis : axes_)
    if (AxisIsShown(*axis)) axis->DrawAxis(true);
}

void TCustomAxisPanel::DrawOneSeries(TChartSeries& series) {
  series.ComputeVisibleRange();
  if (series.FirstVisibleIndex() == -1) return;
  series.DoBeforeDrawValues();
  {
    // The points alone are clipped to the plot area.
    TChartCanvas3D& canvas = Canvas();
    const TCanvasStateSaver keepUnclipped(canvas, TCanvasStateSaver::kClip);
    if (clipPoints_) canvas.ClipBox(ChartRect(), 0, Width3D());
    series.DrawAllPoints();
  }
  // Marks have no drawing: a chart that shows them is not made here.
  series.DoAfterDrawValues();
}

void TCustomAxisPanel::PaintZoomBand() {
  BeginOverlay();
  DrawZoomRectangle();
}

void TCustomAxisPanel::BeginOverlay() {
  Frames().BeginOverlay();
  // The screen may have become another surface.
  Canvas().SetReferenceCanvas(&WindowCanvas());
}

void TCustomAxisPanel::DrawZoomRectangle() {
  TChartCanvas3D& canvas = Canvas();
  TColor colour = ColorToRGB(Color());
  if (colour == clWhite) colour = clBlack;
  TPen& pen = canvas.Pen();
  pen.SetColor(colour);
  pen.SetMode(pmNotXor);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  canvas.Brush().SetStyle(bsClear);
  const TZoomPanningRecord& zoom = Zoom();
  canvas.Rectangle(zoom.StartX, zoom.StartY, zoom.CurrentX, zoom.CurrentY);
}

}  // namespace halvorn
