#pragma once
// The live readout of the main window: how likely the current design is to
// detect its difference in the next Runs, per test with its 95 % interval,
// and how often each test raises a false alarm when there is no difference.
// The figures are computed off the GUI thread whenever the design or the
// random source moves; until new ones arrive the old ones are shown dimmed.

#include <array>
#include <functional>

#include "app/BackgroundJob.h"
#include "sim/PowerEngine.h"

namespace halvorn {

class TLabel;
class TMF;

class TPowerReadout {
 public:
  // The Runs each figure counts.
  static constexpr int kRuns = 1000;

  // Uses the window's readout labels and computes on `pool`, which must
  // outlive the readout; computes nothing until Update.
  TPowerReadout(TMF& form, TPowerPool& pool);
  ~TPowerReadout();

  // The figures for this design and random state, computed in the
  // background; the figures shown are dimmed until they arrive.
  void Update(const SimParams& params, std::uint64_t state);

  // The figures shown are out of date: dimmed until Update's arrive.
  void MarkStale() { SetDimmed(true); }
  // No computation is under way.
  bool Idle() const { return !job_.Busy(); }
  // Called on the GUI thread after new figures are shown (for tests).
  std::function<void()> OnShown;

  // The texts of a result as the readout writes them.
  static std::string PowerText(const TPowerResult& result, TTestKind test);
  static std::string FalsePositiveText(const TPowerResult& falsePositive);

 private:
  void Show(const TPowerResult& power, const TPowerResult& falsePositive);
  void SetDimmed(bool dimmed);

  // One label per test, then the false positives'.
  std::array<TLabel*, kWindowTestCount + 1> values_{};
  TPowerPool* pool_;
  TBackgroundJob job_;
};

}  // namespace halvorn
