#include "sim/PowerPool.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include "platform/runtime/Assert.h"

namespace halvorn {

struct TPowerPool::TJob {
  TJob(std::int64_t chunks, const TChunkWork* work) : Chunks(chunks), Work(work) {}
  std::int64_t Chunks;
  const TChunkWork* Work;
  std::int64_t Next = 0, Done = 0, InFlight = 0;  // guarded by the pool's mutex
  std::atomic<bool> Stop{false};
  std::exception_ptr Error;
  std::condition_variable Changed;

  bool Finished() const { return Done == Chunks || (Stop && InFlight == 0); }
};

TPowerPool::TPowerPool(int threads) {
  const int n = std::max(1, threads);
  workers_.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    workers_.emplace_back([this, i](std::stop_token stop) { Work(stop, i); });
}

TPowerPool::~TPowerPool() {
  for (auto& w : workers_) w.request_stop();
  wake_.notify_all();
  // The jthreads join as they are destroyed.
}

void TPowerPool::Work(std::stop_token stop, int index) {
  std::unique_lock lock(mutex_);
  while (wake_.wait(lock, stop, [this] { return !jobs_.empty(); })) {
    TJob& job = *jobs_.front();
    if (job.Stop || job.Next == job.Chunks) {
      // Every chunk is taken (or none will be): the job leaves the queue.
      jobs_.pop_front();
      job.Changed.notify_all();
      continue;
    }
    const std::int64_t chunk = job.Next++;
    ++job.InFlight;
    lock.unlock();
    std::exception_ptr error;
    try {
      (*job.Work)(index, chunk, job.Stop);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (error) {
      if (!job.Error) job.Error = error;
      job.Stop = true;
    }
    --job.InFlight;
    ++job.Done;
    HALVORN_ASSERT(job.InFlight >= 0 && job.Done <= job.Next,
                   "a chunk is done once, after its start");
    if (job.Finished()) job.Changed.notify_all();
  }
}

bool TPowerPool::Run(std::int64_t chunks, const TChunkWork& work, std::stop_token stop,
                     const TProgress& progress) {
  if (chunks <= 0) return true;
  TJob job(chunks, &work);
  {
    // A stop request reaches the workers at once through the job's flag,
    // from before the first chunk can start: a chunk that stops the
    // computation itself sees its own request. (The callback goes before
    // the job does.)
    std::stop_callback onStop(stop, [&] {
      job.Stop = true;
      std::lock_guard guard(mutex_);
      job.Changed.notify_all();
    });
    std::unique_lock lock(mutex_);
    jobs_.push_back(&job);
    wake_.notify_all();
    while (!job.Finished()) {
      job.Changed.wait_for(lock, std::chrono::milliseconds(25));
      if (progress && !job.Finished()) {
        const double fraction = static_cast<double>(job.Done) / static_cast<double>(chunks);
        lock.unlock();
        progress(fraction);
        lock.lock();
      }
    }
  }
  std::unique_lock lock(mutex_);
  std::erase(jobs_, &job);
  lock.unlock();
  if (job.Error) std::rethrow_exception(job.Error);
  // A chunk under way when the stop came may have returned early: however
  // many chunks are done, the computation is not whole.
  if (job.Stop || job.Done < chunks) return false;
  if (progress) progress(1.0);
  return true;
}

}  // namespace halvorn
