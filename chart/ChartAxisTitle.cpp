#include "chart/ChartAxisTitle.h"

#include "chart/ChartAxis.h"
#include "chart/ChartException.h"
#include "chart/CustomAxisPanel.h"
#include "chart/StoreIfChanged.h"
#include "platform/runtime/Format.h"

namespace halvorn {

void CheckAxisAngle(int degrees, const char* subject) {
  if (degrees < 0 || degrees > 359)
    throw ChartException(Fmt("%s Angle must be between 0 and 359 degrees", subject));
}

TChartAxisTitle::TChartAxisTitle(TCustomChartAxis& axis, int angle)
    : TChartFontObject([&axis] { axis.ParentChart().Invalidate(); }), axis_(&axis), angle_(angle) {
  CheckAxisAngle(angle, "Axis Title");
}

void TChartAxisTitle::SetAngle(int degrees) {
  // Only a new angle is checked.
  if (degrees != angle_) CheckAxisAngle(degrees, "Axis Title");
  if (StoreIfChanged(angle_, degrees)) OwnerChanged();
}

void TChartAxisTitle::SetCaption(const std::string& caption) {
  if (StoreIfChanged(caption_, caption)) OwnerChanged();
}

void TChartAxisTitle::Assign(const TChartAxisTitle& other) {
  SetCaption(other.caption_);
  SetAngle(other.angle_);
  SetFont(other.Font());
}

}  // namespace halvorn
