#pragma once
// The value labels of a series. Only their switches live here; this program
// keeps them hidden, so nothing draws them.

#include <functional>

#include "chart/StoreIfChanged.h"

namespace halvorn {

class TSeriesMarks {
 public:
  // `onChange` is the owning series' repaint request.
  explicit TSeriesMarks(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    if (StoreIfChanged(visible_, v)) onChange_();
  }
  // Length in pixels of the arrow from the point to its label.
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int v) {
    if (StoreIfChanged(arrowLength_, v)) onChange_();
  }

  void CopyFrom(const TSeriesMarks& source) {
    SetVisible(source.visible_);
    SetArrowLength(source.arrowLength_);
  }

 private:
  std::function<void()> onChange_;
  bool visible_ = false;
  int arrowLength_ = 8;
};

}  // namespace halvorn
