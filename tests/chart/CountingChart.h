#pragma once
// A chart panel that counts its repaint requests instead of painting.

#include "chart/Chart.h"

namespace halvorn::testing {

class TCountingChart : public TChart {
 public:
  void Invalidate() override { ++invalidations; }
  TColor BackWallColor() const override { return backWall; }

  int invalidations = 0;
  TColor backWall = clAutoColor;
};

}  // namespace halvorn::testing
