#pragma once
// The layout of the power window as data: the settings of the sweep above,
// the curve chart (panel window "CurveWindow") beside the test of the p
// chart and the p chart ("PWindow"), the table of the current design, and
// the progress below.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/forms/FormLayout.h"
#include "sim/TestTable.h"

namespace halvorn {

// The label of a test's figure in the table's column `column`: 0 the power,
// 1 the false-positive rate, 2 the smallest value reaching the target.
std::string PowerCellName(TTestKind test, std::size_t column);

// The colour of the table's figures while they are the design's.
inline constexpr TColor kPowerValueColor = clNavy;

const TFormLayout& PowerFormLayout();
const std::vector<TControlLayout>& PowerWindowControls();

}  // namespace halvorn
