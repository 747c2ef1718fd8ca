#include "chart/CustomSeries.h"

#include <algorithm>

namespace halvorn {

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

void TLineSeries::CopyFrom(const TChartSeries& source) {
  TCustomSeries::CopyFrom(source);
  if (!dynamic_cast<const TLineSeries*>(&source)) Pointer().SetVisible(false);
  drawArea_ = false;
  drawLine_ = true;
}

}  // namespace halvorn
