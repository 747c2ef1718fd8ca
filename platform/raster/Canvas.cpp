#include "platform/raster/Canvas.h"

#include "platform/raster/Bitmap.h"

namespace halvorn {

TDeviceContext* TCanvas::SelectedHandle() {
  if (handle_ == nullptr) return nullptr;
  if (alternate_ && SnapshotPen() != alternateFor_) alternate_ = false;
  if (alternate_)
    handle_->SelectPen(TLogPen{psSolid, 1, ColorToRGB(alternateColor_), true});
  else
    handle_->SelectPen(TLogPen{pen_.Style(), pen_.Width(), ColorToRGB(pen_.Color()), false});
  handle_->SetRop2(pen_.Mode());

  if (pattern_ != nullptr &&
      (brush_.Color() != patternForColor_ || brush_.Style() != patternForStyle_))
    pattern_ = nullptr;
  handle_->SelectBrush(TLogBrush{brush_.Style(), ColorToRGB(brush_.Color()), pattern_});

  // Selecting the font copies its name: skipped when the device context has
  // it already, as it mostly has.
  if (!Selected(handle_->Font())) handle_->SelectFont(LogFont());
  handle_->SetTextColor(ColorToRGB(font_.Color()));
  return handle_;
}

TLogFont TCanvas::LogFont() const {
  TLogFont lf;
  lf.FaceName = font_.Name();
  lf.Height = font_.Height();
  lf.Weight = (font_.Style() & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
  lf.Italic = (font_.Style() & fsItalic) != 0;
  lf.Underline = (font_.Style() & fsUnderline) != 0;
  lf.StrikeOut = (font_.Style() & fsStrikeOut) != 0;
  lf.Charset = font_.Charset();
  return lf;
}

// Whether lf equals LogFont(), without building it.
// Asked before every drawing operation: the numbers first, the name last.
bool TCanvas::Selected(const TLogFont& lf) const {
  const TFontStyles style = font_.Style();
  static const TLogFont unset;
  return lf.Height == font_.Height() &&
         lf.Weight == ((style & fsBold) != 0 ? FW_BOLD : FW_NORMAL) &&
         lf.Italic == ((style & fsItalic) != 0) && lf.Underline == ((style & fsUnderline) != 0) &&
         lf.StrikeOut == ((style & fsStrikeOut) != 0) && lf.Charset == font_.Charset() &&
         lf.Escapement == unset.Escapement && lf.Orientation == unset.Orientation &&
         lf.OutPrecision == unset.OutPrecision && lf.FaceName == font_.Name();
}

void TCanvas::WriteText(TDeviceContext& dc, int x, int y, std::string_view text) {
  const int mode = dc.BkMode();
  if (brush_.Style() == bsClear) dc.SetBkMode(TRANSPARENT);
  dc.TextOut(x, y, text);
  dc.SetBkMode(mode);
}

void TCanvas::SelectAlternatePen(TColor color) {
  alternate_ = true;
  alternateColor_ = color;
  alternateFor_ = SnapshotPen();
}

bool TCanvas::PenIsAlternate() const { return alternate_ && SnapshotPen() == alternateFor_; }

void TCanvas::SelectBrushPattern(const TRasterBitmap* pattern) {
  pattern_ = pattern;
  patternForColor_ = brush_.Color();
  patternForStyle_ = brush_.Style();
}

void TCanvas::MoveTo(int x, int y) {
  if (TDeviceContext* dc = SelectedHandle()) dc->MoveTo(x, y);
}

void TCanvas::LineTo(int x, int y) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->LineTo(x, y);
    Changed();
  }
}

TPoint TCanvas::PenPos() const {
  return handle_ != nullptr ? handle_->CurrentPosition() : TPoint{};
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->Polyline(points);
    Changed();
  }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->Rectangle(left, top, right, bottom);
    Changed();
  }
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->RoundRect(left, top, right, bottom, cornerWidth, cornerHeight);
    Changed();
  }
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->Ellipse(left, top, right, bottom);
    Changed();
  }
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
  }
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
  }
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->Polygon(points);
    Changed();
  }
}

void TCanvas::FillRect(TRect rect) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->FillRect(rect, dc->Brush());
    Changed();
  }
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->SetPixel(x, y, ColorToRGB(color));
    Changed();
  }
}

TColor TCanvas::Pixel(int x, int y) const {
  return handle_ != nullptr ? handle_->GetPixel(x, y) : CLR_INVALID;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (TDeviceContext* dc = SelectedHandle()) {
    WriteText(*dc, x, y, text);
    Changed();
  }
}

void TCanvas::TextOutInFont(int x, int y, std::string_view text, const TLogFont& font) {
  if (TDeviceContext* dc = SelectedHandle()) {
    dc->SelectFont(font);
    WriteText(*dc, x, y, text);
    dc->SelectFont(LogFont());
    Changed();
  }
}

TSize TCanvas::TextExtent(std::string_view text) {
  TDeviceContext* dc = SelectedHandle();
  return dc != nullptr ? dc->TextExtent(text) : TSize{};
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (graphic.Empty() || SelectedHandle() == nullptr) return;
  graphic.Draw(*this, TRect{x, y, x + graphic.Width(), y + graphic.Height()});
  Changed();
}

void TCanvas::StretchDraw(TRect rect, const TGraphic& graphic) {
  if (graphic.Empty() || SelectedHandle() == nullptr) return;
  graphic.Draw(*this, rect);
  Changed();
}

}  // namespace halvorn
