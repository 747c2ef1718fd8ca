#include "chart/SeriesPointer.h"

#include <algorithm>

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
  Store(horizSize_, v);
}

void TSeriesPointer::SetVertSize(int v) {
  CheckSize(v);
  Store(vertSize_, v);
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
