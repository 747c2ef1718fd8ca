#pragma once
// The chart panel at the level of its series and axes: the series list with
// the default series colours, the five standard axes, the plot rectangle
// ChartRect and the repaint request. The window-backed levels of the panel
// (canvas, margins, painting) build on it.

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartSeriesList.h"
#include "platform/Colors.h"
#include "platform/Types.h"

namespace halvorn {

class TChartSeries;

class TCustomAxisPanel {
 public:
  TCustomAxisPanel();
  // Detaches and destroys every series still listed, from position 0.
  virtual ~TCustomAxisPanel();

  TCustomAxisPanel(const TCustomAxisPanel&) = delete;
  TCustomAxisPanel& operator=(const TCustomAxisPanel&) = delete;

  // The repaint request: marks the chart for a full repaint that happens
  // later, once for any number of requests. It never paints; this level has
  // no window, so the window-backed panel supplies the effect.
  virtual void Invalidate() {}
  // True while the destructor runs; series then skip their repaint requests.
  bool Destroying() const { return destroying_; }

  // --- Series list ----------------------------------------------------------

  const TChartSeriesList& SeriesList() const { return seriesList_; }
  // Raises EListError outside 0..NumberOfSeries()-1.
  TChartSeries* SeriesAt(int index) const { return seriesList_.At(index); }
  int NumberOfSeries() const { return seriesList_.Count(); }
  int ActiveSeriesCount() const { return seriesList_.ActiveSeriesCount(); }
  // Appends the series (leaving any other chart it belonged to), giving it a
  // free palette colour when it has none.
  void AttachSeries(TChartSeries& series);
  // Removes the series from the list; later series move up one position.
  void DetachSeries(TChartSeries& series);

  // The first palette colour that no listed series uses (and, with
  // checkBackground, that is neither Color nor the back wall colour);
  // clRed when all sixteen are taken.
  TColor PickFreeSeriesColor(bool checkBackground) const;
  virtual bool SeriesColorIsFree(TColor color, bool checkBackground) const;

  // The n-th series (from 0) among those both Active and ShowInLegend.
  TChartSeries* LegendSeriesAt(int n) const;
  // Its Title, else its Name, else "Series n"; empty when there is none.
  std::string LegendSeriesTitle(int n) const;

  // The largest PointCount among the active series.
  int MaxPointCount() const;
  // The first active series using the axis, or, when no active series uses
  // it, the first series that does; null when none.
  TChartSeries* FirstSeriesUsingAxis(const TCustomChartAxis& axis) const;

  // --- Axes -----------------------------------------------------------------

  TChartAxis& BottomAxis() const { return *bottomAxis_; }
  TChartAxis& TopAxis() const { return *topAxis_; }
  TChartAxis& LeftAxis() const { return *leftAxis_; }
  TChartAxis& RightAxis() const { return *rightAxis_; }
  TChartDepthAxis& DepthAxis() const { return *depthAxis_; }
  // Every axis in creation order: the order of range updates, space claims
  // and drawing.
  const std::vector<TCustomChartAxis*>& Axes() const { return axes_; }

  // --- Geometry and colours ---------------------------------------------------

  // The plot rectangle, rebuilt on every render.
  const TRect& ChartRect() const { return chartRect_; }
  void SetChartRect(const TRect& rect) { chartRect_ = rect; }
  int ChartRectWidth() const { return chartRect_.Right - chartRect_.Left; }
  int ChartRectHeight() const { return chartRect_.Bottom - chartRect_.Top; }
  int ChartRectXCenter() const { return (chartRect_.Left + chartRect_.Right) / 2; }
  int ChartRectYCenter() const { return (chartRect_.Top + chartRect_.Bottom) / 2; }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // The colour of the wall behind the series; none chosen until walls exist.
  virtual TColor BackWallColor() const { return clAutoColor; }

  // The mouse cursor shown over the chart, and the chart's own cursor that
  // it returns to.
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }
  int OwnCursor() const { return ownCursor_; }

 private:
  friend class TCustomChartAxis;  // axes enter and leave the axes list

  void RegisterAxis(TCustomChartAxis& axis) { axes_.push_back(&axis); }
  void UnregisterAxis(TCustomChartAxis& axis);

  TColor color_ = clBtnFace;
  int cursor_ = 0;
  int ownCursor_ = 0;
  TRect chartRect_;
  TChartSeriesList seriesList_{*this};
  std::vector<TCustomChartAxis*> axes_;
  std::unique_ptr<TChartAxis> bottomAxis_;
  std::unique_ptr<TChartAxis> topAxis_;
  std::unique_ptr<TChartAxis> leftAxis_;
  std::unique_ptr<TChartAxis> rightAxis_;
  std::unique_ptr<TChartDepthAxis> depthAxis_;
  bool destroying_ = false;
};

}  // namespace halvorn
