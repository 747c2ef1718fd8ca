#pragma once
// What a power computation finds for one design: per test, how many of the
// simulated Runs were significant, not significant or failed, and how their
// p values spread.

#include <array>
#include <cstdint>

#include "platform/runtime/Assert.h"
#include "sim/Significance.h"
#include "sim/TestTable.h"

namespace halvorn {

struct TInterval {
  double Lo, Hi;
};

// The 95 % Wilson score interval of `successes` out of `trials` (> 0).
TInterval WilsonInterval(std::int64_t successes, std::int64_t trials);

struct TTestCounts {
  std::int64_t Significant = 0, NotSignificant = 0, Failed = 0;
  std::array<std::int64_t, kPBins> PHistogram{};

  // A Run whose p lies in `bin`.
  void Add(int bin) {
    HALVORN_ASSERT(bin >= 0 && bin < kPBins, "a p lies in one of the bins");
    ++PHistogram[static_cast<std::size_t>(bin)];
    ++(bin == 0 ? Significant : NotSignificant);
  }
  TTestCounts& operator+=(const TTestCounts& o);
  // `runs` copies of this outcome (a design whose every Run is the same).
  TTestCounts Times(std::int64_t runs) const;
  friend bool operator==(const TTestCounts&, const TTestCounts&) = default;
};

struct TPowerResult {
  std::int64_t Runs = 0;
  std::array<TTestCounts, kTestCount> Tests{};

  // The share of the Runs that were significant (failed Runs count as not
  // detected), and its 95 % Wilson interval.
  double Power(TTestKind test) const;
  TInterval Ci95(TTestKind test) const;
  const TTestCounts& Counts(TTestKind test) const { return Tests[TestIndex(test)]; }
  TTestCounts& Counts(TTestKind test) { return Tests[TestIndex(test)]; }

  TPowerResult& operator+=(const TPowerResult& o);
  friend bool operator==(const TPowerResult&, const TPowerResult&) = default;
};

}  // namespace halvorn
