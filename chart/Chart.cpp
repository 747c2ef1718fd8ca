#include "chart/Chart.h"

#include <cstdlib>
#include <utility>

#include "chart/CanvasTools.h"
#include "chart/ChartSeries.h"
#include "chart/ScopeExit.h"
#include "chart/StoreIfChanged.h"

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
  if (StoreIfChanged(backImageInside_, inside)) Invalidate();
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
  // The titles and the legend are drawn flat, whatever the view.
  TChartCanvas3D& canvas = Canvas();
  canvas.SuspendProjection();
  const TAtScopeExit resume([&canvas] { canvas.ResumeProjection(); });
  if (!legend_->Visible() || ActiveSeriesCount() == 0) {
    DrawTitles();
  } else if (legend_->IsVertical()) {
    legend_->DrawLegend();
    DrawTitles();
  } else {
    DrawTitles();
    legend_->DrawLegend();
  }
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

// --- Mouse --------------------------------------------------------------------

// A zoom drag must exceed this many pixels in both directions to count.
constexpr int kMinZoomDragPixels = 16;
// The share of its range that one wheel notch scrolls a vertical axis.
constexpr double kWheelScrollFraction = 3 * 0.01;

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (Zoom().Dragging || Panning().Dragging) return;
  if (ClickConsumed()) {
    SetClickConsumed(false);
    return;
  }
  // Cleared however the press ends: a click handler that throws must not
  // leave the flag set, or the next press would be swallowed.
  const TAtScopeExit clearAtEnd([this] { SetClickConsumed(false); });
  const TChartClickedPart part = ClickedPart(x, y);
  bool handled = false;
  // The background is offered a press once, even when it neither takes the
  // press nor a drag starts.
  bool backgroundOffered = false;
  switch (part.Part) {
    case cpLegend:
      if (OnClickLegend) {
        SetClickConsumed(true);
        OnClickLegend(*this, button, shift, x, y);
        handled = ClickConsumed();
      }
      break;
    case cpAxis:
      if (OnClickAxis) {
        SetClickConsumed(true);
        OnClickAxis(*this, *part.AAxis, button, shift, x, y);
        handled = ClickConsumed();
      }
      if (!handled) handled = StartDrag(button, shift, x, y);
      break;
    case cpSeries:
      handled = part.ASeries->Clicked(part.PointIndex, button, shift, x, y);
      if (OnClickSeries) {
        SetClickConsumed(true);
        OnClickSeries(*this, *part.ASeries, part.PointIndex, button, shift, x, y);
        handled = ClickConsumed();
      }
      if (!handled) handled = StartDrag(button, shift, x, y);
      break;
    case cpChartRect:
      handled = ClickBackground(button, shift, x, y);
      backgroundOffered = true;
      if (!handled) handled = StartDrag(button, shift, x, y);
      break;
    case cpTitle:
    case cpFoot:
    case cpNone:
      break;
  }
  if (!handled && !backgroundOffered) ClickBackground(button, shift, x, y);
}

bool TCustomChart::ClickBackground(TMouseButton button, TShiftState shift, int x, int y) {
  if (!OnClickBackground) return false;
  SetClickConsumed(true);
  OnClickBackground(*this, button, shift, x, y);
  return ClickConsumed();
}

bool TCustomChart::StartDrag(TMouseButton button, TShiftState shift, int x, int y) {
  const TChartMouseSettings& settings = ChartMouseSettings;
  bool handled = false;
  if (AllowZoom() && button == settings.ZoomButton && ShiftHolds(shift, settings.ZoomShift)) {
    SetCursor(crDefault);
    Zoom().Activate(x, y);
    DrawZoomRectangleOnWindow();
    handled = true;
  }
  if (AllowPanning() != pmNone && button == settings.ScrollButton &&
      ShiftHolds(shift, settings.ScrollShift)) {
    SetCursor(crDefault);
    Panning().Activate(x, y);
    handled = true;
  }
  return handled;
}

void TCustomChart::DrawZoomRectangleOnWindow() {
  BeginOverlay();
  DrawZoomRectangle();
  ShowZoomRectangle();
}

void TCustomChart::ShowZoomRectangle() {
  // The band is drawn over the screen only: the cached picture stays fresh,
  // and a paint shows it again with the band drawn over it anew.
  if (Host()) Host()->ShowSurface();
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
  TZoomPanningRecord& zoom = Zoom();
  TZoomPanningRecord& panning = Panning();
  if (zoom.Dragging) {
    if (x == zoom.CurrentX && y == zoom.CurrentY) return;
    BeginOverlay();
    // The band is an inversion: drawing the old one again erases it.
    DrawZoomRectangle();
    zoom.CurrentX = x;
    zoom.CurrentY = y;
    DrawZoomRectangle();
    ShowZoomRectangle();
    return;
  }
  if (panning.Dragging) {
    if (!ChartRect().Contains(TPoint{x, y})) {
      panning.Deactivate();
      return;
    }
    if (x == panning.CurrentX && y == panning.CurrentY) return;
    if (!hasSavedState_) SaveAxisState();
    const bool scrolledX = PanAxes(true, x, panning.CurrentX);
    const bool scrolledY = PanAxes(false, y, panning.CurrentY);
    panning.CurrentX = x;
    panning.CurrentY = y;
    if (scrolledX || scrolledY) {
      if (OnScroll) OnScroll(*this);
      Invalidate();
    }
    return;
  }
  bool cursorSet = false;
  for (TChartSeries* series : SeriesList()) {
    if (!series->Active() || series->Cursor() == crDefault) continue;
    if (series->PointAtPixel(x, y) == -1) continue;
    SetCursor(series->Cursor());
    cursorSet = true;
    break;
  }
  for (TChartSeries* series : SeriesList()) series->MouseMoved(shift, x, y);
  if (!cursorSet) SetCursor(OriginalCursor());
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  for (TChartSeries* series : SeriesList()) series->MouseReleased(button, shift, x, y);
  TZoomPanningRecord& zoom = Zoom();
  if (zoom.Dragging && button == ChartMouseSettings.ZoomButton) {
    zoom.Dragging = false;
    DrawZoomRectangleOnWindow();
    Canvas().Pen().SetMode(pmCopy);
    zoom.CurrentX = x;
    zoom.CurrentY = y;
    const int dx = zoom.CurrentX - zoom.StartX;
    const int dy = zoom.CurrentY - zoom.StartY;
    if (std::abs(dx) > kMinZoomDragPixels && std::abs(dy) > kMinZoomDragPixels) {
      if (dx > 0 && dy > 0)
        ZoomToRect();
      else
        UndoZoom();
      Invalidate();
    }
  }
  Panning().Deactivate();
}

void TCustomChart::MouseWheel(TShiftState, int delta, int, int) {
  if (delta == 0) return;
  // A notch down (negative) shows higher values.
  const double direction = delta < 0 ? 1.0 : -1.0;
  for (TCustomChartAxis* axis : Axes()) {
    if (axis->IsHorizontal()) continue;
    ScrollAxisBy(*axis, direction * (axis->Maximum() - axis->Minimum()) * kWheelScrollFraction);
  }
}

TChartClickedPart TCustomChart::ClickedPart(int x, int y) {
  for (int i = NumberOfSeries() - 1; i >= 0; --i) {
    TChartSeries* series = SeriesAt(i);
    if (!series->Active()) continue;
    const int index = series->PointAtPixel(x, y);
    if (index != -1) return TChartClickedPart{cpSeries, index, series, nullptr};
  }
  for (TCustomChartAxis* axis : Axes())
    if (AxisHit(*axis, x, y)) return TChartClickedPart{cpAxis, -1, nullptr, axis};
  if (title_->Clicked(x, y)) return TChartClickedPart{cpTitle};
  if (foot_->Clicked(x, y)) return TChartClickedPart{cpFoot};
  if (ActiveSeriesCount() > 0 && ChartRect().Contains(TPoint{x, y}))
    return TChartClickedPart{cpChartRect};
  if (legend_->Visible()) {
    const int item = legend_->ItemAtPixel(x, y);
    if (item != -1) return TChartClickedPart{cpLegend, item};
  }
  return TChartClickedPart{};
}

bool TCustomChart::AxisHit(const TCustomChartAxis& axis, int x, int y) const {
  if (!AxisIsShown(axis)) return false;
  const int alongLow = std::min(axis.StartPixel(), axis.EndPixel());
  const int alongHigh = std::max(axis.StartPixel(), axis.EndPixel());
  const int tolerance = ChartMouseSettings.AxisClickTolerance;
  int acrossLow, acrossHigh;
  if (axis.LabelsPos() < axis.AxisLinePos()) {
    acrossLow = axis.LabelsPos();
    acrossHigh = axis.AxisLinePos() + tolerance;
  } else {
    acrossLow = axis.AxisLinePos() - tolerance;
    acrossHigh = axis.LabelsPos();
  }
  const TRect strip = axis.IsHorizontal() ? TRect{alongLow, acrossLow, alongHigh, acrossHigh}
                                          : TRect{acrossLow, alongLow, acrossHigh, alongHigh};
  return strip.Contains(TPoint{x, y});
}

void TCustomChart::ZoomToRect() {
  TZoomPanningRecord& zoom = Zoom();
  if (zoom.StartX > zoom.CurrentX) std::swap(zoom.StartX, zoom.CurrentX);
  if (zoom.StartY > zoom.CurrentY) std::swap(zoom.StartY, zoom.CurrentY);
  // Every target comes from the ranges of the last paint, before any axis
  // changes; the lower screen edge gives the lower value.
  const TZoomValues values{
      LeftAxis().PixelToValue(zoom.CurrentY),  LeftAxis().PixelToValue(zoom.StartY),
      RightAxis().PixelToValue(zoom.CurrentY), RightAxis().PixelToValue(zoom.StartY),
      TopAxis().PixelToValue(zoom.StartX),     TopAxis().PixelToValue(zoom.CurrentX),
      BottomAxis().PixelToValue(zoom.StartX),  BottomAxis().PixelToValue(zoom.CurrentX),
  };
  ZoomToValues(values, AnimatedZoom());
}

void TCustomChart::ZoomToValues(const TZoomValues& values, bool animated) {
  if (!hasSavedState_) SaveAxisState();
  const struct {
    TCustomChartAxis& axis;
    double min, max;
  } targets[] = {
      {LeftAxis(), values.LeftMin, values.LeftMax},
      {RightAxis(), values.RightMin, values.RightMax},
      {TopAxis(), values.TopMin, values.TopMax},
      {BottomAxis(), values.BottomMin, values.BottomMax},
  };
  if (animated) {
    const double factor = ChartMouseSettings.ZoomAnimationFactor;
    for (int step = 1; step < AnimatedZoomSteps(); ++step) {
      for (const auto& t : targets)
        t.axis.SetValueRange(t.axis.Minimum() + (t.min - t.axis.Minimum()) / factor,
                             t.axis.Maximum() - (t.axis.Maximum() - t.max) / factor);
      Repaint();
    }
  }
  for (const auto& t : targets) t.axis.SetValueRange(t.min, t.max);
  isZoomed_ = true;
  if (OnZoom) OnZoom(*this);
}

std::array<TCustomChartAxis*, 4> TCustomChart::SavedAxes() const {
  return {&TopAxis(), &LeftAxis(), &RightAxis(), &BottomAxis()};
}

void TCustomChart::SaveAxisState() {
  const auto axes = SavedAxes();
  for (std::size_t i = 0; i < axes.size(); ++i) {
    const TCustomChartAxis& axis = *axes[i];
    savedAxisState_[i] = TSavedAxis{axis.Automatic(), axis.AutomaticMinimum(),
                                    axis.AutomaticMaximum(), axis.Minimum(), axis.Maximum()};
  }
  hasSavedState_ = true;
}

void TCustomChart::UndoZoom() {
  if (hasSavedState_) {
    const auto axes = SavedAxes();
    // Top, bottom, left, right.
    for (std::size_t i : {0u, 3u, 1u, 2u}) {
      TCustomChartAxis& axis = *axes[i];
      const TSavedAxis& saved = savedAxisState_[i];
      axis.SetAutomatic(saved.Automatic);
      axis.SetAutomaticMinimum(saved.AutomaticMinimum);
      axis.SetAutomaticMaximum(saved.AutomaticMaximum);
      if (!axis.Automatic()) {
        axis.SetValueRange(saved.Minimum, saved.Maximum);
        // Fixing the range clears both one-sided flags; a side that was
        // automatic stays so.
        axis.SetAutomaticMinimum(saved.AutomaticMinimum);
        axis.SetAutomaticMaximum(saved.AutomaticMaximum);
      }
    }
    hasSavedState_ = false;
  }
  if (OnUndoZoom) OnUndoZoom(*this);
  Invalidate();
  isZoomed_ = false;
}

bool TCustomChart::PanAxes(bool horizontal, int newPos, int oldPos) {
  if (newPos == oldPos) return false;
  const TPanningMode mode = horizontal ? pmHorizontal : pmVertical;
  if (AllowPanning() != mode && AllowPanning() != pmBoth) return false;
  for (TCustomChartAxis* axis : Axes())
    if (!axis->IsDepth() && axis->IsHorizontal() == horizontal) PanAxis(*axis, oldPos, newPos);
  return true;
}

void TCustomChart::PanAxis(TCustomChartAxis& axis, int oldPos, int newPos) {
  const double delta = axis.PixelToValue(oldPos) - axis.PixelToValue(newPos);
  double aMin = axis.Minimum() + delta;
  double aMax = axis.Maximum() + delta;
  bool allowScroll = true;
  if (OnAllowScroll) OnAllowScroll(axis, aMin, aMax, allowScroll);
  if (allowScroll) axis.SetValueRange(aMin, aMax);
}

void TCustomChart::ScrollAxisBy(TCustomChartAxis& axis, double delta) {
  axis.Scroll(delta);
  Repaint();
}

void TChart::SetBackColor(TColor color) {
  BackWall().SetColor(color);
  BackWall().Brush().SetStyle(bsSolid);
}

}  // namespace halvorn
