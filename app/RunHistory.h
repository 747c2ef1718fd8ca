#pragma once
// The p values of the main window's last Runs, for the power window's chart
// of them: what a student sees one Run at a time, beside the power that
// predicts how often p falls below 0.05.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "sim/TestTable.h"

namespace halvorn {

struct TRunP {
  std::int64_t Run;  // the Run's number in the session, from 1
  double P;
  bool Significant;
  TTestKind Test;
  friend bool operator==(const TRunP&, const TRunP&) = default;
};

class TRunHistory {
 public:
  static constexpr std::size_t kCapacity = 50;

  // A Run was made. `result` is its test's p and decision; none when the
  // Run showed no p of its own samples (it failed, or no test was chosen).
  // Such a Run takes its number but leaves no mark.
  void RunMade(std::optional<TRunP> result);

  // The marks of the last kCapacity Runs, oldest first.
  const std::deque<TRunP>& Marks() const { return marks_; }
  // Runs made in the session.
  std::int64_t Runs() const { return runs_; }
  // The number the next Run gets.
  std::int64_t NextRun() const { return runs_ + 1; }

 private:
  std::deque<TRunP> marks_;
  std::int64_t runs_ = 0;
};

}  // namespace halvorn
