#pragma once
// What a power computation finds for one design: per test, how many of the
// simulated Runs were significant, not significant or failed, and how their
// p values spread.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/runtime/Assert.h"
#include "sim/Significance.h"
#include "sim/TestTable.h"

namespace halvorn {

struct TInterval {
  double Lo, Hi;
};

// The 95 % Wilson score interval of `successes` out of `trials` (> 0).
TInterval WilsonInterval(std::int64_t successes, std::int64_t trials);

// A Run's estimate of the difference: the mean of its after samples less
// the mean of its before samples, as drawn (censored samples at half the
// limit, where the tests take them). Every test's significant Runs share it.
// Its magnitude is kept in integer units of 1 / kScale (10^-5 of the
// parameter's unit) so that sums over Runs do not depend on the order the
// threads add them in.
struct TRunEstimate {
  static constexpr double kScale = 1e5;  // units per unit of the parameter
  int Sign = 0;                          // -1, 0 or 1
  std::int64_t Magnitude = 0;            // |difference| x kScale, rounded

  // From the sums of the n samples of each series, added in order.
  static TRunEstimate Of(double sumBefore, double sumAfter, int n);
};

struct TTestCounts {
  std::int64_t Significant = 0, NotSignificant = 0, Failed = 0;
  std::array<std::int64_t, kPBins> PHistogram{};
  // Of the significant Runs: those that estimated a negative and a positive
  // difference, and the sum of their estimates' magnitudes in units of
  // 1 / TRunEstimate::kScale. A sample lies below 10^6 (see TDesignRuns), so a
  // Run adds below 10^11, and 10^7 Runs below 10^18 < 2^63.
  std::int64_t NegativeEstimates = 0, PositiveEstimates = 0, EstimateMagnitudes = 0;

  // A Run whose p lies in `bin`, with its estimate of the difference.
  void Add(int bin, const TRunEstimate& estimate) {
    HALVORN_ASSERT(bin >= 0 && bin < kPBins, "a p lies in one of the bins");
    ++PHistogram[static_cast<std::size_t>(bin)];
    if (bin != 0) {
      ++NotSignificant;
      return;
    }
    ++Significant;
    NegativeEstimates += estimate.Sign < 0;
    PositiveEstimates += estimate.Sign > 0;
    EstimateMagnitudes += estimate.Magnitude;
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
  // Among the significant Runs, for a design whose true difference (after
  // less before level) is `trueDifference`: the share whose estimate has
  // the wrong sign (type S), and the mean of |estimate| / |trueDifference|
  // (type M, the exaggeration). None without a difference or without a
  // significant Run. An estimate of exactly 0 is not of the wrong sign.
  std::optional<double> TypeS(TTestKind test, double trueDifference) const;
  std::optional<double> TypeM(TTestKind test, double trueDifference) const;
  const TTestCounts& Counts(TTestKind test) const { return Tests[TestIndex(test)]; }
  TTestCounts& Counts(TTestKind test) { return Tests[TestIndex(test)]; }

  TPowerResult& operator+=(const TPowerResult& o);
  friend bool operator==(const TPowerResult&, const TPowerResult&) = default;
};

}  // namespace halvorn
