#pragma once
// The layout of the main window as data: the window's own properties and
// every control, in creation order. The chart shows in the panel window
// "Chart1".

#include <string>
#include <vector>

#include "platform/forms/FormLayout.h"
#include "sim/TestTable.h"

namespace halvorn {

// The readout's label of a test's power ("LPowerEqual") and of the false
// positives.
std::string ReadoutLabel(TTestKind test);
inline constexpr const char* kFalsePositiveLabel = "LFalsePositive";

const TFormLayout& MainFormLayout();
const std::vector<TControlLayout>& MainWindowControls();

}  // namespace halvorn
