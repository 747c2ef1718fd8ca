#pragma once
// Series drawn as points joined by lines: the line pen, the point marker,
// stair steps and the pixel margins that keep the markers inside the axes.
// TLineSeries is the kind that draws the connecting lines.

#include <functional>

#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/SeriesPointer.h"
#include "chart/StoreIfChanged.h"

namespace halvorn {

class TCustomSeries : public TChartSeries {
 public:
  TCustomSeries();

  // Fill of area series.
  TBrushStyle AreaBrush() const { return areaBrush_; }
  void SetAreaBrush(TBrushStyle v) {
    if (StoreIfChanged(areaBrush_, v)) RequestRepaint();
  }
  TColor AreaColor() const { return areaColor_; }
  void SetAreaColor(TColor v) {
    if (StoreIfChanged(areaColor_, v)) RequestRepaint();
  }
  TChartPen& AreaLinesPen() { return areaLinesPen_; }
  const TChartPen& AreaLinesPen() const { return areaLinesPen_; }

  // The hit test also accepts clicks on the connecting lines.
  bool ClickableLine() const { return clickableLine_; }
  void SetClickableLine(bool v) { clickableLine_ = v; }
  // 3D shading of the line's side.
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) {
    if (StoreIfChanged(dark3D_, v)) RequestRepaint();
  }
  // Fill below the line.
  bool DrawArea() const { return drawArea_; }
  // Connecting lines are drawn.
  bool DrawLine() const { return drawLine_; }
  // Each step is a horizontal then a vertical segment (vertical first when
  // inverted).
  bool Stairs() const { return stairs_; }
  void SetStairs(bool v) {
    if (StoreIfChanged(stairs_, v)) RequestRepaint();
  }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool v) {
    if (StoreIfChanged(invertedStairs_, v)) RequestRepaint();
  }
  // Fill style and thickness of the line's 3D ribbon; in 2D the thickness
  // only raises the bottom margin.
  TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(TBrushStyle v) {
    if (StoreIfChanged(lineBrush_, v)) RequestRepaint();
  }
  int LineHeight() const { return lineHeight_; }
  void SetLineHeight(int v) {
    if (StoreIfChanged(lineHeight_, v)) RequestRepaint();
  }

  // In 2D its colour gives way to the point colours.
  TChartPen& LinePen() { return linePen_; }
  const TChartPen& LinePen() const { return linePen_; }
  void SetLinePen(const TChartPen& pen) { linePen_.Assign(pen); }
  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }
  void SetPointer(const TSeriesPointer& pointer) { pointer_.CopyFrom(pointer); }

  void HorizontalMargins(int& left, int& right) const override;
  void VerticalMargins(int& top, int& bottom) const override;

  // One point of the line: the segment from the previous point in this
  // point's colour, then the markers at its ends, so that markers lie over
  // the line. The first visible point after hidden ones is joined to the
  // edge of ChartRect at the height where the line crosses it. A null point
  // breaks the line; a point whose pixel is beyond the device's reach is
  // left out and the line runs on from the last point drawn.
  void DrawPoint(int index) override;
  // The marker of point index at (x, y) in the given colour, in the style
  // OnGetPointerStyle picks, else Pointer().Style().
  virtual void DrawMarker(int x, int y, TColor colour, int index);
  // Whether (x, y) lies on the marker of point index drawn at
  // (pointX, pointY).
  virtual bool MarkerHit(int index, int pointX, int pointY, int x, int y) const;
  // A marker, then the point's own pixel, then the line into the point
  // (answering the segment's start point). A click counts on a segment when
  // it lies within half the line pen's width plus one pixel of it.
  int PointAtPixel(int x, int y) override;
  // The line across the middle of rect with the marker at its centre,
  // shrunk to fit small rects; without marker and line the plain symbol.
  void DrawLegendSymbol(int index, const TRect& rect) override;

  void CopyFrom(const TChartSeries& source) override;

  // --- Events, called only when assigned ------------------------------------

  // The marker shape of one point.
  std::function<TSeriesPointerStyle(TCustomSeries& sender, int index)> OnGetPointerStyle;
  // A hit on the marker of point index at the pixel (x, y).
  std::function<void(TCustomSeries& sender, int index, int x, int y)> OnClickPointer;

 protected:
  bool drawArea_ = false;
  bool drawLine_ = false;

 private:
  // The line pen in the given colour, without fill.
  void SelectLinePen(TCanvas3D& canvas, TColor colour) const;
  // The start of the segment into the first visible point index > 0: on the
  // edge of ChartRect where the axis begins.
  void EnterFromEdge(int index);
  void DrawSegment(TCanvas3D& canvas, int x, int y, TColor colour, int index, bool isLast,
                   bool markers);
  bool NearSegment(int x0, int y0, int x1, int y1, int x, int y) const;

  TBrushStyle areaBrush_ = bsSolid;
  TColor areaColor_ = clAutoColor;
  TChartPen areaLinesPen_;
  bool clickableLine_ = true;
  bool dark3D_ = true;
  bool invertedStairs_ = false;
  TBrushStyle lineBrush_ = bsSolid;
  int lineHeight_ = 0;
  TChartPen linePen_;
  TSeriesPointer pointer_;
  bool stairs_ = false;
  // Where the last drawn point of this paint lies and the colour of the last
  // point visited; kept between paints.
  int previousX_ = 0;
  int previousY_ = 0;
  TColor previousColor_ = 0;
};

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries();

  // A source of another kind also leaves the marker hidden.
  void CopyFrom(const TChartSeries& source) override;

  // The legend symbol's line is drawn with the line pen and its fill has
  // the line's brush style.
  void PrepareLegendTools(int index, TColor& backColour, TBrushStyle& brushStyle) override;
};

}  // namespace halvorn
