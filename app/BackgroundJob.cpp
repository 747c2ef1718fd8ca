#include "app/BackgroundJob.h"

#include <exception>

#include "platform/forms/Application.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

TBackgroundJob::TBackgroundJob() : thread_([this](std::stop_token stop) { Loop(stop); }) {}

TBackgroundJob::~TBackgroundJob() {
  {
    std::lock_guard lock(mutex_);
    running_.request_stop();
    next_.reset();
  }
  thread_.request_stop();
  wake_.notify_all();
  thread_.join();
}

void TBackgroundJob::Start(TWork work) {
  const std::uint64_t generation = ++started_;
  {
    std::lock_guard lock(mutex_);
    running_.request_stop();
    next_ = std::move(work);
    nextGeneration_ = generation;
  }
  wake_.notify_all();
}

void TBackgroundJob::Stop() {
  {
    std::lock_guard lock(mutex_);
    running_.request_stop();
    next_.reset();
  }
  // A result already on its way is left behind as a stale one.
  settled_ = ++started_;
}

void TBackgroundJob::Loop(std::stop_token stop) {
  for (;;) {
    TWork work;
    std::uint64_t generation;
    std::stop_token token;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return next_.has_value(); })) return;
      work = std::move(*next_);
      next_.reset();
      generation = nextGeneration_;
      running_ = std::stop_source();
      token = running_.get_token();
    }
    const TPost post = [this, generation, token](TContinuation partial) {
      if (!token.stop_requested()) Deliver(generation, std::move(partial), false);
    };
    TContinuation continuation;
    try {
      continuation = work(token, post);
    } catch (const EAbort&) {
      continue;
    } catch (...) {
      continuation = [failure = std::current_exception()] { std::rethrow_exception(failure); };
    }
    if (!token.stop_requested() && continuation) Deliver(generation, std::move(continuation), true);
  }
}

void TBackgroundJob::Deliver(std::uint64_t generation, TContinuation continuation, bool final) {
  QMetaObject::invokeMethod(
      &receiver_,
      [this, generation, final, continuation = std::move(continuation)] {
        if (generation != started_) return;  // a newer job is under way
        if (final) settled_ = generation;
        Dispatch(continuation);
      },
      Qt::QueuedConnection);
}

}  // namespace halvorn
