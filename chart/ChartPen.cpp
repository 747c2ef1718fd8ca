#include "chart/ChartPen.h"

namespace halvorn {
void TChartPen::Assign(const TChartPen& other) {
  const bool same = static_cast<const TPen&>(*this) == other && smallDots_ == other.smallDots_ &&
                    visible_ == other.visible_;
  if (same) return;
  AssignFields(other);
  smallDots_ = other.smallDots_;
  visible_ = other.visible_;
  Changed();
}

TChartHiddenPen::TChartHiddenPen(TNotifyChange onChange) : TChartPen(std::move(onChange)) {
  InitVisible(false);
}

TDottedGrayPen::TDottedGrayPen(TNotifyChange onChange) : TChartPen() {
  SetColor(clGray);
  SetStyle(psDot);
  SetOnChange(std::move(onChange));
}

// The class defaults are written before the owner's handler is connected,
// so that building a pen notifies nobody.
TDarkGrayPen::TDarkGrayPen(TNotifyChange onChange) : TChartPen() {
  SetColor(clGray);
  SetOnChange(std::move(onChange));
}

TChartAxisPen::TChartAxisPen(TNotifyChange onChange) : TChartPen() {
  SetWidth(2);
  SetOnChange(std::move(onChange));
}

TChartArrowPen::TChartArrowPen(TNotifyChange onChange) : TChartPen() {
  SetColor(clWhite);
  SetOnChange(std::move(onChange));
}

TChartBrush::TChartBrush(TNotifyChange onChange) : TBrush() {
  SetColor(clAutoColor);
  SetOnChange(std::move(onChange));
}

void TChartBrush::Assign(const TChartBrush& other) {
  const bool same = Color() == other.Color() && Style() == other.Style() && image_ == other.image_;
  if (same) return;
  AssignFields(other);
  image_ = other.image_;
  Changed();
}

}  // namespace halvorn
