#include "chart/CanvasStateSaver.h"

#include "chart/ChartCanvas.h"

namespace halvorn {

TCanvasStateSaver::TCanvasStateSaver(TCanvas3D& canvas, unsigned parts)
    : canvas_(canvas), parts_(parts) {
  if (parts_ & kBackMode) backMode_ = canvas.BackMode();
  if (parts_ & kTextAlign) textAlign_ = canvas.TextAlign();
  if (parts_ & kTools) {
    pen_.Assign(canvas.Pen());
    brush_.Assign(canvas.Brush());
    font_.Assign(canvas.Font());
  }
}

TCanvasStateSaver::~TCanvasStateSaver() {
  // A canvas that lost its target while the scope ran (its bitmap dropped
  // in the middle of a frame) has nothing left to give back to.
  if (canvas_.ReferenceCanvas() == nullptr) return;
  if (parts_ & kTools) {
    canvas_.Pen().Assign(pen_);
    canvas_.Brush().Assign(brush_);
    canvas_.Font().Assign(font_);
  }
  if (canvas_.Handle() == nullptr) return;
  if (parts_ & kTextAlign) canvas_.SetTextAlign(textAlign_);
  if (parts_ & kBackMode) canvas_.SetBackgroundMode(backMode_);
  if (parts_ & kClip) canvas_.Unclip();
}

}  // namespace halvorn
