#pragma once
// A device context over a TRasterBitmap with the pixel rules of the Windows
// graphics interface:
//
// - a line from A to B paints A but not B; Polyline chains such lines, so
//   only its last point stays unpainted;
// - Rectangle(l, t, r, b) outlines columns l..r-1 and rows t..b-1 and fills
//   the inside with the brush; FillRect fills l..r-1 by t..b-1 and draws no
//   outline; corners given in any order are put in order first;
// - pens of width 1 follow their dash style, the gaps painted in the
//   background colour when the background mode is OPAQUE; wider pens are
//   solid with round ends;
// - every pen and shape pixel goes through the binary raster operation
//   (SetRop2); fills by FillRect and PatBlt, text and block copies do not;
// - the clip is a rectangle or polygon in device coordinates and replaces
//   the previous one; nothing, text included, is written outside it or
//   outside the bitmap, whatever the coordinates.
//
// Colours handed to a device context are explicit 0x00BBGGRR values; system
// colours are resolved by the callers. On a monochrome bitmap every colour
// becomes the nearer of black and white.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/raster/ClipRegion.h"
#include "platform/raster/Graphics.h"
#include "platform/raster/RasterBitmap.h"
#include "platform/raster/RasterOps.h"
#include "platform/runtime/Types.h"

namespace halvorn {

struct TLogPen {
  TPenStyle Style = psSolid;
  int Width = 1;  // 0 and 1 both draw one-pixel lines
  TColor Color = clBlack;
  // The cosmetic pen that sets every other pixel; Style and Width are then
  // ignored.
  bool Alternate = false;

  friend bool operator==(const TLogPen&, const TLogPen&) = default;
};

struct TLogBrush {
  TBrushStyle Style = bsSolid;
  TColor Color = clWhite;
  // When set, the brush repeats this bitmap from the device origin and Style
  // is ignored. Not owned.
  const TRasterBitmap* Pattern = nullptr;

  friend bool operator==(const TLogBrush&, const TLogBrush&) = default;
};

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr std::uint8_t OUT_TT_ONLY_PRECIS = 7;

struct TLogFont {
  int Height = -11;    // negative: character height in pixels; positive: cell height
  int Escapement = 0;  // tenths of a degree, counter-clockwise
  int Orientation = 0;
  int Weight = FW_NORMAL;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  std::uint8_t Charset = DEFAULT_CHARSET;
  std::uint8_t OutPrecision = 0;
  std::string FaceName = "MS Sans Serif";

  friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// Text alignment flags: one horizontal choice combined with one vertical.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Ternary raster operations of PatBlt and BitBlt.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t PATINVERT = 0x005A0049;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

// What GetPixel answers outside the bitmap or the clip.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

class TFontFace;

class TDeviceContext {
 public:
  // target may be null: such a device draws nothing and measures text.
  explicit TDeviceContext(TRasterBitmap* target = nullptr);
  ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  TRasterBitmap* Target() const { return target_; }
  // Selects another bitmap; the clip is removed.
  void SetTarget(TRasterBitmap* target);

  // Drawing objects and modes.
  void SelectPen(const TLogPen& pen) { pen_ = pen; }
  const TLogPen& Pen() const { return pen_; }
  void SelectBrush(const TLogBrush& brush) { brush_ = brush; }
  const TLogBrush& Brush() const { return brush_; }
  void SelectFont(const TLogFont& font);
  const TLogFont& Font() const { return font_; }
  void SetRop2(TPenMode mode) { rop2_ = mode; }
  TPenMode Rop2() const { return rop2_; }
  void SetBkColor(TColor c) { bkColor_ = c & 0xFFFFFFu; }
  TColor BkColor() const { return bkColor_; }
  void SetBkMode(int mode) { bkMode_ = mode == OPAQUE ? OPAQUE : TRANSPARENT; }
  int BkMode() const { return bkMode_; }
  void SetTextColor(TColor c) { textColor_ = c & 0xFFFFFFu; }
  TColor TextColor() const { return textColor_; }
  void SetTextAlign(unsigned flags) { textAlign_ = flags; }
  unsigned TextAlign() const { return textAlign_; }

  // Clipping; each call replaces the previous clip.
  void SetClipRect(TRect rect);
  void SetClipPolygon(std::span<const TPoint> points);
  void ClearClip();
  // The part of the bitmap that can still be written.
  TRect ClipBounds() const { return clip_.Bounds(); }

  // Lines.
  void MoveTo(int x, int y) { position_ = TPoint{x, y}; }
  TPoint CurrentPosition() const { return position_; }
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);

  // Shapes: outline with the pen, inside with the brush.
  void Rectangle(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  // Counter-clockwise from the ray through (x3, y3) to the ray through
  // (x4, y4); equal rays give the whole ellipse.
  void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
  void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
  void Polygon(std::span<const TPoint> points);

  // Pixels and fills.
  void SetPixel(int x, int y, TColor color);
  TColor GetPixel(int x, int y) const;
  void FillRect(TRect rect, const TLogBrush& brush);
  // PATCOPY, PATINVERT, DSTINVERT, BLACKNESS or WHITENESS over the
  // rectangle (x, y, x + w, y + h) with the current brush; a negative width
  // or height extends to the left or upwards.
  void PatBlt(int x, int y, int w, int h, std::uint32_t rop);

  // Text at the reference point (x, y), aligned by TextAlign, rotated by the
  // font's escapement, over a background box when BkMode is OPAQUE.
  void TextOut(int x, int y, std::string_view utf8);
  // Width of the text and height of the font's cell.
  TSize TextExtent(std::string_view utf8);

  // Copies w x h pixels from (sx, sy) of source to (x, y), through the
  // destination's clip. A monochrome source paints its black in the
  // destination's text colour and its white in the background colour; a
  // colour source becomes white on a monochrome destination where it has the
  // source's background colour, black elsewhere. SRCCOPY, SRCPAINT, SRCAND
  // and SRCINVERT are accepted.
  void BitBlt(int x, int y, int w, int h, const TDeviceContext& source, int sx, int sy,
              std::uint32_t rop);
  // Copies the source rectangle scaled (nearest pixel) onto the destination
  // rectangle, with the conversions of BitBlt and source copy.
  void StretchBlt(TRect dest, const TDeviceContext& source, TRect src);

 private:
  // Every pixel is written by one of these two, after the clip test, but for
  // the rows of wide strokes copied into a rectangular clip, the bulk of a
  // chart, which the stroke loop writes itself.
  void WriteSpan(int y, int x0, int x1, TPixel p, TPenMode mode) {
    TPixel* row = target_->Row(y);
    if (mode == pmCopy) {
      std::fill(row + x0, row + x1, p);
      return;
    }
    for (int x = x0; x < x1; ++x) row[x] = ApplyRop(mode, p, row[x]);
  }
  void WritePixel(int x, int y, TPixel p, TPenMode mode) {
    TPixel& d = target_->Row(y)[x];
    d = ApplyRop(mode, p, d);
  }

  void PenSpan(int y, int x0, int x1);
  void PenPixel(int x, int y);
  void BrushSpan(int y, int x0, int x1, const TLogBrush& brush, TPenMode mode);
  bool PenVisible() const { return pen_.Alternate || pen_.Style != psClear; }
  bool BrushVisible() const { return brush_.Pattern != nullptr || brush_.Style != bsClear; }
  int PenWidth() const { return pen_.Alternate || pen_.Width < 1 ? 1 : pen_.Width; }

  // One line with the current pen; stylePos carries the dash position along
  // a polyline.
  void DrawLine(TPoint a, TPoint b, std::int64_t& stylePos);
  void DrawThinLine(TPoint a, TPoint b, std::int64_t& stylePos);
  void DrawWideLine(TPoint a, TPoint b);
  void DrawOutline(std::span<const TPoint> points, bool closed);

  TPixel PenPixelValue() const;
  TFontFace& Face();
  TPixel SourceToDest(TPixel p, const TDeviceContext& source) const;
  bool IsMonochrome() const { return target_ != nullptr && target_->Monochrome(); }

  friend class TFigureRenderer;

  TRasterBitmap* target_ = nullptr;
  TLogPen pen_;
  TLogBrush brush_;
  TLogFont font_;
  // Shared with every device context that uses the same font.
  std::shared_ptr<TFontFace> face_;
  TPenMode rop2_ = pmCopy;
  TColor bkColor_ = clWhite;
  int bkMode_ = OPAQUE;
  TColor textColor_ = clBlack;
  unsigned textAlign_ = TA_LEFT | TA_TOP;
  TPoint position_;
  TClipRegion clip_;
};

}  // namespace halvorn
