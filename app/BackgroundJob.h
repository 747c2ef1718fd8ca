#pragma once
// One computation at a time off the GUI thread, the newest winning: starting
// a job stops the one running (through its stop token) and replaces one that
// has not started yet. What a job finds reaches the GUI thread's message loop
// as a continuation, and runs only if no newer job was started since, so a
// window never shows the result of a design it has left.

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace halvorn {

class TBackgroundJob {
 public:
  // What the GUI thread does with a job's result.
  using TContinuation = std::function<void()>;
  // Hands a partial result (a progress figure, say) to the GUI thread at
  // once, under the same rule as the final one.
  using TPost = std::function<void(TContinuation)>;
  // The work runs on the job's own thread. It should return soon after its
  // stop token fires; a stopped work raises EAbort (or returns), and nothing
  // of it is delivered. Any other exception is shown in the error box.
  using TWork = std::function<TContinuation(std::stop_token, const TPost& post)>;

  TBackgroundJob();
  // Stops the running work and waits for it (a work returns within a few
  // milliseconds of its stop).
  ~TBackgroundJob();
  TBackgroundJob(const TBackgroundJob&) = delete;
  TBackgroundJob& operator=(const TBackgroundJob&) = delete;

  // GUI thread only. Never waits for the work.
  void Start(TWork work);
  // Stops the running or waiting work; nothing is delivered for it.
  void Stop();
  // A job has been started whose result has not been delivered.
  bool Busy() const { return started_ != settled_; }

 private:
  void Loop(std::stop_token stop);
  // Queues a continuation of job `generation` to the GUI thread.
  void Deliver(std::uint64_t generation, TContinuation continuation, bool final);

  // Lives on the GUI thread: continuations are queued to it, and die with it.
  QObject receiver_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::optional<TWork> next_;
  std::uint64_t nextGeneration_ = 0;
  std::stop_source running_;
  // GUI thread: the last job started, and the last one settled (delivered,
  // stopped or replaced).
  std::uint64_t started_ = 0;
  std::uint64_t settled_ = 0;
  // Last, so that it starts after the rest exists and is joined first.
  std::jthread thread_;
};

}  // namespace halvorn
