#pragma once
// The framework canvas: a drawing target (a device context) with a current
// pen, brush and font of its own. Before each drawing call it selects them
// into the device context, with the font's colour as the text colour and all
// system colours resolved, and after it reports the change to its listener.

#include <span>
#include <string_view>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/Graphics.h"
#include "platform/runtime/Types.h"

namespace halvorn {

class TGraphic;

class TCanvas {
 public:
  // handle is not owned and may be null: drawing then does nothing.
  explicit TCanvas(TDeviceContext* handle = nullptr) : handle_(handle) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  const TPen& Pen() const { return pen_; }
  const TBrush& Brush() const { return brush_; }
  const TFont& Font() const { return font_; }

  TDeviceContext* Handle() const { return handle_; }
  void SetHandle(TDeviceContext* handle) { handle_ = handle; }
  // The device context with the canvas's tools selected into it, for
  // callers that work on the device context directly; null without one.
  TDeviceContext* SelectedHandle();

  // Called after every drawing operation.
  void SetOnChange(TNotifyChange onChange) { onChange_ = std::move(onChange); }

  // Makes the pen the cosmetic one-pixel pen that sets every other pixel, in
  // the given colour, until the pen's colour, style or width next changes.
  void SelectAlternatePen(TColor color);
  void DropAlternatePen() { alternate_ = false; }
  bool PenIsAlternate() const;
  // Makes the brush repeat a pattern bitmap (not owned) until the brush's
  // colour or style next changes; null removes it.
  void SelectBrushPattern(const TRasterBitmap* pattern);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos() const;
  void Polyline(std::span<const TPoint> points);
  void Rectangle(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Polygon(std::span<const TPoint> points);
  void FillRect(TRect rect);
  void SetPixel(int x, int y, TColor color);
  TColor Pixel(int x, int y) const;

  // Text in the current font. With a bsClear brush the text has no
  // background whatever the background mode: a clear brush is how callers
  // ask for bare text.
  void TextOut(int x, int y, std::string_view text);
  // The same with another font selected for this one call, such as the
  // current font's description with an escapement.
  void TextOutInFont(int x, int y, std::string_view text, const TLogFont& font);
  // The description of the current font as the device context receives it.
  TLogFont LogFont() const;
  // Whether a description is the current font's.
  bool Selected(const TLogFont& lf) const;
  // The extent of a text in the current font; (0, 0) without a device.
  TSize TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  // The graphic draws itself at (x, y) at its own size, or scaled into rect.
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(TRect rect, const TGraphic& graphic);

 private:
  void Changed() {
    if (onChange_) onChange_();
  }
  void WriteText(TDeviceContext& dc, int x, int y, std::string_view text);

  struct TPenSnapshot {
    TColor Color;
    TPenStyle Style;
    int Width;
    friend bool operator==(const TPenSnapshot&, const TPenSnapshot&) = default;
  };
  TPenSnapshot SnapshotPen() const { return {pen_.Color(), pen_.Style(), pen_.Width()}; }

  TDeviceContext* handle_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TNotifyChange onChange_;
  bool alternate_ = false;
  TColor alternateColor_ = clBlack;
  TPenSnapshot alternateFor_{};
  const TRasterBitmap* pattern_ = nullptr;
  TColor patternForColor_ = clWhite;
  TBrushStyle patternForStyle_ = bsSolid;
};

}  // namespace halvorn
