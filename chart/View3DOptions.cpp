#include "chart/View3DOptions.h"

namespace halvorn {

void TView3DOptions::SetHorizOffset(int v) {
  if (StoreIfChanged(horizOffset_, v)) ScrolledBy();
}

void TView3DOptions::SetVertOffset(int v) {
  if (StoreIfChanged(vertOffset_, v)) ScrolledBy();
}

void TView3DOptions::ScrolledBy() const {
  InvalidateOwner();
  if (onScroll_) onScroll_();
}

void TView3DOptions::SetZoom(int v) {
  if (zoom_ != v && onZoom_) onZoom_();
  if (StoreIfChanged(zoom_, v)) InvalidateOwner();
}

}  // namespace halvorn
