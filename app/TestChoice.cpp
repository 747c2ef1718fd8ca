#include "app/TestChoice.h"

#include <algorithm>

namespace halvorn {

TTestChoice::TTestChoice() {
  for (const TTestInfo& test : WindowTests()) chosen_[TestIndex(test.Kind)] = true;
}

bool TTestChoice::Set(TTestKind test, bool chosen) {
  bool& entry = chosen_[TestIndex(test)];
  if (!chosen && entry && std::ranges::count(chosen_, true) == 1) return false;
  entry = chosen;
  return true;
}

std::vector<TTestKind> TTestChoice::Tests() const {
  std::vector<TTestKind> tests;
  for (const TTestInfo& test : kTests)
    if (Chosen(test.Kind)) tests.push_back(test.Kind);
  return tests;
}

}  // namespace halvorn
