#pragma once
// The geometry of a text's ink, apart from how the glyphs are rasterised:
// spans of inked pixels emboldened along the baseline, turned by quarter
// turns about the pen's start, and placed into the box a text may ink. Text
// at right angles is assembled upright and turned here, so that it keeps the
// glyphs' hinting, which Qt would lose rasterising them turned.

#include <vector>

#include "platform/runtime/Types.h"

namespace halvorn {

// Where a text goes. Box is the device rectangle the glyphs may ink; in it
// the text's frame has its origin at (OriginX, OriginY) from Box's top left
// corner and is turned about it by Angle degrees counter-clockwise; in that
// frame the baseline starts at (BaseX, BaseY).
struct TTextFrame {
  TRect Box;
  double OriginX = 0;
  double OriginY = 0;
  double Angle = 0;
  int BaseX = 0;
  int BaseY = 0;
};

// Inked pixels X0..X1-1 of device row Y.
struct TInkSpan {
  int Y = 0;
  int X0 = 0;
  int X1 = 0;

  friend constexpr bool operator==(const TInkSpan&, const TInkSpan&) = default;
};

// Emboldens upright ink the way the program's platform emboldens small bold
// text: each run of a row grows by a pixel to the right unless that would
// close a one-pixel gap to the next ink or reach column end, the end of the
// text's advance. So stems become two pixels wide, letters stay apart and
// the ink stays in the text's cell. The spans are sorted and merged.
void Embolden(std::vector<TInkSpan>& spans, int end);

// Upright spans turned counter-clockwise by quarter turns (0 to 3) about
// (0, 0), each pixel's square turned with it: the pixel right of and below
// that point, (0, 0), goes to (0, -1) at one turn. The spans come out in any
// order.
std::vector<TInkSpan> TurnedAboutStart(int turns, const std::vector<TInkSpan>& upright);

// The pixel of a text's upright frame that goes to the device pixel (x, y)
// when the frame is turned counter-clockwise by quarter turns about the
// device point r, as TurnedAboutStart turns it.
TPoint UnturnPixel(int turns, TPoint r, int x, int y);

// Spans about (0, 0) placed at the frame's origin moved by (dx, dy), and
// clipped to its box; appended to out.
void Place(const TTextFrame& frame, int dx, int dy, const std::vector<TInkSpan>& spans,
           std::vector<TInkSpan>& out);

// Upright spans about the frame's origin turned by quarter turns and placed
// into its box.
void Turn(int turns, const TTextFrame& frame, const std::vector<TInkSpan>& upright,
          std::vector<TInkSpan>& out);

}  // namespace halvorn
