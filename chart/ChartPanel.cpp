#include "chart/ChartPanel.h"

#include "chart/ChartException.h"
#include "chart/ScopeExit.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/MulDiv.h"

namespace halvorn {

// --- TCustomChartPanel --------------------------------------------------------

TCustomChartPanel::TCustomChartPanel() : view3DOptions_(ChangeHandler()) {
  SetSize(400, 250);
  canvas_.SetFrames(&Frames());
  canvas_.SetReferenceCanvas(&WindowCanvas());
  originalCursor_ = Cursor();
  constructed_ = true;
}

TCustomChartPanel::~TCustomChartPanel() {
  // The window canvas goes before the chart canvas that refers to it.
  canvas_.SetReferenceCanvas(nullptr);
}

void TCustomChartPanel::Invalidate() {
  if (!constructed_) return;
  canvas_.MarkStale();
  TCustomPanel::Invalidate();
}

void TCustomChartPanel::Repaint() {
  Invalidate();
  if (Host()) Host()->PaintNow();
}

int TCustomChartPanel::Margin(int index) const {
  switch (index) {
    case 0:
      return margins_.Left;
    case 1:
      return margins_.Top;
    case 2:
      return margins_.Right;
    case 3:
      return margins_.Bottom;
  }
  throw EListError::IndexOutOfBounds(index);
}

void TCustomChartPanel::SetMargin(int index, int percent) {
  int* fields[] = {&margins_.Left, &margins_.Top, &margins_.Right, &margins_.Bottom};
  if (index < 0 || index > 3) throw EListError::IndexOutOfBounds(index);
  if (*fields[index] == percent) return;
  *fields[index] = percent;
  Invalidate();
}

void TCustomChartPanel::SetView3D(bool view3D) {
  if (StoreIfChanged(view3D_, view3D)) Invalidate();
}

void TCustomChartPanel::SetChart3DPercent(int percent) {
  constexpr int kMin = 1, kMax = 100;
  if (percent < kMin || percent > kMax)
    throw ChartException(Fmt("3D effect percent must be between %d and %d", kMin, kMax));
  if (StoreIfChanged(chart3DPercent_, percent)) Invalidate();
}

void TCustomChartPanel::RecalcChartRectSize() {
  TRect& r = chartRect_;
  if (r.Left < paintRect_.Left) r.Left = paintRect_.Left;
  if (r.Top < paintRect_.Top) r.Top = paintRect_.Top;
  if (r.Right < r.Left)
    r.Right = r.Left + 1;
  else if (r.Right == r.Left)
    r.Right = r.Left + Width();
  if (r.Bottom < r.Top)
    r.Bottom = r.Top + 1;
  else if (r.Bottom == r.Top)
    r.Bottom = r.Top + Height();
  // A panel of no size leaves nothing to widen by: still one pixel.
  if (r.Right == r.Left) r.Right = r.Left + 1;
  if (r.Bottom == r.Top) r.Bottom = r.Top + 1;
}

void TCustomChartPanel::SetDepthSizes(int seriesWidth, int seriesHeight, int width, int height) {
  seriesWidth3D_ = seriesWidth;
  seriesHeight3D_ = seriesHeight;
  width3D_ = width;
  height3D_ = height;
}

void TCustomChartPanel::Paint() {
  if (printing_) return;
  TCanvas& window = WindowCanvas();
  if (!canvas_.RepaintFromBuffer()) Render(&window, GetRectangle());
  if (zoom_.Dragging) PaintZoomBand();
}

void TCustomChartPanel::Render(TCanvas* canvas, const TRect& rect) {
  // A frame of the whole window is drawn into the panel's frame target, the
  // window's spare surface, when it has one, and presented by flipping: the
  // window never shows a half-drawn frame, and the finished one costs no
  // copy.
  if (canvas == &WindowCanvas() && rect.Left == 0 && rect.Top == 0) {
    const TPanelSurface target = Frames().Target();
    canvas_.OfferFrameSurface(target.Bits, target.Width, target.Height);
  }
  paintRect_ = canvas_.BeginFrame(canvas, &view3DOptions_, rect, view3D_);
  // However the frame ends, measurements afterwards go to the window canvas
  // again. A failed frame is not presented: its bitmap stays stale, so the
  // next paint starts over.
  const TAtScopeExit backToWindow([this] { canvas_.SetReferenceCanvas(&WindowCanvas()); });
  const int w = paintRect_.Right - paintRect_.Left;
  const int h = paintRect_.Bottom - paintRect_.Top;
  const int border = BorderWidth();
  chartRect_ = TRect{paintRect_.Left + border + MulDiv(margins_.Left, w, 100),
                     paintRect_.Top + border + MulDiv(margins_.Top, h, 100),
                     paintRect_.Right - border - MulDiv(margins_.Right, w, 100),
                     paintRect_.Bottom - border - MulDiv(margins_.Bottom, h, 100)};
  RecalcChartRectSize();
  DrawChart(paintRect_);
  canvas_.PresentFrame(canvas, &WindowCanvas(), rect);
}

void TCustomChartPanel::DrawPanelBevels(const TRect& rect) {
  TPen& pen = canvas_.Pen();
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  pen.SetMode(pmCopy);
  canvas_.Brush().SetStyle(bsClear);
  const auto colours = [](TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvRaised ? clBtnShadow : clBtnHighlight;
  };
  TRect r = rect;
  TColor top, bottom;
  if (BevelOuter() != bvNone) {
    colours(BevelOuter(), top, bottom);
    canvas_.BevelFrame(r, top, bottom, BevelWidth());
    r.Inflate(-BevelWidth(), -BevelWidth());
  }
  canvas_.BevelFrame(r, Color(), Color(), BorderWidth());
  r.Inflate(-BorderWidth(), -BorderWidth());
  if (BevelInner() != bvNone) {
    colours(BevelInner(), top, bottom);
    canvas_.BevelFrame(r, top, bottom, BevelWidth());
  }
}

void TCustomChartPanel::MouseLeave() {
  SetCursor(originalCursor_);
  panning_.Deactivate();
}

// --- TCustomChartPanelExtended ------------------------------------------------

TCustomChartPanelExtended::TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::SetBackImageMode(TBackImageMode mode) {
  if (StoreIfChanged(backImageMode_, mode)) Invalidate();
}

void TCustomChartPanelExtended::FillBackground(const TRect& rect) {
  TChartCanvas3D& canvas = Canvas();
  if (gradient_.Visible()) {
    canvas.GradientFill(rect, gradient_.StartColor(), gradient_.Direction(), gradient_.EndColor());
    return;
  }
  if (Printing()) return;
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(rect);
}

void TCustomChartPanelExtended::DrawBackground(const TRect& rect) {
  FillBackground(rect);
  if (!Printing()) DrawPanelBevels(rect);
}

}  // namespace halvorn
