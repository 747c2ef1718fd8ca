#pragma once
// What a power computation finds for one design: per test, how many of the
// simulated Runs were significant, not significant or failed, and how their
// p values spread.

#include <array>
#include <cstdint>

#include "sim/TestKind.h"

namespace halvorn {

// The p histogram has 20 bins of width 0.05. Bin 0 holds exactly the
// significant Runs: p, widened from single precision, not greater than the
// double 0.05. Bin k (1 .. 19) holds the Runs whose widened p is greater
// than the double nearest k/20 and not greater than the double nearest
// (k + 1)/20; bin 19 also holds every p above 0.95, p >= 1 included.
inline constexpr int kPBins = 20;

// The double nearest k/20, the upper edge of bin k - 1 (k = 1 .. 19).
constexpr double PBinEdge(int k) { return k / 20.0; }

// The bin of a p value: the number of edges it lies above.
constexpr int PBin(float p) {
  int bin = 0;
  while (bin < kPBins - 1 && static_cast<double>(p) > PBinEdge(bin + 1)) ++bin;
  return bin;
}

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
  double Power(int test) const;
  TInterval Ci95(int test) const;

  TPowerResult& operator+=(const TPowerResult& o);
  friend bool operator==(const TPowerResult&, const TPowerResult&) = default;
};

}  // namespace halvorn
