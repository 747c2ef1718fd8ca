#pragma once
// A chart axis: its settings (range mode and limits, labels, ticks, grid,
// title and pens), its place on the chart and its scale. The axis keeps the
// names the chart and the series call; the work is done by the scale
// (AxisScale.h: range, pixels, mapping), the label steps (LabelSteps.h:
// where labels go), the label format (AxisLabelFormat.h: what they say) and
// the painter (AxisPainter.h: the room an axis takes and its drawing).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/AxisLabelFormat.h"
#include "chart/AxisScale.h"
#include "chart/ChartAxisTitle.h"
#include "chart/ChartPen.h"
#include "chart/LabelSteps.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TCustomAxisPanel;
class TCustomChartAxis;
class TChartSeries;

// What the labels of an axis show; talAuto picks from the series using it.
enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// The chart's hook on every label text: series is null and valueIndex -1
// for value labels; the handler may change labelText.
using TAxisOnGetLabel = std::function<void(TCustomChartAxis& sender, TChartSeries* series,
                                           int valueIndex, std::string& labelText)>;
// The chart's source of label values: called with labelIndex 0, 1, ... and
// stop True; a handler that clears stop supplies labelValue as the next
// label, one that leaves it set ends the labels.
using TAxisOnGetNextLabel =
    std::function<void(TCustomChartAxis& sender, int labelIndex, double& labelValue, bool& stop)>;

// The most ticks one drawing of an axis records; further labels are drawn
// without ticks, grid lines or minor ticks.
constexpr int kMaxAxisTicks = 2000;

class TCustomChartAxis {
 public:
  // Appends the axis to `chart`'s axes list; leaves it on destruction. The
  // title starts at titleAngle, which is also DefaultTitleAngle.
  TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool onFarSide, bool depth,
                   int titleAngle = 0);
  virtual ~TCustomChartAxis();

  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

  TCustomAxisPanel& ParentChart() const { return *chart_; }
  bool IsHorizontal() const { return horizontal_; }
  // On the top or right edge of ChartRect.
  bool OnFarSide() const { return onFarSide_; }
  bool IsDepth() const { return depth_; }

  // Every setter below stores a different value and invalidates the chart;
  // an equal value changes nothing. A refused value raises before anything
  // is stored, even when it equals the stored one.

  // --- Range ----------------------------------------------------------------

  // Automatic is True exactly while both one-sided flags are: setting it
  // sets both; clearing a one-sided flag clears it; setting a one-sided flag
  // sets it when the other one is already set.
  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool v);
  bool AutomaticMaximum() const { return automaticMaximum_; }
  void SetAutomaticMaximum(bool v);
  bool AutomaticMinimum() const { return automaticMinimum_; }
  void SetAutomaticMinimum(bool v);
  // The limits of a fixed range; raise AxisException when they would cross.
  double Maximum() const { return maximum_; }
  void SetMaximum(double v);
  double Minimum() const { return minimum_; }
  void SetMinimum(double v);
  // The step between labels; 0 chooses it automatically, below 0 raises
  // AxisException.
  double Increment() const { return increment_; }
  void SetIncrement(double v);
  // Larger values to the left on a horizontal axis, downwards on a vertical.
  bool Inverted() const { return inverted_; }
  void SetInverted(bool v);
  // True raises AxisException while the data along the axis are date-times
  // or the working range reaches below 0.
  bool Logarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool v);
  // Below 2 raises AxisException.
  int LogarithmicBase() const { return logarithmicBase_; }
  void SetLogarithmicBase(int v);
  // Where the axis starts and ends, in percent of ChartRect's extent.
  double StartPosition() const { return startPosition_; }
  void SetStartPosition(double percent);
  double EndPosition() const { return endPosition_; }
  void SetEndPosition(double percent);
  // Moves the axis line, labels and title across ChartRect, in percent of
  // its extent.
  double PositionPercent() const { return positionPercent_; }
  void SetPositionPercent(double percent);

  // --- Labels ---------------------------------------------------------------

  bool Labels() const { return labels_; }
  void SetLabels(bool v);
  // 0..359 degrees; anything else raises ChartException.
  int LabelsAngle() const { return labelsAngle_; }
  void SetLabelsAngle(int degrees);
  TFont& LabelsFont() { return labelsFont_; }
  const TFont& LabelsFont() const { return labelsFont_; }
  void SetLabelsFont(const TFont& font) { labelsFont_.Assign(font); }
  // Breaks every label at its spaces.
  bool LabelsMultiLine() const { return labelFormat_.MultiLine; }
  void SetLabelsMultiLine(bool v);
  // Draws labels whose position falls outside the axis's pixel interval.
  bool LabelsOnAxis() const { return labelsOnAxis_; }
  void SetLabelsOnAxis(bool v);
  // Room between labels in percent of a label's size; 0 stops thinning the
  // labels out, below 0 raises AxisException.
  int LabelsSeparation() const { return labelsSeparation_; }
  void SetLabelsSeparation(int v);
  // The room the labels take across the axis in pixels; 0 measures them.
  int LabelsSize() const { return labelsSize_; }
  void SetLabelsSize(int v);
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TAxisLabelStyle v);
  // Starts the labels at a multiple of the step.
  bool RoundFirstLabel() const { return roundFirstLabel_; }
  void SetRoundFirstLabel(bool v);
  // The number format of value labels, and the date format of date-time
  // labels (empty: chosen from the range).
  const std::string& AxisValuesFormat() const { return labelFormat_.ValuesFormat; }
  void SetAxisValuesFormat(const std::string& v);
  const std::string& DateTimeFormat() const { return labelFormat_.DateTimeFormat; }
  void SetDateTimeFormat(const std::string& v);
  // Date-time labels fall on whole calendar steps.
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool v);

  // --- Lines and ticks --------------------------------------------------------

  // The pens belong to the axis; a change of any of them, or a Set... that
  // copies a different pen into it, invalidates the chart.
  TChartPen& Axis() { return axisPen_; }
  const TChartPen& Axis() const { return axisPen_; }
  void SetAxis(const TChartPen& pen) { axisPen_.Assign(pen); }
  TChartPen& Grid() { return grid_; }
  const TChartPen& Grid() const { return grid_; }
  void SetGrid(const TChartPen& pen) { grid_.Assign(pen); }
  TChartPen& MinorGrid() { return minorGrid_; }
  const TChartPen& MinorGrid() const { return minorGrid_; }
  void SetMinorGrid(const TChartPen& pen) { minorGrid_.Assign(pen); }
  TChartPen& MinorTicks() { return minorTicks_; }
  const TChartPen& MinorTicks() const { return minorTicks_; }
  void SetMinorTicks(const TChartPen& pen) { minorTicks_.Assign(pen); }
  TChartPen& Ticks() { return ticks_; }
  const TChartPen& Ticks() const { return ticks_; }
  void SetTicks(const TChartPen& pen) { ticks_.Assign(pen); }
  TChartPen& TicksInner() { return ticksInner_; }
  const TChartPen& TicksInner() const { return ticksInner_; }
  void SetTicksInner(const TChartPen& pen) { ticksInner_.Assign(pen); }

  // Grid lines between the labels instead of through them.
  bool GridCentered() const { return gridCentered_; }
  void SetGridCentered(bool v);
  // Minor ticks between two labels, and tick lengths in pixels.
  int MinorTickCount() const { return minorTickCount_; }
  void SetMinorTickCount(int v);
  int MinorTickLength() const { return minorTickLength_; }
  void SetMinorTickLength(int v);
  int TickInnerLength() const { return tickInnerLength_; }
  void SetTickInnerLength(int v);
  int TickLength() const { return tickLength_; }
  void SetTickLength(int v);
  // Ticks only where a label is drawn, rather than at every label value.
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
  void SetTickOnLabelsOnly(bool v);

  // --- Title and visibility -------------------------------------------------

  TChartAxisTitle& Title() { return title_; }
  const TChartAxisTitle& Title() const { return title_; }
  void SetTitle(const TChartAxisTitle& title) { title_.Assign(title); }
  // The room the title takes across the axis in pixels; 0 measures it.
  int TitleSize() const { return titleSize_; }
  void SetTitleSize(int v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);

  // The title angle the axis was created with.
  int DefaultTitleAngle() const { return defaultTitleAngle_; }

  // --- Working state ----------------------------------------------------------

  // Whether the X values (horizontal axis) or Y values (vertical axis) of
  // the first active series using the axis are date-times; False when no
  // active series uses it.
  bool SeriesDataIsDateTime() const;

  // The scale the mapping uses: the working range (RangeSize is always
  // RangeMax - RangeMin, and RangeMin may exceed RangeMax for a moment) and
  // the pixel interval along the axis (x for horizontal, y for vertical).
  double RangeMin() const { return scale_.RangeMin(); }
  double RangeMax() const { return scale_.RangeMax(); }
  double RangeSize() const { return scale_.RangeSize(); }
  void SetRange(double min, double max) { scale_.SetRange(min, max); }
  int StartPixel() const { return scale_.StartPixel(); }
  int EndPixel() const { return scale_.EndPixel(); }
  int SpanPixels() const { return scale_.SpanPixels(); }
  int CenterPixel() const { return scale_.CenterPixel(); }
  // Places the interval along the chart's ChartRect.
  void RecalcPixelSpan();

  // Whether the data along the axis were date-times when the axis was last
  // measured or drawn.
  bool ShowsDateTime() const { return showsDateTime_; }

  // Fixes the range to min..max (in either order, at least 1e-10 wide) and
  // leaves automatic mode on both sides; no order checks.
  void SetValueRange(double min, double max);
  // Moves both limits by delta and leaves automatic mode, storing them
  // without checks or a repaint request. The guarded form scrolls only
  // toward data beyond the current limits: up while the data maximum lies
  // above Maximum, down while the data minimum lies below Minimum.
  void Scroll(double delta, bool guarded = false);

  // The steps of a paint. UpdateRangeFromSeries takes the automatic limits
  // from the series (Minimum and Maximum change without a repaint) and makes
  // Minimum..Maximum the working range. WidenRangeForMargins widens the
  // working range so that the data keep the given pixels free at the ends
  // of the axis (left and right of a horizontal axis, top and bottom of a
  // vertical one), ordering it low to high.
  void UpdateRangeFromSeries();
  void WidenRangeForMargins(const TRect& margins);
  // Takes the room of the title, labels and ticks out of rect on the axis's
  // side and sets LabelsPos and TitlePos at the new edges. Without inflate
  // the rectangle stays and the three positions are laid out outward from
  // its edge instead.
  void ClaimSpace(TRect& rect, bool inflate);
  // Draws title, labels, axis line, ticks, grid and minor ticks; with
  // setLinePos the axis line first moves to ChartRect's edge.
  void DrawAxis(bool setLinePos);
  // A label or title of one or more lines anchored at (x, y), aligned by
  // the axis's side and the angle.
  void DrawAxisText(int x, int y, std::string_view text, int angle);

  // --- Labels of a paint --------------------------------------------------------

  // The style the labels are drawn in: LabelStyle, or for talAuto the style
  // the active series using the axis call for (talNone without any).
  TAxisLabelStyle EffectiveLabelStyle() const;
  // The step between value labels for the canvas's current font, so that
  // the labels of the range ends fit with LabelsSeparation between them.
  double LabelStep();
  // The step for labels of the given extent along the axis, and for at most
  // count labels.
  double LabelStepForSize(int size) const;
  double LabelStepForCount(int count) const;
  // The next step of the sequence 1, 2, 5, 10, 20, ... scaled to x's decade.
  static double NextNiceStep(double x) { return halvorn::NextNiceStep(x); }
  // The values that get a label, from the top of the range down; the
  // chart's OnGetNextAxisLabel supplies them instead when it is assigned.
  std::vector<double> LabelValues(double step);
  // The text of a value label, through the chart's OnGetAxisLabel.
  std::string LabelText(double value);
  // The pattern of value labels and their line breaks.
  const TAxisLabelFormat& LabelFormat() const { return labelFormat_; }

  // Positions across the axis direction (y for a horizontal axis, x for a
  // vertical one) of the axis line, the labels' anchor and the title's
  // anchor, as the last layout left them; 0 before the first.
  int AxisLinePos() const { return axisLinePos_; }
  void SetAxisLinePos(int pos) { axisLinePos_ = pos; }
  int LabelsPos() const { return labelsPos_; }
  void SetLabelsPos(int pos) { labelsPos_ = pos; }
  int TitlePos() const { return titlePos_; }
  void SetTitlePos(int pos) { titlePos_ = pos; }

  // A zero range, or an offset beyond the 32-bit range, maps to CenterPixel.
  int ValueToPixel(double value) const {
    return horizontal_ ? ValueToPixelX(value) : ValueToPixelY(value);
  }
  int ValueToPixelX(double value) const { return scale_.ValueToPixelX(value, inverted_); }
  // Larger values lie higher on the screen unless Inverted.
  int ValueToPixelY(double value) const { return scale_.ValueToPixelY(value, inverted_); }
  // 0 while the interval is shorter than one pixel.
  double PixelToValue(int pixel) const {
    return scale_.PixelToValue(pixel, horizontal_, inverted_);
  }

 protected:
  // Class defaults are set quietly, before anyone listens.
  void InitVisible(bool v) { visible_ = v; }

 private:
  // Requests the chart's repaint: the change handler of every setting, and
  // of the pens and font the axis owns.
  void Changed() const;
  TNotifyChange ChangeHandler() const {
    return [this] { Changed(); };
  }
  // The one store of a fixed range, for zooming, panning, the wheel and an
  // undo: the limits as TAxisLimits made them, without the setters' order
  // checks. The callers have ended automatic mode first. Answers whether a
  // limit changed.
  bool FixLimits(TAxisLimits limits);

  TCustomAxisPanel* chart_;
  bool horizontal_;
  bool onFarSide_;
  bool depth_;

  bool automatic_ = true;
  bool automaticMaximum_ = true;
  bool automaticMinimum_ = true;
  double maximum_ = 0;
  double minimum_ = 0;
  double increment_ = 0;
  bool inverted_ = false;
  bool logarithmic_ = false;
  int logarithmicBase_ = 10;
  double startPosition_ = 0;
  double endPosition_ = 100;
  double positionPercent_ = 0;

  bool labels_ = true;
  int labelsAngle_ = 0;
  TFont labelsFont_;
  bool labelsOnAxis_ = true;
  int labelsSeparation_ = 10;
  int labelsSize_ = 0;
  TAxisLabelStyle labelStyle_ = talAuto;
  bool roundFirstLabel_ = true;
  TAxisLabelFormat labelFormat_;
  bool exactDateTime_ = true;

  TChartAxisPen axisPen_;
  TDottedGrayPen grid_;
  TChartHiddenPen minorGrid_;
  TDarkGrayPen minorTicks_;
  TDarkGrayPen ticks_;
  TDarkGrayPen ticksInner_;
  bool gridCentered_ = false;
  int minorTickCount_ = 3;
  int minorTickLength_ = 2;
  int tickInnerLength_ = 0;
  int tickLength_ = 4;
  bool tickOnLabelsOnly_ = true;

  int defaultTitleAngle_;
  TChartAxisTitle title_;
  int titleSize_ = 0;
  bool visible_ = true;

  TAxisScale scale_;
  int axisLinePos_ = 0;
  int labelsPos_ = 0;
  int titlePos_ = 0;
  bool showsDateTime_ = false;
};

// The axis of the four sides of the chart.
class TChartAxis : public TCustomChartAxis {
 public:
  using TCustomChartAxis::TCustomChartAxis;
};

// The axis along the chart's depth, on the far side; hidden until the chart
// is drawn in 3D.
class TChartDepthAxis : public TCustomChartAxis {
 public:
  explicit TChartDepthAxis(TCustomAxisPanel& chart);
};

}  // namespace halvorn
