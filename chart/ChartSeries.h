#pragma once
// The base of every data series: a sequence of whole points (one entry in
// each value list, a colour and a label per point), the queries the axes,
// the paint pipeline and the legend make of it, and its bond to a chart.
//
// Ownership: a series listed by a chart is destroyed by that chart when the
// chart is destroyed first; a series destroyed first leaves its chart's list.
// So a listed series is held either by a plain pointer, leaving it to the
// chart, or by an owner that is destroyed before the chart.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "chart/ChartValueList.h"
#include "chart/SeriesMarks.h"
#include "platform/panel/PanelHost.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TChartCanvas3D;
class TCustomAxisPanel;
class TCustomChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// The colours a chart hands to series that have none.
inline constexpr std::array<TColor, 16> DefaultSeriesPalette = {
    clRed,  clGreen,  clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack,
};

// Entry (index mod 16) of the palette, for index >= 0.
constexpr TColor PaletteColor(int index) {
  return DefaultSeriesPalette[static_cast<unsigned>(index) % DefaultSeriesPalette.size()];
}

class TChartSeries {
 public:
  TChartSeries();
  virtual ~TChartSeries();

  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;

  // Component name, the legend's fallback title.
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // --- Points -------------------------------------------------------------

  int PointCount() const { return XValues().ValueCount(); }

  // Adds the point where the X list's Order puts it and returns its index,
  // or -1 when OnBeforeAdd refuses it. clAutoColor means the series colour,
  // clNone makes a null point; an empty label stores no label.
  virtual int AppendXY(double x, double y, const std::string& label, TColor color);
  // Adds at x = PointCount().
  int AppendY(double value, const std::string& label, TColor color);
  // A point without a value: not drawn, and lines do not connect to it.
  int AppendNullXY(double x, double y, const std::string& label = {});
  int AppendNull(const std::string& label = {}) { return AppendY(0, label, clNone); }
  bool IsNullPoint(int index) const { return PointColor(index) == clNone; }

  virtual void ClearPoints();
  virtual void DeletePoint(int index);
  // Swaps two whole points; the value lists sort through it.
  void ExchangePoints(int a, int b);

  // The colour the point is drawn in: its own, or for clAutoColor the
  // series colour (a palette colour by index with ColorEachPoint). Beyond
  // the stored points it is the series colour.
  virtual TColor PointColor(int index) const;
  // Stores a point's own colour (clAutoColor, clNone or a colour).
  void SetPointColor(int index, TColor color);
  // Empty beyond the stored points.
  virtual std::string PointLabel(int index) const;
  virtual double XValueAt(int index) const { return XValues().ValueAt(index); }
  virtual double YValueAt(int index) const { return YValues().ValueAt(index); }

  // The data extents the series reports to its axes.
  virtual double LowestX() const { return XValues().LowestValue(); }
  virtual double HighestX() const { return XValues().HighestValue(); }
  virtual double LowestY() const { return YValues().LowestValue(); }
  virtual double HighestY() const { return YValues().HighestValue(); }

  TChartValueList& XValues() const { return *xValues_; }
  TChartValueList& YValues() const { return *yValues_; }
  // Take the other list's settings (not its values).
  void SetXValues(const TChartValueList& source);
  void SetYValues(const TChartValueList& source);
  const TChartValueLists& ValueLists() const { return valueLists_; }

  // --- Drawing side ---------------------------------------------------------

  // The index range inside the horizontal axis' current range, from the
  // edges of the chart's ChartRect; -1..-1 when nothing is visible.
  void ComputeVisibleRange();
  int FirstVisibleIndex() const { return firstVisibleIndex_; }
  int LastVisibleIndex() const { return lastVisibleIndex_; }
  // The point's pixel on the bound horizontal / vertical axis.
  virtual int XPixel(int index) const;
  virtual int YPixel(int index) const;
  // The paint's steps for this series: the notification at the start of
  // every paint, then, when points are visible, the before-drawing step,
  // DrawAllPoints (DrawPoint for each visible point, in index order) and
  // the after-drawing step.
  virtual void BeforeDrawChart() {}
  virtual void DoBeforeDrawValues();
  virtual void DrawAllPoints();
  virtual void DrawPoint(int) {}
  virtual void DoAfterDrawValues();
  // Pixels the series wants kept free at the ends of its axes.
  virtual void HorizontalMargins(int& left, int& right) const;
  virtual void VerticalMargins(int& top, int& bottom) const;
  // The index of the point drawn at the pixel (x, y), from the visible
  // range of the last paint; -1 when there is none. This class draws
  // nothing there, so it finds nothing.
  virtual int PointAtPixel(int x, int y);

  // --- Mouse ------------------------------------------------------------------

  // The chart passes every move and release over it on to each series.
  virtual void MouseMoved(TShiftState, int, int) {}
  virtual void MouseReleased(TMouseButton, TShiftState, int, int) {}
  // A press on the point at valueIndex: runs OnDblClick for a double click
  // when assigned, else OnClick, with the chart's ClickConsumed set. The
  // answer is ClickConsumed afterwards, so a handler that clears it lets the
  // press go on to start a drag; without a handler it is false.
  virtual bool Clicked(int valueIndex, TMouseButton button, TShiftState shift, int x, int y);

  // --- Legend -----------------------------------------------------------------

  // The rows the series gives a legend that lists its values, and the point
  // each row stands for: one row per point in this class.
  virtual int CountLegendItems() const { return PointCount(); }
  virtual int LegendToValueIndex(int item) const { return item; }
  // Draws the symbol of point `index` (-1: of the whole series) into rect
  // on the chart's canvas: the brush in the colour, over the legend's
  // background, then DrawLegendSymbol. Nothing for a null colour, nor for
  // the whole series when each point has its own colour.
  virtual void DrawLegendItem(int index, const TRect& rect);
  // Lets the series kind adjust the tools of a legend symbol before the
  // legend selects its brush: the colour between hatch lines and the brush
  // style. Index is -1 for a row that stands for the whole series. This
  // class changes nothing.
  virtual void PrepareLegendTools(int index, TColor& backColour, TBrushStyle& brushStyle);
  // Draws the series' symbol of a legend row into rect on the chart's
  // canvas, with the brush the legend has selected: here a rectangle, and,
  // when the fill would vanish into the legend's own colour, its outline
  // drawn once more (in white on a black fill).
  virtual void DrawLegendSymbol(int index, const TRect& rect);

  // --- Chart and axes -------------------------------------------------------

  TCustomAxisPanel* ParentChart() const { return parentChart_; }
  // Leaves the old chart's list and joins the new one's.
  virtual void SetParentChart(TCustomAxisPanel* chart);
  // Resolves the axis objects from HorizAxis and VertAxis on the chart.
  void BindAxes();
  TCustomChartAxis* GetHorizAxis() const { return horizAxis_; }
  TCustomChartAxis* GetVertAxis() const { return vertAxis_; }
  virtual bool UsesAxis(const TCustomChartAxis& axis) const;
  // False for series kinds that are drawn without axes.
  virtual bool UsesAxes() const { return true; }

  THorizAxis HorizAxis() const { return horizAxisKind_; }
  void SetHorizAxis(THorizAxis kind);
  TVertAxis VertAxis() const { return vertAxisKind_; }
  void SetVertAxis(TVertAxis kind);
  TCustomChartAxis* CustomHorizAxis() const { return customHorizAxis_; }
  void SetCustomHorizAxis(TCustomChartAxis* axis);
  TCustomChartAxis* CustomVertAxis() const { return customVertAxis_; }
  void SetCustomVertAxis(TCustomChartAxis* axis);

  // Invalidates the chart; the paint follows later, once for any burst.
  void RequestRepaint() const;

  // --- Properties -----------------------------------------------------------

  bool Active() const { return active_; }
  virtual void SetActive(bool active);
  TColor SeriesColor() const { return seriesColor_; }
  virtual void SetSeriesColor(TColor color);
  bool ColorEachPoint() const { return colorEachPoint_; }
  // Switching it off gives every point the series colour again.
  virtual void SetColorEachPoint(bool colorEachPoint);
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool show);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  const std::string& ValueFormat() const { return valueFormat_; }
  void SetValueFormat(const std::string& format);
  const std::string& PercentFormat() const { return percentFormat_; }
  void SetPercentFormat(const std::string& format);
  // Mouse cursor id shown over the series; 0 is the default cursor.
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }
  const std::string& ColorSource() const { return colorSource_; }
  void SetColorSource(std::string source) { colorSource_ = std::move(source); }
  const std::string& XLabelsSource() const { return xLabelsSource_; }
  void SetXLabelsSource(std::string source) { xLabelsSource_ = std::move(source); }
  TSeriesMarks& Marks() { return marks_; }
  const TSeriesMarks& Marks() const { return marks_; }

  // Takes the settings and the points of `source`.
  virtual void CopyFrom(const TChartSeries& source);

  // --- Events, called only when assigned ------------------------------------

  std::function<void(TChartSeries& sender, int index)> OnAfterAdd;
  // Sees the X and Y lists' PendingValue; returning false refuses the point.
  std::function<bool(TChartSeries& sender)> OnBeforeAdd;
  std::function<void(TChartSeries& sender)> OnClearValues;
  std::function<void(TChartSeries& sender)> BeforeDrawValues;
  std::function<void(TChartSeries& sender)> AfterDrawValues;
  using TSeriesClick = std::function<void(TChartSeries& sender, int valueIndex, TMouseButton button,
                                          TShiftState shift, int x, int y)>;
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;

 protected:
  virtual void AfterPointAdded(int index);
  // The parent chart's canvas; EInvalidOperation without a chart.
  TChartCanvas3D& ChartCanvas() const;
  // Appends a column; the first two are X and Y.
  TChartValueList& AddValueList(std::string name);

  // Narrow the visible range to the horizontal axis' range (for series
  // whose X list is ordered).
  bool narrowVisibleRange_ = true;
  // Keep the first point beyond the far edge in the visible range, so a line
  // runs on to the edge of ChartRect.
  bool keepPointBeyondEnd_ = false;

 private:
  friend class TCustomAxisPanel;  // keeps parentChart_ in step with its list

  void CheckPointIndex(int index) const;

  std::string name_;
  int tag_ = 0;
  bool active_ = true;
  THorizAxis horizAxisKind_ = aBottomAxis;
  TVertAxis vertAxisKind_ = aLeftAxis;
  TChartValueLists valueLists_;
  TChartValueList* xValues_ = nullptr;
  TChartValueList* yValues_ = nullptr;
  // One entry per point, always as long as the value lists.
  std::vector<TColor> colors_;
  std::vector<std::string> labels_;
  TColor seriesColor_ = clAutoColor;
  bool showInLegend_ = true;
  int cursor_ = 0;
  TSeriesMarks marks_;
  std::string valueFormat_ = "#,##0.###";
  std::string percentFormat_ = "##0.## %";
  bool colorEachPoint_ = false;
  std::string colorSource_;
  std::string xLabelsSource_;
  std::string title_;
  int firstVisibleIndex_ = -1;
  int lastVisibleIndex_ = -1;
  TCustomAxisPanel* parentChart_ = nullptr;
  TCustomChartAxis* horizAxis_ = nullptr;
  TCustomChartAxis* vertAxis_ = nullptr;
  TCustomChartAxis* customHorizAxis_ = nullptr;
  TCustomChartAxis* customVertAxis_ = nullptr;
};

}  // namespace halvorn
