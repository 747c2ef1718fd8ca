#pragma once
// Series drawn as points joined by lines: the line pen, the point marker,
// stair steps and the pixel margins that keep the markers inside the axes.
// TLineSeries is the kind that draws the connecting lines.

#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/SeriesPointer.h"

namespace halvorn {

class TCustomSeries : public TChartSeries {
 public:
  TCustomSeries();

  // Fill of area series.
  TBrushStyle AreaBrush() const { return areaBrush_; }
  void SetAreaBrush(TBrushStyle v) { Store(areaBrush_, v); }
  TColor AreaColor() const { return areaColor_; }
  void SetAreaColor(TColor v) { Store(areaColor_, v); }
  TChartPen& AreaLinesPen() { return areaLinesPen_; }
  const TChartPen& AreaLinesPen() const { return areaLinesPen_; }

  // The hit test also accepts clicks on the connecting lines.
  bool ClickableLine() const { return clickableLine_; }
  void SetClickableLine(bool v) { clickableLine_ = v; }
  // 3D shading of the line's side.
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) { Store(dark3D_, v); }
  // Fill below the line.
  bool DrawArea() const { return drawArea_; }
  // Connecting lines are drawn.
  bool DrawLine() const { return drawLine_; }
  // Each step is a horizontal then a vertical segment (vertical first when
  // inverted).
  bool Stairs() const { return stairs_; }
  void SetStairs(bool v) { Store(stairs_, v); }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool v) { Store(invertedStairs_, v); }
  // Fill style and thickness of the line's 3D ribbon; in 2D the thickness
  // only raises the bottom margin.
  TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(TBrushStyle v) { Store(lineBrush_, v); }
  int LineHeight() const { return lineHeight_; }
  void SetLineHeight(int v) { Store(lineHeight_, v); }

  // In 2D its colour gives way to the point colours.
  TChartPen& LinePen() { return linePen_; }
  const TChartPen& LinePen() const { return linePen_; }
  void SetLinePen(const TChartPen& pen) { linePen_.Assign(pen); }
  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }
  void SetPointer(const TSeriesPointer& pointer) { pointer_.CopyFrom(pointer); }

  void HorizontalMargins(int& left, int& right) const override;
  void VerticalMargins(int& top, int& bottom) const override;

  void CopyFrom(const TChartSeries& source) override;

 protected:
  bool drawArea_ = false;
  bool drawLine_ = false;

 private:
  template <typename T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    RequestRepaint();
  }

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
};

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries();

  // A source of another kind also leaves the marker hidden.
  void CopyFrom(const TChartSeries& source) override;
};

}  // namespace halvorn
