#include "platform/raster/DeviceContext.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "platform/raster/RasterOps.h"
#include "platform/raster/internal/FontEngine.h"
#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

TRect TargetBounds(const TRasterBitmap* target) {
  return target != nullptr ? target->Bounds() : TRect{};
}

// The hatch patterns repeat every 8 pixels from the device origin.
bool HatchCovers(TBrushStyle style, int x, int y) {
  const int hx = x & 7, hy = y & 7;
  switch (style) {
    case bsHorizontal:
      return hy == 0;
    case bsVertical:
      return hx == 0;
    case bsFDiagonal:
      return hx == hy;
    case bsBDiagonal:
      return hx + hy == 7;
    case bsCross:
      return hx == 0 || hy == 0;
    case bsDiagCross:
      return hx == hy || hx + hy == 7;
    case bsSolid:
      return true;
    case bsClear:
      return false;
  }
  return false;
}

// A negative extent of PatBlt and BitBlt counts from the other corner.
TRect RectFromExtent(int x, int y, int w, int h) {
  const std::int64_t x1 = std::int64_t{x} + w, y1 = std::int64_t{y} + h;
  const auto clampInt = [](std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
  };
  return TRect{std::min(x, clampInt(x1)), std::min(y, clampInt(y1)), std::max(x, clampInt(x1)),
               std::max(y, clampInt(y1))};
}

// The source coordinate whose pixel centre maps nearest to the centre of
// destination pixel `at`, for a destination from..to stretched from a source
// sourceFrom..sourceTo. Either may span more than the int range, and the
// product of the two extents more than 64 bits: the arithmetic is exact in
// 128 bits.
std::int64_t StretchSource(int at, int from, int to, int sourceFrom, int sourceTo) {
  __extension__ using TWide = __int128;
  const TWide offset = 2 * (TWide{at} - from) + 1;
  const TWide extent = TWide{to} - from, sourceExtent = TWide{sourceTo} - sourceFrom;
  return static_cast<std::int64_t>(sourceFrom + offset * sourceExtent / (2 * extent));
}

}  // namespace

TDeviceContext::TDeviceContext(TRasterBitmap* target) { SetTarget(target); }

TDeviceContext::~TDeviceContext() = default;

void TDeviceContext::SetTarget(TRasterBitmap* target) {
  target_ = target;
  ClearClip();
}

void TDeviceContext::SetClipRect(TRect rect) {
  clip_ = TClipRegion::FromRect(rect, TargetBounds(target_));
}

void TDeviceContext::SetClipPolygon(std::span<const TPoint> points) {
  clip_ = TClipRegion::FromPolygon(points, TargetBounds(target_));
}

void TDeviceContext::ClearClip() {
  const TRect bounds = TargetBounds(target_);
  clip_ = TClipRegion::FromRect(bounds, bounds);
}

TPixel TDeviceContext::PenPixelValue() const {
  return target_->Representable(ColorToPixel(pen_.Color));
}

void TDeviceContext::PenSpan(int y, int x0, int x1) {
  const TPixel p = PenPixelValue();
  clip_.ForEachVisible(y, x0, x1, [&](int a, int b) { WriteSpan(y, a, b, p, rop2_); });
}

void TDeviceContext::PenPixel(int x, int y) {
  if (clip_.Contains(x, y)) WritePixel(x, y, PenPixelValue(), rop2_);
}

void TDeviceContext::BrushSpan(int y, int x0, int x1, const TLogBrush& brush, TPenMode mode) {
  if (target_ == nullptr) return;
  if (brush.Pattern != nullptr) {
    const TRasterBitmap& pat = *brush.Pattern;
    if (pat.Width() == 0 || pat.Height() == 0) return;
    const int py = ((y % pat.Height()) + pat.Height()) % pat.Height();
    clip_.ForEachVisible(y, x0, x1, [&](int a, int b) {
      for (int x = a; x < b; ++x) {
        const int px = ((x % pat.Width()) + pat.Width()) % pat.Width();
        WritePixel(x, y, target_->Representable(pat.At(px, py)), mode);
      }
    });
    return;
  }
  if (brush.Style == bsClear) return;
  const TPixel fore = target_->Representable(ColorToPixel(brush.Color));
  if (brush.Style == bsSolid) {
    clip_.ForEachVisible(y, x0, x1, [&](int a, int b) { WriteSpan(y, a, b, fore, mode); });
    return;
  }
  const bool opaque = bkMode_ == OPAQUE;
  const TPixel back = target_->Representable(ColorToPixel(bkColor_));
  clip_.ForEachVisible(y, x0, x1, [&](int a, int b) {
    for (int x = a; x < b; ++x) {
      if (HatchCovers(brush.Style, x, y))
        WritePixel(x, y, fore, mode);
      else if (opaque)
        WritePixel(x, y, back, mode);
    }
  });
}

void TDeviceContext::SetPixel(int x, int y, TColor color) {
  if (target_ == nullptr || !clip_.Contains(x, y)) return;
  WritePixel(x, y, target_->Representable(ColorToPixel(color)), pmCopy);
}

TColor TDeviceContext::GetPixel(int x, int y) const {
  if (target_ == nullptr || !clip_.Contains(x, y)) return CLR_INVALID;
  return PixelToColor(target_->At(x, y));
}

void TDeviceContext::FillRect(TRect rect, const TLogBrush& brush) {
  if (target_ == nullptr) return;
  const TRect r = rect.Intersected(clip_.Bounds());
  for (int y = r.Top; y < r.Bottom; ++y) BrushSpan(y, r.Left, r.Right, brush, pmCopy);
}

void TDeviceContext::PatBlt(int x, int y, int w, int h, std::uint32_t rop) {
  if (target_ == nullptr) return;
  const TRect r = RectFromExtent(x, y, w, h).Intersected(clip_.Bounds());
  TLogBrush brush = brush_;
  TPenMode mode = pmCopy;
  switch (rop) {
    case PATCOPY:
      break;
    case PATINVERT:
      mode = pmXor;
      break;
    case DSTINVERT:
      mode = pmNot;
      break;
    case BLACKNESS:
      mode = pmBlack;
      break;
    case WHITENESS:
      mode = pmWhite;
      break;
    default:
      throw EInvalidOperation(Fmt("Raster operation 0x%08X is not supported", rop));
  }
  // The destination-only operations must reach every pixel whatever the brush.
  if (mode != pmCopy && mode != pmXor) brush = TLogBrush{bsSolid, clBlack, nullptr};
  for (int row = r.Top; row < r.Bottom; ++row) BrushSpan(row, r.Left, r.Right, brush, mode);
}

TPixel TDeviceContext::SourceToDest(TPixel p, const TDeviceContext& source) const {
  const bool sourceMono = source.IsMonochrome();
  if (sourceMono && !IsMonochrome())
    return ColorToPixel((p & 0xFFFFFFu) == 0 ? textColor_ : bkColor_);
  if (!sourceMono && IsMonochrome())
    return p == ColorToPixel(source.bkColor_) ? kPixelWhite : kPixelBlack;
  return p;
}

void TDeviceContext::BitBlt(int x, int y, int w, int h, const TDeviceContext& source, int sx,
                            int sy, std::uint32_t rop) {
  TPenMode mode = pmCopy;
  switch (rop) {
    case SRCCOPY:
      break;
    case SRCPAINT:
      mode = pmMerge;
      break;
    case SRCAND:
      mode = pmMask;
      break;
    case SRCINVERT:
      mode = pmXor;
      break;
    default:
      throw EInvalidOperation(Fmt("Raster operation 0x%08X is not supported", rop));
  }
  if (target_ == nullptr || source.target_ == nullptr) return;
  if (w <= 0 || h <= 0) return;
  // Only pixels that exist in the source are copied: limit the source
  // rectangle first, then the destination through the clip.
  const TRect want = RectFromExtent(sx, sy, w, h);
  const TRect src = want.Intersected(source.target_->Bounds());
  if (src.IsEmpty()) return;
  const std::int64_t dx = std::int64_t{x} - sx, dy = std::int64_t{y} - sy;
  const auto shifted = [](int v, std::int64_t by) {
    return static_cast<int>(std::clamp<std::int64_t>(v + by, INT_MIN, INT_MAX));
  };
  const TRect dest = TRect{shifted(src.Left, dx), shifted(src.Top, dy), shifted(src.Right, dx),
                           shifted(src.Bottom, dy)}
                         .Intersected(clip_.Bounds());
  if (dest.IsEmpty()) return;
  // Within one bitmap the rows are visited so that none is overwritten
  // before it is read.
  const bool sameBitmap = source.target_ == target_;
  const bool down = sameBitmap && dy > 0;
  const bool plainCopy = mode == pmCopy && source.IsMonochrome() == IsMonochrome();
  std::vector<TPixel> line(plainCopy ? 0 : static_cast<std::size_t>(dest.Width()));
  for (int k = 0; k < dest.Height(); ++k) {
    const int row = down ? dest.Bottom - 1 - k : dest.Top + k;
    const TPixel* from = source.target_->Row(static_cast<int>(row - dy)) + (dest.Left - dx);
    TPixel* to = target_->Row(row);
    if (plainCopy) {
      clip_.ForEachVisible(row, dest.Left, dest.Right, [&](int a, int b) {
        std::memmove(to + a, from + (a - dest.Left),
                     static_cast<std::size_t>(b - a) * sizeof(TPixel));
      });
      continue;
    }
    std::copy(from, from + dest.Width(), line.begin());
    clip_.ForEachVisible(row, dest.Left, dest.Right, [&](int a, int b) {
      for (int c = a; c < b; ++c) {
        const TPixel p = SourceToDest(line[static_cast<std::size_t>(c - dest.Left)], source);
        to[c] = ApplyRop(mode, target_->Representable(p), to[c]);
      }
    });
  }
}

void TDeviceContext::StretchBlt(TRect dest, const TDeviceContext& source, TRect src) {
  if (target_ == nullptr || source.target_ == nullptr) return;
  if (dest.IsEmpty() || src.IsEmpty()) return;
  const TRect visible = dest.Intersected(clip_.Bounds());
  if (visible.IsEmpty()) return;
  const TRasterBitmap& s = *source.target_;
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    const std::int64_t syy = StretchSource(y, dest.Top, dest.Bottom, src.Top, src.Bottom);
    if (syy < 0 || syy >= s.Height()) continue;
    clip_.ForEachVisible(y, visible.Left, visible.Right, [&](int a, int b) {
      for (int x = a; x < b; ++x) {
        const std::int64_t sxx = StretchSource(x, dest.Left, dest.Right, src.Left, src.Right);
        if (sxx < 0 || sxx >= s.Width()) continue;
        const TPixel p = SourceToDest(s.At(static_cast<int>(sxx), static_cast<int>(syy)), source);
        target_->Row(y)[x] = target_->Representable(p);
      }
    });
  }
}

}  // namespace halvorn
