#pragma once
// Runs an action when a scope ends, however it ends: the undo of a change
// that must not outlive the step that made it, even when the step throws.

#include <utility>

namespace halvorn {

template <typename F>
class [[nodiscard]] TAtScopeExit {
 public:
  explicit TAtScopeExit(F action) : action_(std::move(action)) {}
  ~TAtScopeExit() { action_(); }
  TAtScopeExit(const TAtScopeExit&) = delete;
  TAtScopeExit& operator=(const TAtScopeExit&) = delete;

 private:
  F action_;
};

}  // namespace halvorn
