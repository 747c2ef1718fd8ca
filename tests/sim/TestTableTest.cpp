#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sim/TestTable.h"

namespace halvorn {
namespace {

TEST(TestTable, KeysAndPositionsFindTheirTest) {
  std::set<std::string> captions, keys, jsonKeys;
  for (const TTestInfo& test : kTests) {
    captions.insert(test.Caption);
    keys.insert(test.Key);
    jsonKeys.insert(test.JsonKey);
    ASSERT_NE(FindTestByKey(test.Key), nullptr) << test.Key;
    EXPECT_EQ(FindTestByKey(test.Key)->Kind, test.Kind);
    // The window's selector offers the t-tests alone.
    EXPECT_EQ(TestAt(static_cast<int>(TestIndex(test.Kind))),
              IsTTest(test.Kind) ? std::optional(test.Kind) : std::nullopt);
  }
  // Every name tells one test from the others.
  EXPECT_EQ(captions.size(), kTests.size());
  EXPECT_EQ(keys.size(), kTests.size());
  EXPECT_EQ(jsonKeys.size(), kTests.size());
  EXPECT_EQ(FindTestByKey("Equal"), nullptr);
  EXPECT_EQ(FindTestByKey(""), nullptr);
  EXPECT_EQ(TestAt(-1), std::nullopt);
  EXPECT_EQ(TestAt(kWindowTestCount), std::nullopt);
  EXPECT_EQ(WindowTests().size(), 3u);
}

}  // namespace
}  // namespace halvorn
