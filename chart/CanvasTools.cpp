#include "chart/CanvasTools.h"

#include <algorithm>

namespace halvorn {

void SelectBrush(TCanvas3D& canvas, TColor color, TBrushStyle style, TColor backColor) {
  if (style != bsSolid && color == backColor) color = backColor == clBlack ? clWhite : clBlack;
  canvas.Brush().SetColor(color);
  canvas.Brush().SetStyle(style);
  canvas.Handle();
  if (style == bsSolid) {
    canvas.SetBackgroundMode(TRANSPARENT);
  } else {
    canvas.SetBackgroundMode(OPAQUE);
    canvas.SetBackColor(ColorToRGB(backColor));
  }
}

void SelectFont(TCanvas3D& canvas, TFont& font) {
  font.SetPixelsPerInch(canvas.Font().PixelsPerInch());
  canvas.Font().Assign(font);
}

TMultiLineWidth MultiLineWidth(TCanvas3D& canvas, std::string_view text) {
  TMultiLineWidth result;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(kLineSeparator, start);
    const std::string_view line =
        text.substr(start, end == std::string_view::npos ? end : end - start);
    result.Width = std::max(result.Width, line.empty() ? 0 : canvas.TextWidth(line));
    ++result.Lines;
    if (end == std::string_view::npos || end + 1 == text.size()) break;
    start = end + 1;
  }
  return result;
}

}  // namespace halvorn
