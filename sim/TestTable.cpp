#include "sim/TestTable.h"

namespace halvorn {

static_assert(
    [] {
      for (int i = 0; i < kTestCount; ++i)
        if (TestIndex(kTests[static_cast<std::size_t>(i)].Kind) != static_cast<std::size_t>(i))
          return false;
      return true;
    }(),
    "each test stands at the row of its kind");

const TTestInfo* FindTestByKey(std::string_view key) {
  for (const TTestInfo& test : kTests)
    if (key == test.Key) return &test;
  return nullptr;
}

}  // namespace halvorn
