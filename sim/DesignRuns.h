#pragma once
// The Runs of one design, judged by every test as the window's Run and the
// reference functions judge them, but faster: the samples come from one
// generator with the design's levels and error tables worked out once, every
// t-test starts from one pass over the samples (PairMoments), the rank tests
// rank by counting or by a radix sort instead of by definition, their exact
// nulls are made once, and the p bin is decided from thresholds where that
// is provably the bin of the test's own p.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "sim/PValueBins.h"
#include "sim/PowerResult.h"
#include "sim/RankTests.h"
#include "sim/SampleGenerator.h"
#include "sim/SimParams.h"

namespace halvorn {

class TDesignRuns {
 public:
  // The sample arrays of one Run, addressed from 1 as the tests address
  // them; one per thread.
  struct TScratch {
    std::array<float, TSampleGenerator::kMaxSamples + 1> Before{}, After{};
    // The samples as drawn, from 0, for the rank and log tests, and room for
    // their orderings (and the sort's own) and logarithms.
    using TDrawn = std::array<double, TSampleGenerator::kMaxSamples>;
    TDrawn DrawnBefore{}, DrawnAfter{}, First{}, Second{}, Differences{};
    std::array<double, 2 * TSampleGenerator::kMaxSamples> Pooled{};
    std::array<std::uint32_t, 4 * TSampleGenerator::kMaxSamples> Sorting{};
  };

  // What a design's Runs share with other designs: the error tables of its
  // two series, and what depends on the sample count alone: the p bin
  // thresholds of df = 2 n - 2 (pooled, and on the logarithms) and n - 1
  // (paired), and the rank-sum test's exact null (none from kExactBelow
  // samples on).
  struct TShared {
    TSampleGenerator::TErrorTables Errors;
    std::shared_ptr<const TPBinThresholds> Pooled, Paired;
    std::shared_ptr<const TStudentPBins> Log;
    std::shared_ptr<const TRankSumNull> RankSum;
  };
  // The parts of TShared that depend on the sample count, made once per
  // process and shared by every computation.
  static std::shared_ptr<const TStudentPBins> LogBins(const SimParams& p);
  static std::shared_ptr<const TRankSumNull> RankSumNullOf(const SimParams& p);

  // Raises EListError for a sample count the Run refuses, and for none.
  TDesignRuns(const SimParams& params, TShared shared);

  static float PooledDf(const SimParams& p) { return static_cast<float>(2 * p.SampleCount - 2); }
  static float PairedDf(const SimParams& p) { return static_cast<float>(p.SampleCount - 1); }

  int SampleCount() const { return samples_.SampleCount(); }
  std::uint64_t DrawsPerRun() const { return samples_.DrawsPerRun(); }

  // Adds the outcome of `runs` consecutive Runs, the first starting from
  // `state`, to `into`; returns early, having added fewer, once `stop` is
  // set. Messages of the statistics must be silenced by the caller.
  void Judge(std::uint64_t state, std::int64_t runs, TScratch& scratch,
             const std::atomic<bool>& stop, TPowerResult& into) const;

 private:
  // The Run starting from `state` (its outcome added to `into`); returns the
  // state after it.
  std::uint64_t JudgeOne(std::uint64_t state, TScratch& scratch, TPowerResult& into) const;
  // The bin of a test's p: from the thresholds or the tail where that is
  // safe, else from the test's own p.
  int PBinOf(TTestKind test, TTStatistic st) const;
  // The rank and log tests of the Run drawn into the scratch's drawn
  // samples, whose estimate of the difference is `estimate`.
  void JudgeDrawn(TScratch& scratch, const TRunEstimate& estimate, TPowerResult& into) const;
  int UnequalBin(TTStatistic st) const;

  TSampleGenerator samples_;
  TShared shared_;
};

}  // namespace halvorn
