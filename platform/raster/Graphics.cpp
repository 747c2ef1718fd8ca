#include "platform/raster/Graphics.h"

#include "platform/runtime/MulDiv.h"

namespace halvorn {

void TPen::Assign(const TPen& other) {
  if (*this == other) return;
  AssignFields(other);
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  if (color_ == other.color_ && style_ == other.style_) return;
  AssignFields(other);
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::Assign(const TFont& other) {
  const bool same = name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
                    style_ == other.style_ && charset_ == other.charset_ && pitch_ == other.pitch_;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  pitch_ = other.pitch_;
  pixelsPerInch_ = other.pixelsPerInch_;
  if (!same) Changed();
}

}  // namespace halvorn
