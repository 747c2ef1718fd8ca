#pragma once
// The live readout of the main window: how likely the current design is to
// detect its difference in the next Runs, per test with its 95 % interval,
// and how often each test raises a false alarm when there is no difference.
// It shows the chosen tests, as many as fit in the window. The figures are
// computed off the GUI thread whenever the design or the random source
// moves; until new ones arrive the old ones are shown dimmed.

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "app/BackgroundJob.h"
#include "platform/runtime/Colors.h"
#include "sim/PowerEngine.h"

namespace halvorn {

class TLabel;
class TMF;
class TTestChoice;

class TPowerReadout {
 public:
  // The Runs each figure counts.
  static constexpr int kRuns = 1000;
  // The figures' colour while they are out of date: a grey that still reads
  // on the navy at a contrast above 4.5 : 1.
  static constexpr TColor kDimmedColor = 0x999999;

  // Uses the window's readout labels to show the tests of `tests`, and
  // computes on `pool`; both must outlive the readout. Computes nothing
  // until Update.
  TPowerReadout(TMF& form, TPowerPool& pool, const TTestChoice& tests);
  ~TPowerReadout();

  // The figures for this design and random state, computed in the
  // background; the figures shown are dimmed until they arrive.
  void Update(const SimParams& params, std::uint64_t state);
  // The choice of tests changed: the rows follow at once, with the figures
  // at hand (the engine's results cover every test).
  void TestsChanged();

  // The tests whose rows are shown, in the order shown.
  const std::vector<TTestKind>& ShownTests() const { return shown_; }
  // The figures shown are out of date: dimmed until Update's arrive.
  void MarkStale() { SetDimmed(true); }
  // No computation is under way.
  bool Idle() const { return !job_.Busy(); }
  // Called on the GUI thread after new figures are shown (for tests).
  std::function<void()> OnShown;

  // The texts of a result as the readout writes them: a test's power, and
  // the false positives of `tests` in their order.
  static std::string PowerText(const TPowerResult& result, TTestKind test);
  static std::string FalsePositiveText(const TPowerResult& falsePositive,
                                       const std::vector<TTestKind>& tests);

 private:
  struct TRow {
    TLabel* Name = nullptr;
    TLabel* Value = nullptr;
  };

  void Show(const TPowerResult& power, const TPowerResult& falsePositive);
  void ShowFigures();
  void SetDimmed(bool dimmed);

  // One row per test in the table's order, then the false positives'.
  std::array<TRow, kTestCount + 1> rows_{};
  const TTestChoice* tests_;
  std::vector<TTestKind> shown_;
  // The figures of the last computation, for the rows of tests chosen later.
  std::optional<TPowerResult> power_, falsePositive_;
  TPowerPool* pool_;
  TBackgroundJob job_;
};

}  // namespace halvorn
