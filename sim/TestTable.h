#pragma once
// The tests that judge a Run, as one table: how the window and the tool name
// each test and the keys it goes by in the tool's options, its CSV columns and
// its JSON fields. The window's test selector lists them in this order.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace halvorn {

enum class TTestKind { EqualVariance, UnequalVariance, Paired };

struct TTestInfo {
  TTestKind Kind;
  const char* Caption;  // the window's and the tool's text
  const char* Key;      // the tool's --test value and the prefix of CSV columns
  const char* JsonKey;  // the field of the tool's JSON
};

inline constexpr std::array<TTestInfo, 3> kTests{{
    {TTestKind::EqualVariance, "equal variance", "equal", "equal"},
    {TTestKind::UnequalVariance, "unequal variance", "unequal", "unequal"},
    {TTestKind::Paired, "paired samples", "paired", "paired"},
}};

inline constexpr int kTestCount = static_cast<int>(kTests.size());

// The test's row of the table, which is also its place in every per-test array.
constexpr std::size_t TestIndex(TTestKind kind) { return static_cast<std::size_t>(kind); }
constexpr const TTestInfo& TestInfo(TTestKind kind) { return kTests[TestIndex(kind)]; }

// The test at `index` of the window's selector; none when the index selects
// no test (the selector has no item chosen).
constexpr std::optional<TTestKind> TestAt(int index) {
  if (index < 0 || index >= kTestCount) return std::nullopt;
  return kTests[static_cast<std::size_t>(index)].Kind;
}

// The test whose tool key is `key`; null when none.
const TTestInfo* FindTestByKey(std::string_view key);

}  // namespace halvorn
