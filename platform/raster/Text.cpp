// Text output of the device context: the face gives the pixels the glyphs
// ink, and they are written into the bitmap like any other pixels, through
// the clip and in the text colour.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/raster/DeviceContext.h"
#include "platform/raster/ScanConvert.h"
#include "platform/raster/internal/FontEngine.h"

namespace halvorn {

void TDeviceContext::SelectFont(const TLogFont& font) { font_ = font; }

TFontFace& TDeviceContext::Face() {
  if (!face_ || !face_->Renders(font_)) face_ = TFontFace::Shared(font_);
  return *face_;
}

TSize TDeviceContext::TextExtent(std::string_view utf8) { return Face().Extent(utf8); }

void TDeviceContext::TextOut(int x, int y, std::string_view utf8) {
  if (utf8.empty() || target_ == nullptr) return;
  const TRect cb = clip_.Bounds();
  if (cb.IsEmpty()) return;
  TFontFace& face = Face();
  const TSize ext = face.Extent(utf8);

  // The text's cell relative to the reference point, before rotation.
  int ox = 0, oy = 0;
  switch (textAlign_ & TA_CENTER) {
    case TA_RIGHT:
      ox = -ext.cx;
      break;
    case TA_CENTER:
      ox = -(ext.cx / 2);
      break;
    default:
      break;
  }
  switch (textAlign_ & TA_BASELINE) {
    case TA_BOTTOM:
      oy = -ext.cy;
      break;
    case TA_BASELINE:
      oy = -face.Ascent();
      break;
    default:
      break;
  }
  // Whole turns are no rotation at all, so that 3600 writes exactly as 0.
  double angle = std::fmod(font_.Escapement / 10.0, 360.0);
  if (angle < 0) angle += 360.0;
  const double rad = angle * std::numbers::pi / 180.0;
  const double c = std::cos(rad), s = std::sin(rad);
  const auto toDevice = [&](double u, double v) {
    return std::pair<double, double>{x + u * c + v * s, y - u * s + v * c};
  };
  const std::pair<double, double> corners[4] = {toDevice(ox, oy), toDevice(ox + ext.cx, oy),
                                                toDevice(ox + ext.cx, oy + ext.cy),
                                                toDevice(ox, oy + ext.cy)};

  // Glyphs may reach beyond their cell (italic overhang, bearings): they may
  // ink a margin of half a cell on every side.
  double left = corners[0].first, right = left, top = corners[0].second, bottom = top;
  for (const auto& [cx, cy] : corners) {
    left = std::min(left, cx);
    right = std::max(right, cx);
    top = std::min(top, cy);
    bottom = std::max(bottom, cy);
  }
  const double margin = ext.cy / 2.0 + 2;
  const TRect mbox{static_cast<int>(std::max<double>(cb.Left, std::floor(left - margin))),
                   static_cast<int>(std::max<double>(cb.Top, std::floor(top - margin))),
                   static_cast<int>(std::min<double>(cb.Right, std::ceil(right + margin))),
                   static_cast<int>(std::min<double>(cb.Bottom, std::ceil(bottom + margin)))};
  if (mbox.IsEmpty()) return;

  if (bkMode_ == OPAQUE) {
    TPoint cell[4];
    for (int i = 0; i < 4; ++i)
      cell[i] = TPoint{static_cast<int>(std::lround(std::clamp(corners[i].first, -1e9, 1e9))),
                       static_cast<int>(std::lround(std::clamp(corners[i].second, -1e9, 1e9)))};
    const TPolygonScanner scanner(cell);
    const TRect rows = scanner.Bounds().Intersected(cb);
    const TPixel back = target_->Representable(ColorToPixel(bkColor_));
    std::vector<TSpan> spans;
    for (int row = rows.Top; row < rows.Bottom; ++row) {
      scanner.RowSpans(row, rows.Left, rows.Right, spans);
      for (const TSpan& sp : spans)
        clip_.ForEachVisible(row, sp.X0, sp.X1,
                             [&](int a, int b) { WriteSpan(row, a, b, back, pmCopy); });
    }
  }

  // The frame is given relative to the box so that Qt's positions, and with
  // them the pixels, do not depend on where the box lies.
  const TTextFrame frame{mbox,
                         static_cast<double>(x) - mbox.Left,
                         static_cast<double>(y) - mbox.Top,
                         angle,
                         ox,
                         oy + face.Ascent()};
  thread_local std::vector<TInkSpan> ink;
  ink.clear();
  face.Ink(utf8, frame, ink);
  const TPixel pixel = target_->Representable(ColorToPixel(textColor_));
  for (const TInkSpan& span : ink)
    clip_.ForEachVisible(span.Y, span.X0, span.X1,
                         [&](int a, int b) { WriteSpan(span.Y, a, b, pixel, pmCopy); });
}

}  // namespace halvorn
