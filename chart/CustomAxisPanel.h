#pragma once
// The chart panel at the level of its series and axes: the series list with
// the default series colours, the five standard axes, paging, and the steps
// of one paint in their fixed order. The steps that need titles, walls and
// the legend are left to the chart level above.

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSeriesList.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TChartSeries;

class TCustomAxisPanel : public TCustomChartPanelExtended {
 public:
  TCustomAxisPanel();
  // Detaches and destroys every series still listed, from position 0.
  ~TCustomAxisPanel() override;

  // True while the destructor runs; series then skip their repaint requests.
  bool Destroying() const { return destroying_; }

  // Set while a click event handler of the chart or of a series runs; a
  // handler that clears it lets the press go on to start a drag.
  bool ClickConsumed() const { return clickConsumed_; }
  void SetClickConsumed(bool consumed) { clickConsumed_ = consumed; }

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

  // --- Axes -----------------------------------------------------------------

  TChartAxis& BottomAxis() const { return *bottomAxis_; }
  TChartAxis& TopAxis() const { return *topAxis_; }
  TChartAxis& LeftAxis() const { return *leftAxis_; }
  TChartAxis& RightAxis() const { return *rightAxis_; }
  TChartDepthAxis& DepthAxis() const { return *depthAxis_; }
  // Every axis in creation order: the order of range updates, space claims
  // and drawing.
  const std::vector<TCustomChartAxis*>& Axes() const { return axes_; }

  // --- Settings ---------------------------------------------------------------

  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool visible);
  // Series are clipped to the inside of the back wall.
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool clip);
  bool View3DWalls() const { return view3DWalls_; }
  void SetView3DWalls(bool walls);
  // The colour of the wall behind the series.
  virtual TColor BackWallColor() const = 0;
  // The fill colour of the legend box, which legend symbols must stand out
  // against.
  virtual TColor LegendBackColor() const = 0;

  // Paging: with MaxPointsPerPage > 0 the points are shown a page at a time.
  int Page() const { return page_; }
  // Clamps to 1..NumPages(); fires OnPageChange when the page changes.
  virtual void SetPage(int page);
  int MaxPointsPerPage() const { return maxPointsPerPage_; }
  // Raises ChartException below 0; the value stays.
  void SetMaxPointsPerPage(int points);
  bool ScaleLastPage() const { return scaleLastPage_; }
  void SetScaleLastPage(bool scale);
  int NumPages() const;

  TChartNotifyEvent OnBeforeDrawAxes;
  TChartNotifyEvent OnBeforeDrawSeries;
  TChartNotifyEvent OnPageChange;
  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;

  // Whether an axis takes space and is drawn: a visible axis that an active
  // series is drawn against, or any visible axis of a chart without active
  // series; the depth axis only in a 3D view.
  bool AxisIsShown(const TCustomChartAxis& axis) const;
  // The lowest or highest data value along the axis of the series attached
  // to it: the active ones, or all when none of them is active; 0 without
  // points.
  double AxisDataExtreme(const TCustomChartAxis& axis, bool lowest) const;

  // --- Painting -----------------------------------------------------------------

  // Every step of one paint, in order: background and bevels, the series'
  // before-chart step, titles and legend, the axes' ranges and space, the
  // series margins, the back wall, the axes, the series, then the tools
  // reset.
  void DrawChart(const TRect& paintRect) override;
  void PaintZoomBand() override;

 protected:
  virtual void FitAxes() = 0;
  virtual void ApplySeriesMargins() = 0;
  // The size of the wall along an axis: 0 unless 3D walls are shown.
  virtual int AxisWallSize(const TCustomChartAxis& axis) const = 0;
  virtual void DrawTitlesLegend() = 0;
  virtual void DrawBackWall() = 0;
  // The rubber band of a zoom drag, drawn by inversion: drawing it again
  // erases it.
  void DrawZoomRectangle();
  // Points the chart canvas at the screen for drawing over the picture
  // between paints, the cached picture kept apart (TPanelFrames).
  void BeginOverlay();
  void DrawAxes();
  void DrawOneSeries(TChartSeries& series);

 private:
  friend class TCustomChartAxis;  // axes enter and leave the axes list

  void RegisterAxis(TCustomChartAxis& axis) { axes_.push_back(&axis); }
  void UnregisterAxis(TCustomChartAxis& axis);

  bool axisVisible_ = true;
  bool clipPoints_ = true;
  bool view3DWalls_ = true;
  int page_ = 1;
  int maxPointsPerPage_ = 0;
  bool scaleLastPage_ = true;
  TChartSeriesList seriesList_{*this};
  std::vector<TCustomChartAxis*> axes_;
  std::unique_ptr<TChartAxis> bottomAxis_;
  std::unique_ptr<TChartAxis> topAxis_;
  std::unique_ptr<TChartAxis> leftAxis_;
  std::unique_ptr<TChartAxis> rightAxis_;
  std::unique_ptr<TChartDepthAxis> depthAxis_;
  bool destroying_ = false;
  bool clickConsumed_ = false;
};

}  // namespace halvorn
