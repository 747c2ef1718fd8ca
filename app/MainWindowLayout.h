#pragma once
// The layout of the main window as data: the window's own properties and
// every control, in creation order. The chart shows in the panel window
// "Chart1".

#include <string>
#include <vector>

#include "platform/forms/FormLayout.h"
#include "sim/TestTable.h"

namespace halvorn {

// The readout's label of a test's power ("LPowerEqual", "LPowerRankSum") and
// of the false positives; the label of the name before each is called as it
// with "Name" appended.
std::string ReadoutLabel(TTestKind test);
inline constexpr const char* kFalsePositiveLabel = "LFalsePositive";

// The readout's rows run down from kReadoutTop, kReadoutRowHeight apart: a
// row per test shown, then the false positives'.
inline constexpr int kReadoutTop = 632;
inline constexpr int kReadoutRowHeight = 16;
// How many tests' rows fit above the false positives' in the window's
// client area.
int ReadoutTestRows();

const TFormLayout& MainFormLayout();
const std::vector<TControlLayout>& MainWindowControls();

}  // namespace halvorn
