#include "chart/CustomSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"
#include "chart/CustomAxisPanel.h"
#include "platform/runtime/FloatOps.h"

namespace halvorn {
namespace {

// The largest pixel coordinate the drawing device takes; points mapped
// further out are not drawn.
constexpr int kMaxPixel = 32766;

bool Drawable(int x, int y) {
  return x >= -kMaxPixel && x <= kMaxPixel && y >= -kMaxPixel && y <= kMaxPixel;
}

}  // namespace

TCustomSeries::TCustomSeries()
    : areaLinesPen_([this] { RequestRepaint(); }),
      linePen_([this] { RequestRepaint(); }),
      pointer_(*this) {
  keepPointBeyondEnd_ = true;
}

void TCustomSeries::HorizontalMargins(int& left, int& right) const {
  TChartSeries::HorizontalMargins(left, right);
  pointer_.HorizontalMargins(left, right);
  if (stairs_ && drawLine_) {
    left = std::max(left, linePen_.Width());
    right = std::max(right, linePen_.Width());
  }
}

void TCustomSeries::VerticalMargins(int& top, int& bottom) const {
  TChartSeries::VerticalMargins(top, bottom);
  pointer_.VerticalMargins(top, bottom);
  if (stairs_ && drawLine_) {
    top = std::max(top, linePen_.Width());
    bottom = std::max(bottom, linePen_.Width() + 1);
  }
  if (lineHeight_ > 0 && !drawArea_ && bottom < lineHeight_) bottom = lineHeight_;
}

void TCustomSeries::SelectLinePen(TCanvas3D& canvas, TColor colour) const {
  canvas.SelectPen(linePen_);
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetColor(colour);
}

void TCustomSeries::DrawPoint(int index) {
  TChartCanvas3D& canvas = ChartCanvas();
  const TColor colour = PointColor(index);
  const int x = XPixel(index);
  const int y = YPixel(index);
  const bool first = index == FirstVisibleIndex();
  if (!Drawable(x, y)) {
    // Left out, the first visible point would leave the line to start where
    // the previous paint ended; the next point starts afresh instead, as
    // after a null point.
    previousColor_ = first ? clNone : colour;
    return;
  }
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(colour);
  // No segment starts at a null point.
  if (previousColor_ == clNone) {
    previousX_ = x;
    previousY_ = y;
  }
  const bool isLast = index == LastVisibleIndex();
  if (first) {
    if (index > 0) {
      EnterFromEdge(index);
      if (!IsNullPoint(index - 1)) DrawSegment(canvas, x, y, colour, index, isLast, false);
    }
    if (isLast && pointer_.Visible()) DrawMarker(x, y, colour, index);
  } else {
    DrawSegment(canvas, x, y, colour, index, isLast, true);
  }
  previousX_ = x;
  previousY_ = y;
  previousColor_ = colour;
}

void TCustomSeries::EnterFromEdge(int index) {
  const TCustomChartAxis& horizontal = *GetHorizAxis();
  const TRect& rect = ParentChart()->ChartRect();
  previousX_ = horizontal.Inverted() ? rect.Right : rect.Left;
  const double x0 = XValueAt(index - 1), x1 = XValueAt(index);
  if (stairs_ || x1 - x0 == 0) {
    previousY_ = YPixel(index - 1);
    return;
  }
  // The height of the straight line through the two points at the edge.
  const double y0 = YValueAt(index - 1), y1 = YValueAt(index);
  const Extended xv = horizontal.PixelToValue(previousX_);
  const Extended yv =
      y0 + (static_cast<Extended>(y1) - y0) * (xv - x0) / (static_cast<Extended>(x1) - x0);
  previousY_ = GetVertAxis()->ValueToPixelY(static_cast<double>(yv));
}

void TCustomSeries::DrawSegment(TCanvas3D& canvas, int x, int y, TColor colour, int index,
                                bool isLast, bool markers) {
  if ((x != previousX_ || y != previousY_) && colour != clNone) {
    SelectLinePen(canvas, colour);
    if (!stairs_) {
      canvas.Line(previousX_, previousY_, x, y);
    } else if (!invertedStairs_) {
      canvas.HorizontalLine(previousX_, x, previousY_);
      canvas.LineTo(x, y);
    } else {
      canvas.VerticalLine(previousX_, previousY_, y);
      canvas.LineTo(x, y);
    }
  }
  if (!markers || !pointer_.Visible()) return;
  if (previousColor_ != clNone) DrawMarker(previousX_, previousY_, previousColor_, index - 1);
  if (isLast && colour != clNone) DrawMarker(x, y, colour, index);
}

void TCustomSeries::DrawMarker(int x, int y, TColor colour, int index) {
  TChartCanvas3D& canvas = ChartCanvas();
  pointer_.ApplyMarkerColours(canvas, colour);
  const TSeriesPointerStyle style =
      OnGetPointerStyle ? OnGetPointerStyle(*this, index) : pointer_.Style();
  TSeriesPointer::DrawMarkerShape(canvas, ParentChart()->View3D(), x, y, pointer_.HorizSize(),
                                  pointer_.VertSize(), colour, style);
}

bool TCustomSeries::MarkerHit(int, int pointX, int pointY, int x, int y) const {
  return std::abs(x - pointX) < pointer_.HorizSize() && std::abs(y - pointY) < pointer_.VertSize();
}

bool TCustomSeries::NearSegment(int x0, int y0, int x1, int y1, int x, int y) const {
  const double tolerance = std::max(1, linePen_.Width()) / 2.0 + 1;
  const double dx = x1 - x0, dy = y1 - y0;
  const double length2 = dx * dx + dy * dy;
  // The nearest point of the segment, as a fraction of the way along it.
  const double t =
      length2 == 0 ? 0 : std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0);
  return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= tolerance;
}

int TCustomSeries::PointAtPixel(int x, int y) {
  const int first = FirstVisibleIndex();
  // The points may have gone since the range was computed.
  const int last = std::min(LastVisibleIndex(), PointCount() - 1);
  if (first < 0 || last < first) return -1;
  // Only segments that were drawn can be clicked.
  const bool lines = clickableLine_ && drawLine_;
  int previousX = 0, previousY = 0;
  for (int index = first; index <= last; ++index) {
    const int px = XPixel(index), py = YPixel(index);
    if (pointer_.Visible() && MarkerHit(index, px, py, x, y)) {
      if (OnClickPointer) OnClickPointer(*this, index, x, y);
      return index;
    }
    if (px == x && py == y) return index;
    if (index > first && lines && !IsNullPoint(index - 1) && !IsNullPoint(index)) {
      bool hit;
      if (!stairs_)
        hit = NearSegment(previousX, previousY, px, py, x, y);
      else if (!invertedStairs_)
        hit = NearSegment(previousX, previousY, px, previousY, x, y) ||
              NearSegment(px, previousY, px, py, x, y);
      else
        hit = NearSegment(previousX, previousY, previousX, py, x, y) ||
              NearSegment(previousX, py, px, py, x, y);
      if (hit) return index - 1;
    }
    previousX = px;
    previousY = py;
  }
  return -1;
}

void TCustomSeries::DrawLegendSymbol(int index, const TRect& rect) {
  TChartCanvas3D& canvas = ChartCanvas();
  const TColor colour = index == -1 ? SeriesColor() : PointColor(index);
  const int middleY = (rect.Top + rect.Bottom) / 2;
  if (pointer_.Visible()) {
    if (drawLine_) {
      SelectLinePen(canvas, colour);
      canvas.HorizontalLine(rect.Left, rect.Right, middleY);
    }
    pointer_.ApplyMarkerColours(canvas, colour);
    // Beside a visible line the marker keeps to the middle third of the
    // rect; alone it may fill it.
    const int w = linePen_.Visible() ? rect.Width() / 3 : rect.Width() / 2 + 1;
    const int h = linePen_.Visible() ? rect.Height() / 3 : rect.Height() / 2 + 1;
    TSeriesPointer::DrawMarkerShape(canvas, false, (rect.Left + rect.Right) / 2, middleY,
                                    std::min(pointer_.HorizSize(), w),
                                    std::min(pointer_.VertSize(), h), colour, pointer_.Style());
  } else if (drawLine_ && !drawArea_) {
    SelectLinePen(canvas, colour);
    if (ParentChart()->View3D())
      canvas.RectangleOfRect(rect);
    else
      canvas.HorizontalLine(rect.Left, rect.Right, middleY);
  } else {
    TChartSeries::DrawLegendSymbol(index, rect);
  }
}

void TCustomSeries::CopyFrom(const TChartSeries& source) {
  if (const auto* other = dynamic_cast<const TCustomSeries*>(&source); other && other != this) {
    SetAreaBrush(other->areaBrush_);
    SetAreaColor(other->areaColor_);
    areaLinesPen_.Assign(other->areaLinesPen_);
    clickableLine_ = other->clickableLine_;
    SetDark3D(other->dark3D_);
    drawArea_ = other->drawArea_;
    drawLine_ = other->drawLine_;
    SetInvertedStairs(other->invertedStairs_);
    linePen_.Assign(other->linePen_);
    SetLineBrush(other->lineBrush_);
    SetLineHeight(other->lineHeight_);
    pointer_.CopyFrom(other->pointer_);
    SetStairs(other->stairs_);
  }
  TChartSeries::CopyFrom(source);
}

TLineSeries::TLineSeries() {
  drawLine_ = true;
  Pointer().SetVisible(false);
}

void TLineSeries::PrepareLegendTools(int, TColor&, TBrushStyle& brushStyle) {
  ChartCanvas().SelectPen(LinePen());
  brushStyle = LineBrush();
}

void TLineSeries::CopyFrom(const TChartSeries& source) {
  TCustomSeries::CopyFrom(source);
  if (!dynamic_cast<const TLineSeries*>(&source)) Pointer().SetVisible(false);
  drawArea_ = false;
  drawLine_ = true;
}

}  // namespace halvorn
