#include "sim/RankTests.h"

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <utility>

#include "platform/runtime/Assert.h"
#include "sim/PValueBins.h"

namespace halvorn {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 2 min(P(Z <= z), P(Z >= z)) for a standard normal Z.
double TwoSidedNormalP(double z) { return std::erfc(std::fabs(z) * M_SQRT1_2); }

// The continuity correction of a two-sided test: half a step towards the
// middle.
double Correction(double z) { return z > 0 ? 0.5 : z < 0 ? -0.5 : 0.0; }

// What the ranks of a test come to: twice its statistic (ranks are whole or
// halves), whether any values tie, and the sum of t^3 - t over the groups of
// t tied values.
struct TRanked {
  std::int64_t TwiceStatistic = 0;
  bool Ties = false;
  double TieSum = 0;

  void AddGroup(std::int64_t size) {
    if (size < 2) return;
    Ties = true;
    TieSum += static_cast<double>(size * size * size - size);
  }
};

TSampleTestResult RankSumP(const TRanked& r, std::size_t sizeA, std::size_t sizeB,
                           const TRankSumNull* exact) {
  const double w = static_cast<double>(r.TwiceStatistic) / 2;
  if (exact && !r.Ties) return {w, exact->TwoSidedP(r.TwiceStatistic / 2)};
  const auto m = static_cast<double>(sizeA), n = static_cast<double>(sizeB);
  const double z = w - m * n / 2;
  const double sigma = std::sqrt((m * n / 12) * ((m + n + 1) - r.TieSum / ((m + n) * (m + n - 1))));
  const double p = TwoSidedNormalP((z - Correction(z)) / sigma);
  return {w, p, std::isnan(p) ? "every value is tied" : nullptr};
}

TSampleTestResult SignedRankP(const TRanked& r, std::size_t count, bool hadZeros) {
  const double v = static_cast<double>(r.TwiceStatistic) / 2;
  const auto n = static_cast<double>(count);
  if (count > 0 && count < kExactBelow && !r.Ties && !hadZeros)
    return {v, SignedRankNull().TwoSidedP(static_cast<int>(count), r.TwiceStatistic / 2)};
  const double z = v - n * (n + 1) / 4;
  const double sigma = std::sqrt(n * (n + 1) * (2 * n + 1) / 24 - r.TieSum / 48);
  const double p = TwoSidedNormalP((z - Correction(z)) / sigma);
  return {v, p, std::isnan(p) ? "every pair's difference is zero" : nullptr};
}

// The average rank, doubled, of each value of `values` among them all, by
// counting (the definition, not a sort).
std::vector<std::int64_t> TwiceAverageRanks(std::span<const double> values, TRanked& ranked) {
  std::vector<std::int64_t> ranks;
  ranks.reserve(values.size());
  for (const double v : values) {
    std::int64_t below = 0, equal = 0;
    for (const double u : values) {
      below += u < v;
      equal += u == v;
    }
    // Ranks below + 1 .. below + equal, whose mean doubled is this.
    ranks.push_back(2 * below + equal + 1);
    // Each group of t is met t times; t^3 - t = t (t^2 - 1).
    if (equal > 1) {
      ranked.Ties = true;
      ranked.TieSum += static_cast<double>(equal * equal - 1);
    }
  }
  return ranks;
}

void RequireFinite(std::span<const double> values) {
  for (const double v : values) HALVORN_ASSERT(std::isfinite(v), "a sample is a finite number");
}

}  // namespace

TRankSumNull::TRankSumNull(int m, int n) : m_(m), n_(n) {
  HALVORN_ASSERT(m >= 0 && n >= 0 && m < kExactBelow && n < kExactBelow,
                 "the exact null is made for small samples");
  // ways[j][u]: the orderings of i values of a and j of b in which u pairs
  // have the a value above. The largest value is a's, above all j of b's, or
  // b's, above none of a's. Counts reach C(98, 49), 2.5e28: extended
  // precision keeps them to 19 digits, far beyond a double's p.
  std::vector<std::vector<long double>> ways(static_cast<std::size_t>(n) + 1, {1.0L});
  for (int i = 1; i <= m; ++i)
    for (std::size_t j = 0; j <= static_cast<std::size_t>(n); ++j) {
      std::vector<long double> next(static_cast<std::size_t>(i) * j + 1, 0.0L);
      for (std::size_t u = 0; u < ways[j].size(); ++u) next[u + j] += ways[j][u];
      if (j > 0)
        for (std::size_t u = 0; u < ways[j - 1].size(); ++u) next[u] += ways[j - 1][u];
      ways[j] = std::move(next);
    }
  const std::vector<long double>& counts = ways[static_cast<std::size_t>(n)];
  // Each tail summed from its own end, so that neither is one minus the
  // other.
  std::vector<long double> lower(counts.size()), upper(counts.size());
  long double sum = 0;
  for (std::size_t u = 0; u < counts.size(); ++u) lower[u] = sum += counts[u];
  sum = 0;
  for (std::size_t u = counts.size(); u-- > 0;) upper[u] = sum += counts[u];
  const long double total = sum;
  const double middle = static_cast<double>(m) * n / 2;
  p_.resize(counts.size());
  for (std::size_t w = 0; w < counts.size(); ++w) {
    const double tail =
        static_cast<double>(static_cast<double>(w) > middle ? upper[w] / total : lower[w] / total);
    p_[w] = std::min(2 * tail, 1.0);
  }
}

std::shared_ptr<const TRankSumNull> RankSumNull(int m, int n) {
  static std::mutex mutex;
  static std::map<std::pair<int, int>, std::shared_ptr<const TRankSumNull>> made;
  const std::lock_guard lock(mutex);
  auto& null = made[{m, n}];
  if (!null) null = std::make_shared<const TRankSumNull>(m, n);
  return null;
}

TSignedRankNull::TSignedRankNull() : p_(kExactBelow) {
  // ways[v]: the subsets of the ranks 1 .. n that sum to v; at most 2^49,
  // exact in 64 bits, and each tail times 2^-n exact in a double.
  std::vector<std::uint64_t> ways{1};
  for (int n = 1; n < kExactBelow; ++n) {
    ways.resize(ways.size() + static_cast<std::size_t>(n), 0);
    for (std::size_t v = ways.size(); v-- > static_cast<std::size_t>(n);)
      ways[v] += ways[v - static_cast<std::size_t>(n)];
    std::vector<std::uint64_t> lower(ways.size()), upper(ways.size());
    std::uint64_t sum = 0;
    for (std::size_t v = 0; v < ways.size(); ++v) lower[v] = sum += ways[v];
    sum = 0;
    for (std::size_t v = ways.size(); v-- > 0;) upper[v] = sum += ways[v];
    const double middle = n * (n + 1.0) / 4, scale = std::ldexp(1.0, -n);
    auto& p = p_[static_cast<std::size_t>(n)];
    p.resize(ways.size());
    for (std::size_t v = 0; v < ways.size(); ++v) {
      const double tail =
          static_cast<double>(static_cast<double>(v) > middle ? upper[v] : lower[v]) * scale;
      p[v] = std::min(2 * tail, 1.0);
    }
  }
}

const TSignedRankNull& SignedRankNull() {
  static const TSignedRankNull null;
  return null;
}

TSampleTestResult RankSumTest(std::span<const double> a, std::span<const double> b) {
  RequireFinite(a);
  RequireFinite(b);
  std::vector<double> pooled(a.begin(), a.end());
  pooled.insert(pooled.end(), b.begin(), b.end());
  TRanked ranked;
  const std::vector<std::int64_t> ranks = TwiceAverageRanks(pooled, ranked);
  const auto m = static_cast<std::int64_t>(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) ranked.TwiceStatistic += ranks[i];
  ranked.TwiceStatistic -= m * (m + 1);
  const bool small = a.size() < kExactBelow && b.size() < kExactBelow;
  const auto exact =
      small ? RankSumNull(static_cast<int>(a.size()), static_cast<int>(b.size())) : nullptr;
  return RankSumP(ranked, a.size(), b.size(), exact.get());
}

TSampleTestResult RankSumOfOrdered(std::span<const double> pooled,
                                   std::span<const std::uint32_t> order, std::size_t sizeA,
                                   const TRankSumNull* exact) {
  HALVORN_ASSERT(order.size() == pooled.size() && sizeA <= pooled.size(),
                 "the order places every value of the pooled sample");
  const std::size_t sizeB = pooled.size() - sizeA;
  HALVORN_ASSERT(
      !exact || (exact->M() == static_cast<int>(sizeA) && exact->N() == static_cast<int>(sizeB)),
      "the exact null is that of the samples' sizes");
  // Through the values in order, a group of equal values at a time: each a
  // value of a group lies above the b values before it and level with the
  // group's own, which count a half.
  TRanked ranked;
  std::int64_t belowFromB = 0;
  for (std::size_t k = 0; k < order.size();) {
    const double v = pooled[order[k]];
    std::int64_t fromA = 0, size = 0;
    do {
      fromA += order[k] < sizeA;
      ++size;
      ++k;
    } while (k < order.size() && pooled[order[k]] == v);
    const std::int64_t fromB = size - fromA;
    ranked.TwiceStatistic += fromA * (2 * belowFromB + fromB);
    belowFromB += fromB;
    ranked.AddGroup(size);
  }
  return RankSumP(ranked, sizeA, sizeB, exact);
}

namespace {

// How many of `ys` lie below x, two at a time: the comparisons' masks (all
// ones for true) are subtracted from the count.
std::int64_t CountBelow(double x, std::span<const double> ys) {
  const __m128d vx = _mm_set1_pd(x);
  __m128i below = _mm_setzero_si128();
  std::size_t j = 0;
  for (; j + 2 <= ys.size(); j += 2)
    below = _mm_sub_epi64(below, _mm_castpd_si128(_mm_cmplt_pd(_mm_loadu_pd(ys.data() + j), vx)));
  std::int64_t count =
      _mm_cvtsi128_si64(below) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(below, below));
  for (; j < ys.size(); ++j) count += ys[j] < x;
  return count;
}

// Of the pairs of x and y (x in xs, y in ys), how many have y below x.
std::int64_t PairsBelow(std::span<const double> xs, std::span<const double> ys) {
  std::int64_t count = 0;
  for (const double x : xs) count += CountBelow(x, ys);
  return count;
}

// Pairs of distinct values are ordered one way or the other; pairs of equal
// values neither. So values tie exactly when fewer pairs are ordered than
// there are pairs.
std::int64_t Pairs(std::size_t n) { return static_cast<std::int64_t>(n * (n - 1) / 2); }

}  // namespace

std::optional<TSampleTestResult> RankSumWithoutTies(std::span<const double> a,
                                                    std::span<const double> b,
                                                    const TRankSumNull* exact) {
  HALVORN_ASSERT(a.size() < kCountingBelow && b.size() < kCountingBelow,
                 "counting ranks is for small samples");
  const std::int64_t aAbove = PairsBelow(a, b);
  const bool ties = aAbove + PairsBelow(b, a) != static_cast<std::int64_t>(a.size() * b.size()) ||
                    PairsBelow(a, a) != Pairs(a.size()) || PairsBelow(b, b) != Pairs(b.size());
  if (ties) return std::nullopt;
  TRanked ranked;
  ranked.TwiceStatistic = 2 * aAbove;
  return RankSumP(ranked, a.size(), b.size(), exact);
}

std::optional<TSampleTestResult> SignedRankWithoutTies(std::span<const double> a,
                                                       std::span<const double> b) {
  HALVORN_ASSERT(a.size() == b.size() && a.size() < kCountingBelow,
                 "counting ranks is for small paired samples");
  const std::size_t n = a.size();
  std::array<double, kCountingBelow> d{}, magnitude{};
  std::int64_t zeros = 0;
  for (std::size_t i = 0; i < n; ++i) {
    d[i] = a[i] - b[i];
    magnitude[i] = std::fabs(d[i]);
    zeros += d[i] == 0;
  }
  // A difference's rank is one more than the magnitudes below its own.
  std::int64_t twice = 0, ordered = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::int64_t below = CountBelow(magnitude[i], {magnitude.data(), n});
    twice += (d[i] > 0) * 2 * (below + 1);
    ordered += below;
  }
  if (ordered != Pairs(n) || zeros > 0) return std::nullopt;
  TRanked ranked;
  ranked.TwiceStatistic = twice;
  return SignedRankP(ranked, n, false);
}

TSampleTestResult SignedRankTest(std::span<const double> a, std::span<const double> b) {
  HALVORN_ASSERT(a.size() == b.size(), "the test pairs the samples");
  RequireFinite(a);
  RequireFinite(b);
  std::vector<double> differences, magnitudes;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (const double d = a[i] - b[i]; d != 0) {
      differences.push_back(d);
      magnitudes.push_back(std::fabs(d));
    }
  TRanked ranked;
  const std::vector<std::int64_t> ranks = TwiceAverageRanks(magnitudes, ranked);
  for (std::size_t i = 0; i < differences.size(); ++i)
    if (differences[i] > 0) ranked.TwiceStatistic += ranks[i];
  return SignedRankP(ranked, differences.size(), differences.size() < a.size());
}

TSampleTestResult SignedRankOfOrdered(std::span<const double> differences, bool hadZeros) {
  HALVORN_ASSERT(differences.empty() || differences.front() != 0, "the differences are nonzero");
  TRanked ranked;
  const std::size_t n = differences.size();
  for (std::size_t k = 0; k < n;) {
    const std::size_t first = k;
    const double magnitude = std::fabs(differences[k]);
    std::int64_t positive = 0;
    do {
      positive += differences[k] > 0;
      ++k;
    } while (k < n && std::fabs(differences[k]) == magnitude);
    // The group holds ranks first + 1 .. k, whose mean doubled is this.
    const auto size = static_cast<std::int64_t>(k - first);
    ranked.TwiceStatistic += positive * (2 * static_cast<std::int64_t>(first) + size + 1);
    ranked.AddGroup(size);
  }
  return SignedRankP(ranked, n, hadZeros);
}

namespace {

// The mean as R takes it: summed in extended precision, then corrected by
// the mean of the deviations from it.
long double Mean(std::span<const double> x) {
  long double sum = 0;
  for (const double v : x) sum += v;
  long double mean = sum / static_cast<long double>(x.size());
  if (std::isfinite(static_cast<double>(mean))) {
    long double deviations = 0;
    for (const double v : x) deviations += v - mean;
    mean += deviations / static_cast<long double>(x.size());
  }
  return mean;
}

// The sum of squared deviations from the mean (the sample variance times
// n - 1), each deviation and square in double precision and their sum in
// extended.
double SquaredDeviations(std::span<const double> x, double mean) {
  long double sum = 0;
  for (const double v : x) {
    const double d = v - mean;
    sum += d * d;
  }
  return static_cast<double>(sum / static_cast<long double>(x.size() - 1)) *
         static_cast<double>(x.size() - 1);
}

}  // namespace

TLogStatistic PooledStatistic(std::span<const double> logA, std::span<const double> logB) {
  const auto nx = static_cast<double>(logA.size()), ny = static_cast<double>(logB.size());
  const double df = nx + ny - 2;
  const auto mx = static_cast<double>(Mean(logA)), my = static_cast<double>(Mean(logB));
  double v = 0;
  if (logA.size() > 1) v += SquaredDeviations(logA, mx);
  if (logB.size() > 1) v += SquaredDeviations(logB, my);
  v /= df;
  const double standardError = std::sqrt(v * (1 / nx + 1 / ny));
  // Samples that are constant up to rounding give no t.
  if (!(standardError >=
        10 * std::numeric_limits<double>::epsilon() * std::max(std::fabs(mx), std::fabs(my))))
    return {kNaN, df};
  return {(mx - my) / standardError, df};
}

TSampleTestResult LogEqualTest(std::span<const double> a, std::span<const double> b) {
  std::vector<double> logA, logB;
  for (const auto& [from, to] : {std::pair{a, &logA}, std::pair{b, &logB}})
    for (const double v : from) {
      if (!(v > 0)) return {kNaN, kNaN, "a value is 0 or less and has no logarithm"};
      to->push_back(std::log(v));
    }
  const TLogStatistic st = PooledStatistic(logA, logB);
  const double p = StudentTwoSidedP(st.df, st.t);
  return {st.t, p, std::isnan(p) ? "the logarithms are constant" : nullptr};
}

TSampleTestResult DrawnSampleTest(TTestKind kind, std::span<const double> a,
                                  std::span<const double> b) {
  switch (kind) {
    case TTestKind::RankSum:
      return RankSumTest(a, b);
    case TTestKind::SignedRank:
      return SignedRankTest(a, b);
    case TTestKind::LogEqual:
      return LogEqualTest(a, b);
    default:
      HALVORN_UNREACHABLE("the t-tests judge the samples as stored");
  }
}

}  // namespace halvorn
