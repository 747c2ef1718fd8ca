#include "chart/ChartFont.h"

namespace halvorn {

void InitDefaultChartFont(TFont& font, TNotifyChange onChange) {
  font.SetOnChange({});
  font.SetName(kDefaultChartFontName);
  font.SetSize(kDefaultChartFontSize);
  font.SetColor(clBlack);
  font.SetStyle(0);
  font.SetOnChange(std::move(onChange));
}

bool IsDefaultChartFont(const TFont& font) {
  return font.Size() == kDefaultChartFontSize && font.Name() == kDefaultChartFontName &&
         font.Color() == clBlack && font.Style() == 0 && font.Charset() == DEFAULT_CHARSET;
}

TChartFontObject::TChartFontObject(TNotifyChange ownerChanged)
    : ownerChanged_(std::move(ownerChanged)) {
  InitDefaultChartFont(font_, [this] { OwnerChanged(); });
}

}  // namespace halvorn
