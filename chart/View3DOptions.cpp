#include "chart/View3DOptions.h"

namespace halvorn {

void TView3DOptions::SetHorizOffset(int v) {
  if (Store(horizOffset_, v) && onScroll_) onScroll_();
}

void TView3DOptions::SetVertOffset(int v) {
  if (Store(vertOffset_, v) && onScroll_) onScroll_();
}

void TView3DOptions::SetZoom(int v) {
  if (zoom_ == v) return;
  if (onZoom_) onZoom_();
  Store(zoom_, v);
}

}  // namespace halvorn
