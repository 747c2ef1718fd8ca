#include "app/BackgroundPool.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <thread>

namespace halvorn {
namespace {

// The nice value of the workers: the GUI thread (0) outweighs each of them
// by about ten to one.
constexpr int kWorkerNice = 10;

}  // namespace

std::unique_ptr<TPowerPool> MakeBackgroundPool() {
  // A thread starts with the nice value of the thread that creates it, so
  // the pool is built on a thread of its own whose priority is lowered
  // first; the GUI thread's stays as it is.
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  std::unique_ptr<TPowerPool> pool;
  std::exception_ptr failure;
  std::thread([&] {
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kWorkerNice);
    try {
      // A core stays free for the GUI thread. With a worker on every core
      // as well as the lower priority, on a 2-core machine shared with other
      // work, the longest gap of the message loop during a sweep
      // (bench_app's BM_GuiGapDuringPowerSweep) rose from about 9 ms to
      // 12-24 ms, with stalls beyond 100 ms, for sweeps about a quarter
      // faster.
      pool = std::make_unique<TPowerPool>(std::max(1, cores - 1));
    } catch (...) {
      failure = std::current_exception();
    }
  }).join();
  if (failure) std::rethrow_exception(failure);
  return pool;
}

}  // namespace halvorn
