#include "app/RunHistory.h"

#include "platform/runtime/Assert.h"

namespace halvorn {

void TRunHistory::RunMade(std::optional<TRunP> result) {
  ++runs_;
  if (result) {
    HALVORN_ASSERT(result->Run == runs_, "a mark carries the number of its Run");
    marks_.push_back(*result);
  }
  // Marks older than the last kCapacity Runs leave the chart.
  while (!marks_.empty() && marks_.front().Run + static_cast<std::int64_t>(kCapacity) <= runs_)
    marks_.pop_front();
}

}  // namespace halvorn
