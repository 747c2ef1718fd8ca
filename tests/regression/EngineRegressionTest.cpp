// Faults found in the power engine, each kept as a case of its own.

#include <gtest/gtest.h>

#include <atomic>
#include <stop_token>

#include "sim/PowerPool.h"

namespace halvorn {
namespace {

// A stop that came while the last chunks ran let them return early, yet the
// pool reported the computation whole because every chunk had been done:
// its partial counts were taken for the full number of Runs.
TEST(EngineRegression, AStopWhileTheLastChunkRunsIsAStop) {
  TPowerPool pool(1);
  std::stop_source stop;
  int whole = 0;
  const TPowerPool::TChunkWork work = [&](int, std::int64_t chunk, const std::atomic<bool>& halt) {
    if (chunk == 1) {
      stop.request_stop();
      if (halt) return;  // cut short, as a chunk of Runs is
    }
    ++whole;
  };
  EXPECT_FALSE(pool.Run(2, work, stop.get_token(), {}));
  EXPECT_EQ(whole, 1);
}

}  // namespace
}  // namespace halvorn
