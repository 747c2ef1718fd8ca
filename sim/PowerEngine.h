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

// The smallest value among the points whose power in `test` reaches
// `target`; none when no point does. Power need not grow steadily with every
// parameter, so every point is looked at (no bisection).
std::optional<int> SmallestValueReaching(const std::vector<TSweepPoint>& sweep, TTestKind test,
                                         TPowerTarget target);

}  // namespace halvorn
