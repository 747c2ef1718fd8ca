#pragma once
// The chart engine's pens and brush: the framework tools extended by the
// chart's own switches. Every chart pen and brush is created with its
// owner's change handler, so a changed property repaints the chart.

#include "chart/StoreIfChanged.h"
#include "platform/raster/Graphics.h"

namespace halvorn {

class TChartPen : public TPen {
 public:
  explicit TChartPen(TNotifyChange onChange = {}) : TPen(std::move(onChange)) {}

  // Draw a one-pixel line as every other pixel.
  bool SmallDots() const { return smallDots_; }
  void SetSmallDots(bool v) {
    if (StoreIfChanged(smallDots_, v)) Changed();
  }
  // False makes every use of the pen draw no line.
  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    if (StoreIfChanged(visible_, v)) Changed();
  }

  // Copies all six fields, notifying once if anything changed.
  void Assign(const TChartPen& other);

 protected:
  // Class defaults are set quietly, before anyone listens.
  void InitVisible(bool v) { visible_ = v; }

 private:
  bool smallDots_ = false;
  bool visible_ = true;
};

// Title frames, legend dividing lines, the minor grid.
class TChartHiddenPen : public TChartPen {
 public:
  explicit TChartHiddenPen(TNotifyChange onChange = {});
};

// The axis grid.
class TDottedGrayPen : public TChartPen {
 public:
  explicit TDottedGrayPen(TNotifyChange onChange = {});
};

// Axis ticks and minor ticks.
class TDarkGrayPen : public TChartPen {
 public:
  explicit TDarkGrayPen(TNotifyChange onChange = {});
};

// Axis lines.
class TChartAxisPen : public TChartPen {
 public:
  explicit TChartAxisPen(TNotifyChange onChange = {});
};

// Mark arrows.
class TChartArrowPen : public TChartPen {
 public:
  explicit TChartArrowPen(TNotifyChange onChange = {});
};

class TBitmap;

// A brush whose colour starts as "not chosen" (clAutoColor), with an
// optional pattern bitmap (not owned).
class TChartBrush : public TBrush {
 public:
  explicit TChartBrush(TNotifyChange onChange = {});

  TBitmap* Image() const { return image_; }
  void SetImage(TBitmap* image) {
    if (StoreIfChanged(image_, image)) Changed();
  }

  void Assign(const TChartBrush& other);

 private:
  TBitmap* image_ = nullptr;
};

}  // namespace halvorn
