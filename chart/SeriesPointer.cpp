#include "chart/SeriesPointer.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "chart/ChartCanvas.h"
#include "chart/ChartException.h"
#include "chart/CustomSeries.h"

namespace halvorn {

TSeriesPointer::TSeriesPointer(TCustomSeries& owner)
    : brush_([this] { RequestRepaint(); }), owner_(&owner), pen_([this] { RequestRepaint(); }) {}

void TSeriesPointer::RequestRepaint() const { owner_->RequestRepaint(); }

void TSeriesPointer::CheckSize(int size) {
  if (size < 1) throw ChartException("Pointer size must be greater than zero");
}

void TSeriesPointer::SetHorizSize(int v) {
  CheckSize(v);
  if (StoreIfChanged(horizSize_, v)) RequestRepaint();
}

void TSeriesPointer::SetVertSize(int v) {
  CheckSize(v);
  if (StoreIfChanged(vertSize_, v)) RequestRepaint();
}

void TSeriesPointer::CopyFrom(const TSeriesPointer& source) {
  if (&source == this) return;
  SetDark3D(source.dark3D_);
  SetDraw3D(source.draw3D_);
  brush_.Assign(source.brush_);
  SetHorizSize(source.horizSize_);
  SetInflateMargins(source.inflateMargins_);
  pen_.Assign(source.pen_);
  SetStyle(source.style_);
  SetVertSize(source.vertSize_);
  SetVisible(source.visible_);
}

void TSeriesPointer::ApplyMarkerColours(TCanvas3D& canvas, TColor colour) const {
  canvas.SelectPen(pen_);
  if (pen_.Visible() && pen_.Color() == clAutoColor) canvas.Pen().SetColor(colour);
  canvas.Brush().SetColor(brush_.Color() == clAutoColor ? colour : brush_.Color());
  canvas.Brush().SetStyle(brush_.Style());
}

void TSeriesPointer::DrawMarkerShape(TCanvas3D& canvas, bool, int x, int y, int h, int v,
                                     TColor colour, TSeriesPointerStyle style) {
  const int l = x - h, r = x + h, t = y - v, b = y + v;
  const auto polygon = [&canvas](std::initializer_list<TPoint> points) {
    canvas.Polygon(std::span<const TPoint>(points.begin(), points.size()),
                   static_cast<int>(points.size()) - 1);
  };
  // Lines never include their end pixel, so each one runs a pixel further
  // to reach the far edge of the box.
  const auto cross = [&] {
    canvas.VerticalLine(x, t, b + 1);
    canvas.HorizontalLine(l, r + 1, y);
  };
  const auto diagonalCross = [&] {
    canvas.Line(l, t, r + 1, b + 1);
    canvas.Line(r, t, l - 1, b + 1);
  };
  switch (style) {
    case psRectangle:
      canvas.Rectangle(l, t, r + 1, b + 1);
      break;
    case psCircle:
      canvas.Ellipse(l, t, r, b);
      break;
    case psTriangle:
      polygon({{l, b}, {r, b}, {x, t}});
      break;
    case psDownTriangle:
      polygon({{l, t}, {r, t}, {x, b}});
      break;
    case psCross:
      canvas.Pen().SetColor(colour);
      cross();
      break;
    case psDiagCross:
      canvas.Pen().SetColor(colour);
      diagonalCross();
      break;
    case psStar:
      canvas.Pen().SetColor(colour);
      cross();
      diagonalCross();
      break;
    case psDiamond:
      polygon({{l, y}, {x, t}, {r, y}, {x, b}});
      break;
    case psSmallDot:
      canvas.SetPixel(x, y, colour);
      break;
  }
}

void TSeriesPointer::HorizontalMargins(int& left, int& right) const {
  if (!visible_ || !inflateMargins_) return;
  left = std::max(left, horizSize_ + 1);
  right = std::max(right, horizSize_ + 1);
}

void TSeriesPointer::VerticalMargins(int& top, int& bottom) const {
  if (!visible_ || !inflateMargins_) return;
  top = std::max(top, vertSize_ + 1);
  bottom = std::max(bottom, vertSize_ + 1);
}

}  // namespace halvorn
