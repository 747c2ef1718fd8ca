#include "sim/DesignRuns.h"

#include <cmath>

#include "platform/runtime/Assert.h"
#include "platform/runtime/Exceptions.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

int BinOf(const TPBinThresholds& thresholds, TTStatistic st) {
  return st.df == thresholds.Df() ? thresholds.BinOf(TailX(st.df, st.t)) : -1;
}

}  // namespace

TDesignRuns::TDesignRuns(const SimParams& params, TShared shared)
    : samples_(params, shared.Errors), shared_(std::move(shared)) {
  if (samples_.SampleCount() < 1) throw EListError::IndexOutOfBounds(samples_.SampleCount());
  HALVORN_ASSERT(shared_.Pooled && shared_.Pooled->Df() == PooledDf(params) && shared_.Paired &&
                     shared_.Paired->Df() == PairedDf(params),
                 "the thresholds are those of the design's sample count");
}

std::uint64_t TDesignRuns::JudgeOne(std::uint64_t state, TScratch& s, TPowerResult& into) const {
  TStateDraws draws{state};
  // A sample's magnitude is below a million: a level of at most 400, a
  // year's factor of at most 1 + 0.5 x 4.06 and an error factor of at most
  // 3 (uniform), 1 + 2 x 4.06 (normal) or exp(1.27 x 4.06) (lognormal, a
  // coefficient of variation of 2 at the deviates' largest). Its store in
  // single precision cannot overflow, as the Run's trapping store would.
  using TSample = TSampleGenerator::TSample;
  samples_.Fill(TSampleGenerator::sBefore, draws, [&](std::int32_t i, const TSample& v) {
    s.Before[static_cast<std::size_t>(i) + 1] = static_cast<float>(v.Value);
  });
  samples_.Fill(TSampleGenerator::sAfter, draws, [&](std::int32_t i, const TSample& v) {
    s.After[static_cast<std::size_t>(i) + 1] = static_cast<float>(v.Value);
  });
  ++into.Runs;
  const auto n = static_cast<std::uint32_t>(samples_.SampleCount());
  TPairMoments m;
  try {
    m = PairMoments(s.Before, s.After, n);
  } catch (const Exception&) {
    // Every test starts with these moments, so every test fails alike.
    for (auto& t : into.Tests) ++t.Failed;
    return draws.State;
  }
  // A trap anywhere in a test fails that test alone.
  for (const TTestInfo& test : kTests) {
    TTestCounts& counts = into.Counts(test.Kind);
    try {
      counts.Add(PBinOf(test.Kind, TestStatistic(test.Kind, m, n)));
    } catch (const Exception&) {
      ++counts.Failed;
    }
  }
  return draws.State;
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
