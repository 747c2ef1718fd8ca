#pragma once
// The layout of the power window as data: the settings of the sweep above,
// the curve chart (panel window "CurveWindow") beside the test of the p
// chart and the p chart ("PWindow"), the table of the current design with a
// row for every test, and below it the choice of the tests shown beside the
// progress. As laid out, the table shows the rows of the t-tests.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/forms/FormLayout.h"
#include "sim/TestTable.h"

namespace halvorn {

// The label of a test's figure in the table's column `column`: 0 the power,
// 1 the false-positive rate, 2 the values reaching the target, 3 the type S
// and M errors.
std::string PowerCellName(TTestKind test, std::size_t column);

// The label of a test's name in the table, and its box in the choice of
// tests.
std::string PowerTestName(TTestKind test);
std::string PowerTestBoxName(TTestKind test);

// The top of the table's row `row`, 0 the first under the headers.
int PowerTableRowTop(int row);

// The colour of the table's figures while they are the design's.
inline constexpr TColor kPowerValueColor = clNavy;

const TFormLayout& PowerFormLayout();
const std::vector<TControlLayout>& PowerWindowControls();

}  // namespace halvorn
