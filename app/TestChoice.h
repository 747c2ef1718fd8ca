#pragma once
// Which tests of the test table the program shows: the power window's
// curves, table and p chart and the main window's readout. The main window
// keeps the choice for the whole session, so that it outlives the power
// window that changes it. At least one test is always chosen.

#include <array>
#include <vector>

#include "sim/TestTable.h"

namespace halvorn {

class TTestChoice {
 public:
  // The t-tests of the main window's selector.
  TTestChoice();

  bool Chosen(TTestKind test) const { return chosen_[TestIndex(test)]; }
  // Chooses `test` or leaves it out; leaving out the last chosen test is
  // refused: false, and nothing changes.
  bool Set(TTestKind test, bool chosen);
  // The chosen tests in the table's order.
  std::vector<TTestKind> Tests() const;

 private:
  std::array<bool, kTestCount> chosen_{};
};

}  // namespace halvorn
