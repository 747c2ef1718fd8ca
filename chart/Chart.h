#pragma once
// The chart control: the axis panel with its walls, title, foot and legend
// (TCustomChart), and the control the main window places on its form
// (TChart).

#include <array>
#include <functional>
#include <memory>

#include "chart/ChartLegend.h"
#include "chart/ChartMouse.h"
#include "chart/ChartTitle.h"
#include "chart/ChartWall.h"
#include "chart/CustomAxisPanel.h"

namespace halvorn {

class TCustomChart;

// A pan step about to move an axis to aMin..aMax; the handler may change
// the limits or refuse the step by clearing allowScroll.
using TChartAllowScrollEvent =
    std::function<void(TCustomChartAxis& sender, double& aMin, double& aMax, bool& allowScroll)>;
using TChartClickAxis = std::function<void(TCustomChart& sender, TCustomChartAxis& axis,
                                           TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClickSeries =
    std::function<void(TCustomChart& sender, TChartSeries& series, int valueIndex,
                       TMouseButton button, TShiftState shift, int x, int y)>;
using TChartClick =
    std::function<void(TCustomChart& sender, TMouseButton button, TShiftState shift, int x, int y)>;

// The ranges of a zoom for the four side axes.
struct TZoomValues {
  double LeftMin, LeftMax;
  double RightMin, RightMax;
  double TopMin, TopMax;
  double BottomMin, BottomMax;
};

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

  // --- Mouse ------------------------------------------------------------------

  // A press is offered to the click events first (series, axis, legend,
  // background); unless a handler takes it, a press on a series point, an
  // axis or the plot area starts a zoom drag (zoom button) or a pan (scroll
  // button).
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // Moves the rubber band, or pans the axes by the movement since the last
  // move; without a drag, lets a series under the mouse show its cursor.
  void MouseMove(TShiftState shift, int x, int y) override;
  // Ends a zoom drag: a drag right and down by more than 16 pixels both ways
  // zooms to it, any other drag that long undoes the zoom, a shorter one
  // does nothing. Any release ends a pan.
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // Each notch scrolls the vertical axes by 3 % of their range; a notch
  // down moves the range up.
  void MouseWheel(TShiftState shift, int delta, int x, int y) override;

  // What lies under a point: a series point (last series first), an axis,
  // the title, the foot, the plot area while a series is active, a legend
  // item, or nothing.
  TChartClickedPart ClickedPart(int x, int y);
  // Whether a point lies on the strip of a shown axis: its line and ticks
  // and AxisClickTolerance pixels into the plot area.
  bool AxisHit(const TCustomChartAxis& axis, int x, int y) const;

  // Zooms the four side axes to the zoom record's rectangle.
  virtual void ZoomToRect();
  // Fixes the four side axes to the given ranges, in steps when animated,
  // saving the axis state first unless it is saved already.
  void ZoomToValues(const TZoomValues& values, bool animated);
  // Restores the axis state saved before the first zoom or pan since the
  // last undo; without one changes no axis. Always fires OnUndoZoom.
  virtual void UndoZoom();
  bool IsZoomed() const { return isZoomed_; }

  // Pans the axes of one direction from oldPos to newPos, as far as
  // AllowPanning permits; answers whether the move counted as a scroll.
  bool PanAxes(bool horizontal, int newPos, int oldPos);
  // Moves the axis range so that the value at oldPos comes to newPos,
  // subject to OnAllowScroll.
  void PanAxis(TCustomChartAxis& axis, int oldPos, int newPos);
  // Moves both limits of the axis by delta, fixes it and repaints at once.
  void ScrollAxisBy(TCustomChartAxis& axis, double delta);

  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClickSeries OnClickSeries;
  TChartClick OnClickLegend;
  TChartClick OnClickBackground;

 protected:
  void FitAxes() override;
  void ApplySeriesMargins() override;
  int AxisWallSize(const TCustomChartAxis& axis) const override;
  void DrawTitlesLegend() override;
  void DrawBackWall() override;

 private:
  void DrawTitles();

  struct TSavedAxis {
    bool Automatic, AutomaticMinimum, AutomaticMaximum;
    double Minimum, Maximum;
  };
  // Top, left, right and bottom axis.
  std::array<TCustomChartAxis*, 4> SavedAxes() const;
  void SaveAxisState();
  // Both tests: zoom by the zoom button, pan by the scroll button.
  bool StartDrag(TMouseButton button, TShiftState shift, int x, int y);
  bool ClickBackground(TMouseButton button, TShiftState shift, int x, int y);
  // Draws into the window between paints and shows it.
  void DrawZoomRectangleOnWindow();
  // Shows the window after the band changed on it between paints.
  void ShowZoomRectangle();

  std::unique_ptr<TChartTitle> title_;
  std::unique_ptr<TChartTitle> foot_;
  std::unique_ptr<TChartWall> backWall_;
  std::unique_ptr<TChartWall> leftWall_;
  std::unique_ptr<TChartLegend> legend_;
  std::unique_ptr<TChartWall> bottomWall_;
  bool backImageInside_ = false;
  std::array<TSavedAxis, 4> savedAxisState_{};
  bool hasSavedState_ = false;
  bool isZoomed_ = false;
};

class TChart : public TCustomChart {
 public:
  // The back wall's colour; writing it makes the wall's brush solid.
  TColor BackColor() const { return BackWallColor(); }
  void SetBackColor(TColor color);
  TChartPen& Frame() { return BackWall().Pen(); }
};

}  // namespace halvorn
