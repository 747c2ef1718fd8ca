#pragma once
// Drawing steps of the chart panel that work on its canvas: the brush of a
// wall or legend box, selecting a chart font, measuring a text of several
// lines.

#include <string_view>

#include "chart/ChartCanvas.h"
#include "platform/raster/Graphics.h"

namespace halvorn {

// Lines of a chart text are separated by a carriage return.
constexpr char kLineSeparator = '\r';

// The brush for a wall or legend box: a hatch whose colour equals the
// background becomes white over black or black over any other colour, so
// it stays visible. A solid brush leaves the background transparent; a
// hatch gets the resolved backColor between its lines.
void SelectBrush(TCanvas3D& canvas, TColor color, TBrushStyle style, TColor backColor);

// Makes the font current, converting its point size for the canvas's
// device: the font takes the current font's pixels per inch first.
void SelectFont(TCanvas3D& canvas, TFont& font);

struct TMultiLineWidth {
  int Width = 0;
  int Lines = 0;
  friend bool operator==(const TMultiLineWidth&, const TMultiLineWidth&) = default;
};

// The widest line and the number of lines; a trailing separator adds no
// empty line, and an empty text is one line of width 0.
TMultiLineWidth MultiLineWidth(TCanvas3D& canvas, std::string_view text);

}  // namespace halvorn
