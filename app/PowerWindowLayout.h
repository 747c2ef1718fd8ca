#pragma once
// The layout of the power window as data: the settings of the sweep above,
// the curve chart (panel window "CurveWindow") beside the test of the p
// chart, the p chart ("PWindow") and the chart of the last Runs' p
// ("LastPWindow"), the table of the current design with a
// row for every test, and below it the choice of the tests shown beside the
// progress. As laid out, the table shows the rows of the t-tests.

#include <cstddef>
#include <cstdint>
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

// A count with its thousands set apart by spaces: "100 000".
std::string GroupedCount(std::int64_t n);

// The top of the table's row `row`, 0 the first under the headers.
int PowerTableRowTop(int row);

// The colour of the table's figures while they are the design's.
inline constexpr TColor kPowerValueColor = clNavy;

// The smallest client area the window can be sized to: every control still
// shows whole, the charts at their least.
inline constexpr int kPowerMinWidth = 900, kPowerMinHeight = 640;

// Where a control of the form itself (not of a group) goes in a client area
// of `width` x `height`: the charts take what the window gains or loses (the
// curves the larger share across, the two p charts half each down), the
// table and the choice of tests move down with the bottom edge and widen.
TRect PowerControlBounds(const TControlLayout& row, int width, int height);

const TFormLayout& PowerFormLayout();
const std::vector<TControlLayout>& PowerWindowControls();

}  // namespace halvorn
