#include "app/BackgroundPool.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <thread>

namespace halvorn {
namespace {

// The nice value of the workers: the lowest, so that the GUI thread (0)
// takes a core from them the moment it wakes. At nice 10 with a worker on
// every core, bench_app's BM_GuiGapDuringPowerSweep on an idle 2-core machine
// showed the message loop's longest gap at 6-14 ms but now and then at about
// 105 ms; at 19 it stayed at 6-11 ms. Under other work the sweeps slow down
// instead, as background work should.
constexpr int kWorkerNice = 19;

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
      pool = std::make_unique<TPowerPool>(std::max(1, cores));
    } catch (...) {
      failure = std::current_exception();
    }
  }).join();
  if (failure) std::rethrow_exception(failure);
  return pool;
}

}  // namespace halvorn
