#pragma once
// Canvas state that a drawing step changes for its own time only: taken
// when the step's scope opens and given back when it closes, however the
// step ends. A step names the parts it borrows; what it changes beyond them
// stays changed, as the steps after it expect.

#include "platform/raster/Graphics.h"

namespace halvorn {

class TCanvas3D;

class TCanvasStateSaver {
 public:
  enum TPart : unsigned {
    // The clip. The chart clips only inside such a scope and never nests
    // clips, so the canvas is unclipped again when the scope ends.
    kClip = 1,
    kBackMode = 2,
    kTextAlign = 4,
    // The current pen's colour, mode, style and width, the brush's colour
    // and style, and the font.
    kTools = 8,
  };

  // parts is a combination of TPart values.
  TCanvasStateSaver(TCanvas3D& canvas, unsigned parts);
  ~TCanvasStateSaver();
  TCanvasStateSaver(const TCanvasStateSaver&) = delete;
  TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

 private:
  TCanvas3D& canvas_;
  unsigned parts_;
  int backMode_ = 0;
  unsigned textAlign_ = 0;
  TPen pen_;
  TBrush brush_;
  TFont font_;
};

}  // namespace halvorn
