#pragma once
// The power of a design: how often the window's Run would find the
// difference significant. The engine judges the next Runs from a given state
// of the random source with every test, exactly as the window's Run
// would judge each of them, without drawing from the thread's own source:
// the window's Runs are unchanged by any power computation.
//
// Run j of a request (j = 0, 1, ...) is the Run that would follow Skip + j
// earlier Runs from State; with n samples per series each Run draws 2 n
// values, so it starts 2 n (Skip + j) draws after State. A Run whose test
// ends in a floating-point trap or in a p value that cannot be computed
// counts as failed for that test, neither significant nor not; no message
// is shown (the workers hold TSilentMessages).

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "platform/runtime/Exceptions.h"
#include "sim/PowerPool.h"
#include "sim/PowerResult.h"
#include "sim/SimParams.h"

namespace halvorn {

struct TPowerRequest {
  SimParams Params;
  std::uint64_t State;  // the random source's state before the first Run
  std::int64_t Runs;    // 0 or more
  std::int64_t Skip = 0;
};

// A computation ended by its stop token. An EAbort, so the window's event
// dispatch drops it silently.
class EPowerStopped : public EAbort {};

// Called on the calling thread with the share done (0 .. 1), about every
// 25 ms and once with 1 at the end.
using TPowerProgress = std::function<void(double fraction)>;

// The counts of the request's Runs. Blocks the calling thread (any thread
// but the GUI thread) until done; several threads may call at once on one
// pool. Raises EPowerStopped when `stop` is requested before the end;
// EListError for a sample count the Run refuses (300 or more, or below 1),
// EInvalidOperation for negative Runs or Skip.
TPowerResult ComputePower(const TPowerRequest& request, TPowerPool& pool, std::stop_token stop = {},
                          const TPowerProgress& progress = {});

// The false-positive rate of a design: the power of the same design with a
// difference of 0 (the after baseline follows, as the window's slider sets it).
TPowerResult ComputeFalsePositive(const TPowerRequest& request, TPowerPool& pool,
                                  std::stop_token stop = {}, const TPowerProgress& progress = {});

struct TSweepPoint {
  int Position;  // of the slider
  int Value;     // what the slider's label shows at that position
  TPowerResult Result;
  double LevelDifference = 0;  // the point's design's, for its type S and M errors
};

// The power of the design with `slider` at each position from
// `fromPosition` to `toPosition` (inclusive, both within the slider's range)
// in steps of `stepPositions` (> 0). Every point judges its Runs from the
// same State and Skip (common random numbers), so neighbouring points differ
// by the design alone and the curve is smooth.
std::vector<TSweepPoint> SweepPower(const TPowerRequest& base, TSlider slider, int fromPosition,
                                    int toPosition, int stepPositions, TPowerPool& pool,
                                    std::stop_token stop = {}, const TPowerProgress& progress = {});

// A target power as the user writes it, a decimal percentage: Units / 10^
// Decimals percent. A share of Runs reaches it when significant / runs is at
// least that, compared exactly in integers (99.9 % is reached by 999 of 1000
// Runs, which a comparison of the doubles 0.999 and 99.9 / 100 would miss).
struct TPowerTarget {
  static constexpr int kMaxDecimals = 6;
  std::int64_t Units = 80;
  int Decimals = 0;

  static constexpr TPowerTarget Percent(int percent) { return {percent, 0}; }
  constexpr std::int64_t Scale() const {
    std::int64_t scale = 1;
    for (int d = 0; d < Decimals; ++d) scale *= 10;
    return scale;
  }
  // Whether `significant` of `runs` (> 0) Runs reach the target; runs and
  // the scale are small enough (at most 10^7 and 10^6) that neither side
  // overflows.
  constexpr bool ReachedBy(std::int64_t significant, std::int64_t runs) const {
    return runs > 0 && significant * 100 * Scale() >= Units * runs;
  }
  friend constexpr bool operator==(const TPowerTarget&, const TPowerTarget&) = default;
};

// A run of consecutive sweep points whose power reaches a target: the
// values of its first and last point, and whether it starts at the sweep's
// first point or ends at its last (beyond which nothing is known).
struct TValueRange {
  int From, To;
  bool First, Last;
  friend bool operator==(const TValueRange&, const TValueRange&) = default;
};

// The points whose power in `test` reaches `target`, as ranges of
// consecutive points in the sweep's order. Power need not grow steadily
// with every parameter (it falls as an error grows, and can rise and fall
// again), so a single smallest value would mislead: every point is looked at.
std::vector<TValueRange> ValuesReaching(const std::vector<TSweepPoint>& sweep, TTestKind test,
                                        TPowerTarget target);

// The words of the ranges' text, in the tool's English and the window's
// Greek; the patterns take the value's text.
struct TRangeWords {
  const char* None;    // no point reaches the target
  const char* All;     // every point does
  const char* UpTo;    // a range from the first point
  const char* FromOn;  // a range to the last point
};
inline constexpr TRangeWords kEnglishRangeWords{"none in range", "all", "up to %s", "from %s on"};
inline constexpr TRangeWords kGreekRangeWords{"καμία", "όλες", "έως %s", "από %s και πάνω"};

// The ranges as the tool and the window write them: "from 27 on", "up to
// 3", "40–60" (one value alone where a range holds one point), joined by
// ", "; values as the slider's label writes them.
std::string ValuesReachingText(const std::vector<TValueRange>& ranges, TSlider slider,
                               const TRangeWords& words);

}  // namespace halvorn
