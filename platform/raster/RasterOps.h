#pragma once
// The binary raster operations: how a pen or brush pixel P combines with the
// destination pixel D. Every pixel the device context writes goes through
// ApplyRop, so the sixteen operations live in this one switch. Only the
// colour bits take part; the result is always opaque.

#include "platform/raster/Graphics.h"
#include "platform/raster/RasterBitmap.h"

namespace halvorn {

constexpr TPixel ApplyRop(TPenMode mode, TPixel p, TPixel d) {
  TPixel r = 0;
  switch (mode) {
    case pmBlack:
      r = 0;
      break;
    case pmWhite:
      r = ~TPixel{0};
      break;
    case pmNop:
      r = d;
      break;
    case pmNot:
      r = ~d;
      break;
    case pmCopy:
      r = p;
      break;
    case pmNotCopy:
      r = ~p;
      break;
    case pmMergePenNot:
      r = p | ~d;
      break;
    case pmMaskPenNot:
      r = p & ~d;
      break;
    case pmMergeNotPen:
      r = ~p | d;
      break;
    case pmMaskNotPen:
      r = ~p & d;
      break;
    case pmMerge:
      r = p | d;
      break;
    case pmNotMerge:
      r = ~(p | d);
      break;
    case pmMask:
      r = p & d;
      break;
    case pmNotMask:
      r = ~(p & d);
      break;
    case pmXor:
      r = p ^ d;
      break;
    case pmNotXor:
      r = ~(p ^ d);
      break;
  }
  return r | 0xFF000000u;
}

}  // namespace halvorn
