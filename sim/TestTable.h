#pragma once
// The tests that judge a Run, as one table: how the window and the tool name
// each test and the keys it goes by in the tool's options, its CSV columns and
// its JSON fields. The window's test selector lists the t-tests, the first
// rows, in this order; every test judges the power engine's Runs.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace halvorn {

enum class TTestKind { EqualVariance, UnequalVariance, Paired, RankSum, SignedRank, LogEqual };

struct TTestInfo {
  TTestKind Kind;
  const char* Caption;    // the window's and the tool's text
  const char* Key;        // the tool's --test value
  const char* JsonKey;    // the field of the tool's JSON and the prefix of CSV columns
  const char* Statistic;  // the name the tool prints the statistic under
};

inline constexpr std::array<TTestInfo, 6> kTests{{
    {TTestKind::EqualVariance, "equal variance", "equal", "equal", "t"},
    {TTestKind::UnequalVariance, "unequal variance", "unequal", "unequal", "t"},
    {TTestKind::Paired, "paired samples", "paired", "paired", "t"},
    {TTestKind::RankSum, "Wilcoxon rank-sum", "rank-sum", "rank_sum", "W"},
    {TTestKind::SignedRank, "Wilcoxon signed-rank", "signed-rank", "signed_rank", "V"},
    {TTestKind::LogEqual, "log equal variance", "log-equal", "log_equal", "t"},
}};

inline constexpr int kTestCount = static_cast<int>(kTests.size());
// The t-tests of the window's selector, the table's first rows.
inline constexpr int kWindowTestCount = 3;

// Whether a test judges the samples as they are stored for the t-tests
// (single precision) or as they were drawn (double precision), as the rank
// and log tests do, which are computed as the statistics packages compute
// them.
constexpr bool IsTTest(TTestKind kind) { return static_cast<int>(kind) < kWindowTestCount; }

// The rows of the window's selector.
constexpr std::span<const TTestInfo> WindowTests() { return {kTests.data(), kWindowTestCount}; }

// The test's row of the table, which is also its place in every per-test array.
constexpr std::size_t TestIndex(TTestKind kind) { return static_cast<std::size_t>(kind); }
constexpr const TTestInfo& TestInfo(TTestKind kind) { return kTests[TestIndex(kind)]; }

// The test at `index` of the window's selector; none when the index selects
// no test (the selector has no item chosen).
constexpr std::optional<TTestKind> TestAt(int index) {
  if (index < 0 || index >= kWindowTestCount) return std::nullopt;
  return kTests[static_cast<std::size_t>(index)].Kind;
}

// The test whose tool key is `key`; null when none.
const TTestInfo* FindTestByKey(std::string_view key);

}  // namespace halvorn
