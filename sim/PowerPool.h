#pragma once
// The worker threads of the power engine. A computation is cut into chunks
// that the workers take in order; several computations may be queued on one
// pool at once (each is served after those before it).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace halvorn {

class TPowerPool {
 public:
  // At least one worker; the default is one per core.
  explicit TPowerPool(int threads = static_cast<int>(std::thread::hardware_concurrency()));
  ~TPowerPool();
  TPowerPool(const TPowerPool&) = delete;
  TPowerPool& operator=(const TPowerPool&) = delete;

  int Threads() const { return static_cast<int>(workers_.size()); }

  // One chunk of a computation, run on worker `worker` (0 .. Threads() - 1;
  // a worker runs one chunk at a time). It should return soon after `stop`
  // becomes true.
  using TChunkWork =
      std::function<void(int worker, std::int64_t chunk, const std::atomic<bool>& stop)>;
  // Called on the calling thread with the share of the chunks done, about
  // every 25 ms and once at the end.
  using TProgress = std::function<void(double fraction)>;

  // Runs chunks 0 .. chunks - 1 and returns when all are done (true) or when
  // `stop` was requested and the chunks under way have returned (false, even
  // if every chunk had been started: those under way may have returned
  // early). An exception that escapes a chunk stops the others and is
  // rethrown here.
  // May be called from several threads at once.
  bool Run(std::int64_t chunks, const TChunkWork& work, std::stop_token stop,
           const TProgress& progress);

 private:
  struct TJob;
  void Work(std::stop_token stop, int index);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::deque<TJob*> jobs_;  // jobs with chunks not yet taken, oldest first
  std::vector<std::jthread> workers_;
};

}  // namespace halvorn
