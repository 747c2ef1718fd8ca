#pragma once
// The title of a chart axis: its caption, the angle it is written at and its
// font.

#include <string>

#include "chart/ChartFont.h"

namespace halvorn {

class TCustomChartAxis;

// Raises ChartException "<subject> Angle must be between 0 and 359 degrees"
// unless degrees lies in 0..359.
void CheckAxisAngle(int degrees, const char* subject);

class TChartAxisTitle : public TChartFontObject {
 public:
  // Starts with an empty caption, the given angle (checked) and the default
  // chart font; every later change invalidates the axis's chart.
  TChartAxisTitle(TCustomChartAxis& axis, int angle);

  TCustomChartAxis& Axis() const { return *axis_; }

  // Degrees counter-clockwise, 0..359. A different value out of that range
  // raises ChartException and leaves the angle as it was.
  int Angle() const { return angle_; }
  void SetAngle(int degrees);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // Takes the other title's caption, angle and font.
  void Assign(const TChartAxisTitle& other);

 private:
  TCustomChartAxis* axis_;
  int angle_;
  std::string caption_;
};

}  // namespace halvorn
