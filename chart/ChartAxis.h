#pragma once
// A chart axis: its place on the chart, its working value range and pixel
// interval, and the mapping between values and pixels that every point goes
// through.

namespace halvorn {

class TCustomAxisPanel;

class TCustomChartAxis {
 public:
  // Appends the axis to `chart`'s axes list; leaves it on destruction.
  TCustomChartAxis(TCustomAxisPanel& chart, bool horizontal, bool onFarSide, bool depth);
  virtual ~TCustomChartAxis();

  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

  TCustomAxisPanel& ParentChart() const { return *chart_; }
  bool IsHorizontal() const { return horizontal_; }
  // On the top or right edge of ChartRect.
  bool OnFarSide() const { return onFarSide_; }
  bool IsDepth() const { return depth_; }

  // Larger values to the left on a horizontal axis, downwards on a vertical.
  bool Inverted() const { return inverted_; }
  void SetInverted(bool inverted);
  // Where the axis starts and ends, in percent of ChartRect's extent.
  double StartPosition() const { return startPosition_; }
  void SetStartPosition(double percent);
  double EndPosition() const { return endPosition_; }
  void SetEndPosition(double percent);

  // The working range used by the mapping; RangeSize is always
  // RangeMax - RangeMin, and RangeMin may exceed RangeMax for a moment.
  double RangeMin() const { return rangeMin_; }
  double RangeMax() const { return rangeMax_; }
  double RangeSize() const { return rangeSize_; }
  void SetRange(double min, double max);

  // The pixel interval along the axis: x for horizontal, y for vertical.
  int StartPixel() const { return startPixel_; }
  int EndPixel() const { return endPixel_; }
  int SpanPixels() const { return spanPixels_; }
  int CenterPixel() const { return centerPixel_; }
  // Places the interval along the chart's ChartRect.
  void RecalcPixelSpan();

  // A zero range, or an offset beyond the 32-bit range, maps to CenterPixel.
  int ValueToPixel(double value) const;
  int ValueToPixelX(double value) const { return LinearPixel(value, inverted_); }
  // Larger values lie higher on the screen unless Inverted.
  int ValueToPixelY(double value) const { return LinearPixel(value, !inverted_); }
  // 0 while the interval is shorter than one pixel.
  double PixelToValue(int pixel) const;

 private:
  int LinearPixel(double value, bool fromEnd) const;
  void SetPixels(int start, int end);

  TCustomAxisPanel* chart_;
  bool horizontal_;
  bool onFarSide_;
  bool depth_;
  bool inverted_ = false;
  double startPosition_ = 0;
  double endPosition_ = 100;
  double rangeMin_ = 0;
  double rangeMax_ = 0;
  double rangeSize_ = 0;
  int startPixel_ = 0;
  int endPixel_ = 0;
  int spanPixels_ = 0;
  int centerPixel_ = 0;
};

}  // namespace halvorn
