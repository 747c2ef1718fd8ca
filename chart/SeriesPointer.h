#pragma once
// The point marker of a series: its shape, half sizes, outline and fill, and
// the room it asks of the axes so that outermost markers stay inside them.

#include "chart/ChartPen.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/Colors.h"

namespace halvorn {

class TCanvas3D;
class TCustomSeries;

enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

class TSeriesPointer {
 public:
  // The pen and brush report their changes as the owner's repaint request.
  explicit TSeriesPointer(TCustomSeries& owner);

  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  TCustomSeries& Owner() const { return *owner_; }

  // Darker sides and solid shapes of markers in a 3D chart.
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) {
    if (StoreIfChanged(dark3D_, v)) RequestRepaint();
  }
  bool Draw3D() const { return draw3D_; }
  void SetDraw3D(bool v) {
    if (StoreIfChanged(draw3D_, v)) RequestRepaint();
  }
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  // Half width and half height in pixels; below 1 raises ChartException.
  int HorizSize() const { return horizSize_; }
  void SetHorizSize(int v);
  int VertSize() const { return vertSize_; }
  void SetVertSize(int v);
  // Whether the series asks its axes for room for the marker.
  bool InflateMargins() const { return inflateMargins_; }
  void SetInflateMargins(bool v) {
    if (StoreIfChanged(inflateMargins_, v)) RequestRepaint();
  }
  TSeriesPointerStyle Style() const { return style_; }
  void SetStyle(TSeriesPointerStyle v) {
    if (StoreIfChanged(style_, v)) RequestRepaint();
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    if (StoreIfChanged(visible_, v)) RequestRepaint();
  }

  void CopyFrom(const TSeriesPointer& source);

  // Makes the marker's pen and brush current on the canvas; where either has
  // no colour chosen (clAutoColor) it takes the point's colour. An invisible
  // pen leaves the shapes without outline.
  void ApplyMarkerColours(TCanvas3D& canvas, TColor colour) const;
  // Draws one marker centred on (x, y), reaching h pixels left and right
  // and v up and down, with the tools current on the canvas; the line
  // styles (crosses) and the dot are drawn in the point's colour. The 3D
  // solids are not built, so a 3D chart gets the flat shapes too.
  static void DrawMarkerShape(TCanvas3D& canvas, bool is3D, int x, int y, int h, int v,
                              TColor colour, TSeriesPointerStyle style);

  // Raise the margins to what a visible, inflating marker needs: one pixel
  // beyond its half size on each side.
  void HorizontalMargins(int& left, int& right) const;
  void VerticalMargins(int& top, int& bottom) const;

 private:
  void RequestRepaint() const;
  static void CheckSize(int size);

  bool dark3D_ = true;
  bool draw3D_ = true;
  TChartBrush brush_;
  int horizSize_ = 4;
  bool inflateMargins_ = true;
  TCustomSeries* owner_;
  TChartPen pen_;
  TSeriesPointerStyle style_ = psRectangle;
  int vertSize_ = 4;
  bool visible_ = true;
};

}  // namespace halvorn
