#include "sim/DesignRuns.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "platform/runtime/Assert.h"
#include "platform/runtime/Exceptions.h"
#include "sim/RadixSort.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

int BinOf(const TPBinThresholds& thresholds, TTStatistic st) {
  return st.df == thresholds.Df() ? thresholds.BinOf(TailX(st.df, st.t)) : -1;
}

// A Run of a test with this p: in its bin, or failed where it has none.
void AddP(TTestCounts& counts, double p, const TRunEstimate& estimate) {
  if (std::isnan(p))
    ++counts.Failed;
  else
    counts.Add(PBin(p), estimate);
}

}  // namespace

TDesignRuns::TDesignRuns(const SimParams& params, TShared shared)
    : samples_(params, shared.Errors), shared_(std::move(shared)) {
  if (samples_.SampleCount() < 1) throw EListError::IndexOutOfBounds(samples_.SampleCount());
  HALVORN_ASSERT(shared_.Pooled && shared_.Pooled->Df() == PooledDf(params) && shared_.Paired &&
                     shared_.Paired->Df() == PairedDf(params),
                 "the thresholds are those of the design's sample count");
  HALVORN_ASSERT(shared_.Log && shared_.Log->Df() == 2.0 * params.SampleCount - 2,
                 "the log test's bins are those of the design's sample count");
  HALVORN_ASSERT((params.SampleCount < kExactBelow) == (shared_.RankSum != nullptr) &&
                     (!shared_.RankSum || shared_.RankSum->M() == params.SampleCount),
                 "the rank-sum test's exact null is that of the design's sample count");
}

std::shared_ptr<const TStudentPBins> TDesignRuns::LogBins(const SimParams& p) {
  static std::mutex mutex;
  static std::map<int, std::shared_ptr<const TStudentPBins>> made;
  const std::lock_guard lock(mutex);
  auto& bins = made[p.SampleCount];
  if (!bins) bins = std::make_shared<const TStudentPBins>(2.0 * p.SampleCount - 2);
  return bins;
}

std::shared_ptr<const TRankSumNull> TDesignRuns::RankSumNullOf(const SimParams& p) {
  if (p.SampleCount >= kExactBelow) return nullptr;
  return RankSumNull(p.SampleCount, p.SampleCount);
}

std::uint64_t TDesignRuns::JudgeOne(std::uint64_t state, TScratch& s, TPowerResult& into) const {
  TStateDraws draws{state};
  // A sample's magnitude is below a million: a level of at most 400, a
  // year's factor of at most 1 + 0.5 x 4.06 and an error factor of at most
  // 3 (uniform), 1 + 2 x 4.06 (normal) or exp(1.27 x 4.06) (lognormal, a
  // coefficient of variation of 2 at the deviates' largest). Its store in
  // single precision cannot overflow, as the Run's trapping store would.
  using TSample = TSampleGenerator::TSample;
  // The series' sums, for the Run's estimate of the difference, added as
  // the samples are drawn.
  double sumBefore = 0, sumAfter = 0;
  samples_.Fill(TSampleGenerator::sBefore, draws, [&](std::int32_t i, const TSample& v) {
    s.Before[static_cast<std::size_t>(i) + 1] = static_cast<float>(v.Value);
    s.DrawnBefore[static_cast<std::size_t>(i)] = v.Value;
    sumBefore += v.Value;
  });
  samples_.Fill(TSampleGenerator::sAfter, draws, [&](std::int32_t i, const TSample& v) {
    s.After[static_cast<std::size_t>(i) + 1] = static_cast<float>(v.Value);
    s.DrawnAfter[static_cast<std::size_t>(i)] = v.Value;
    sumAfter += v.Value;
  });
  ++into.Runs;
  const TRunEstimate estimate = TRunEstimate::Of(sumBefore, sumAfter, samples_.SampleCount());
  JudgeDrawn(s, estimate, into);
  const auto n = static_cast<std::uint32_t>(samples_.SampleCount());
  TPairMoments m;
  try {
    m = PairMoments(s.Before, s.After, n);
  } catch (const Exception&) {
    // Every t-test starts with these moments, so every t-test fails alike.
    for (const TTestInfo& test : kTests)
      if (IsTTest(test.Kind)) ++into.Counts(test.Kind).Failed;
    return draws.State;
  }
  // A trap anywhere in a test fails that test alone.
  for (const TTestInfo& test : kTests) {
    if (!IsTTest(test.Kind)) continue;
    TTestCounts& counts = into.Counts(test.Kind);
    try {
      counts.Add(PBinOf(test.Kind, TestStatistic(test.Kind, m, n)), estimate);
    } catch (const Exception&) {
      ++counts.Failed;
    }
  }
  return draws.State;
}

void TDesignRuns::JudgeDrawn(TScratch& s, const TRunEstimate& estimate, TPowerResult& into) const {
  const auto n = static_cast<std::size_t>(samples_.SampleCount());
  const std::span<const double> before(s.DrawnBefore.data(), n), after(s.DrawnAfter.data(), n);
  // Small samples are ranked by counting, unless values tie.
  const bool counting = n < kCountingBelow;
  const auto rankSum =
      counting ? RankSumWithoutTies(before, after, shared_.RankSum.get()) : std::nullopt;
  const auto signedRank = counting ? SignedRankWithoutTies(before, after) : std::nullopt;
  // Rank-sum: the pooled sample in order.
  if (rankSum) {
    AddP(into.Counts(TTestKind::RankSum), rankSum->p, estimate);
  } else {
    const std::span<double> pooled(s.Pooled.data(), 2 * n);
    std::copy(before.begin(), before.end(), pooled.begin());
    std::copy(after.begin(), after.end(), pooled.begin() + static_cast<std::ptrdiff_t>(n));
    AddP(into.Counts(TTestKind::RankSum),
         RankSumOfOrdered(pooled, OrderByValue(pooled, s.Sorting), n, shared_.RankSum.get()).p,
         estimate);
  }
  // Signed-rank: the nonzero differences by magnitude.
  if (signedRank) {
    AddP(into.Counts(TTestKind::SignedRank), signedRank->p, estimate);
  } else {
    std::size_t nonzero = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (const double d = before[i] - after[i]; d != 0) s.Differences[nonzero++] = d;
    SortByMagnitude({s.Differences.data(), nonzero}, s.First, s.Sorting);
    AddP(into.Counts(TTestKind::SignedRank),
         SignedRankOfOrdered({s.First.data(), nonzero}, nonzero < n).p, estimate);
  }
  // The pooled t-test on the logarithms.
  TTestCounts& log = into.Counts(TTestKind::LogEqual);
  for (std::size_t i = 0; i < n; ++i) {
    if (!(before[i] > 0 && after[i] > 0)) {
      ++log.Failed;
      return;
    }
    s.First[i] = std::log(before[i]);
    s.Second[i] = std::log(after[i]);
  }
  const TLogStatistic st = PooledStatistic({s.First.data(), n}, {s.Second.data(), n});
  if (std::isnan(st.t))
    ++log.Failed;
  else
    log.Add(shared_.Log->BinOf(st.t), estimate);
}

int TDesignRuns::PBinOf(TTestKind test, TTStatistic st) const {
  int bin = -1;
  switch (test) {
    case TTestKind::EqualVariance:
      bin = BinOf(*shared_.Pooled, st);
      break;
    case TTestKind::UnequalVariance:
      bin = UnequalBin(st);
      break;
    case TTestKind::Paired:
      bin = BinOf(*shared_.Paired, st);
      break;
    default:
      HALVORN_UNREACHABLE("the rank and log tests are judged from the drawn samples");
  }
  return bin >= 0 ? bin : CheckedPBin(TwoSidedP(st.df, st.t));
}

int TDesignRuns::UnequalBin(TTStatistic st) const {
  // Welch's df lies between n - 1 and 2 n - 2, and for a given t the tail
  // shrinks as df grows. So the tails at the paired and the pooled test's df
  // bound this test's tail from above and below; when both lie in one bin,
  // more than the guard from its edges, so does this one. The thresholds
  // judge the x of a df rounded to single, the bounds need the exact x: the
  // floats on either side of the rounded x enclose it.
  if (st.df >= shared_.Paired->Df() && st.df <= shared_.Pooled->Df()) {
    const auto bracket = [&](const TPBinThresholds& at) {
      const float x = TailX(at.Df(), st.t);
      return at.BinOfRange(std::nextafter(x, -1.0f), std::nextafter(x, 2.0f));
    };
    const int upper = bracket(*shared_.Paired);
    if (upper >= 0 && upper == bracket(*shared_.Pooled)) return upper;
  }
  return FastPBin(st.df, st.t);
}

void TDesignRuns::Judge(std::uint64_t state, std::int64_t runs, TScratch& scratch,
                        const std::atomic<bool>& stop, TPowerResult& into) const {
  if (samples_.EveryRunAlike() && runs > 0) {
    TPowerResult one;
    JudgeOne(state, scratch, one);
    into.Runs += runs;
    for (std::size_t t = 0; t < one.Tests.size(); ++t) into.Tests[t] += one.Tests[t].Times(runs);
    return;
  }
  for (std::int64_t j = 0; j < runs && !stop.load(std::memory_order_relaxed); ++j)
    state = JudgeOne(state, scratch, into);
}

}  // namespace halvorn
