#pragma once
// The chart's default font and the base of objects that own a font.

#include "platform/raster/Graphics.h"

namespace halvorn {

// The default chart font of the program's string table. A Japanese system
// locale would take another face and size from a locale table; Liberation
// Sans reads well in every script the program shows, so every locale gets
// this one.
inline constexpr const char* kDefaultChartFontName = "Arial";
constexpr int kDefaultChartFontSize = 8;

// Gives the font the default chart font ("Arial", size 8, black, no style)
// quietly, then connects the owner's change handler.
void InitDefaultChartFont(TFont& font, TNotifyChange onChange);

// A font that need not be stored: default size and name, black, no style,
// the default charset.
bool IsDefaultChartFont(const TFont& font);

// Base of the chart objects that own a font (titles, axis titles): changing
// the font, or assigning another one, notifies the owning chart.
class TChartFontObject {
 public:
  explicit TChartFontObject(TNotifyChange ownerChanged);
  virtual ~TChartFontObject() = default;
  TChartFontObject(const TChartFontObject&) = delete;
  TChartFontObject& operator=(const TChartFontObject&) = delete;

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // Copies the font; the owner hears of it only if something changed.
  void SetFont(const TFont& font) { font_.Assign(font); }

 protected:
  void OwnerChanged() const {
    if (ownerChanged_) ownerChanged_();
  }

 private:
  TNotifyChange ownerChanged_;
  TFont font_;
};

}  // namespace halvorn
