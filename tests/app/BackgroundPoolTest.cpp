// The windows' pool: a worker per core, each at the lowest priority, below
// the thread that made it, whose own priority stays.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <latch>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

#include "app/BackgroundPool.h"

namespace halvorn {
namespace {

int OwnNice() {
  errno = 0;
  return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}

TEST(BackgroundPool, HasAWorkerPerCoreEachAtTheLowestPriority) {
  const int callerNice = OwnNice();
  const std::unique_ptr<TPowerPool> pool = MakeBackgroundPool();
  EXPECT_EQ(pool->Threads(), std::max(1, static_cast<int>(std::thread::hardware_concurrency())));
  EXPECT_EQ(OwnNice(), callerNice);

  // Each chunk waits for all the others to start, so every worker holds one.
  const int workers = pool->Threads();
  std::latch started(workers);
  std::vector<int> nice(static_cast<std::size_t>(workers), -100);
  ASSERT_TRUE(pool->Run(
      workers,
      [&](int worker, std::int64_t, const std::atomic<bool>&) {
        nice[static_cast<std::size_t>(worker)] = OwnNice();
        started.arrive_and_wait();
      },
      std::stop_token(), [](double) {}));
  for (const int value : nice) EXPECT_EQ(value, 19);
}

}  // namespace
}  // namespace halvorn
