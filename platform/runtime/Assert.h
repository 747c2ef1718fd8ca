#pragma once
// Invariants: conditions that hold unless the program itself is wrong. They
// are checked in every build, the one the tests run included, so a broken
// invariant stops the program at its place with its reason rather than
// letting it draw or count something wrong. Failures the user can cause are
// exceptions, never assertions.

#include <cstdio>
#include <cstdlib>

namespace halvorn {

[[noreturn]] inline void AssertionFailed(const char* condition, const char* reason,
                                         const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s (%s)\n", file, line, reason, condition);
  std::fflush(stderr);
  std::abort();
}

}  // namespace halvorn

// HALVORN_ASSERT(condition, "reason"): the condition must hold here.
// HALVORN_UNREACHABLE("reason"): control never gets here.
#define HALVORN_ASSERT(condition, reason) \
  ((condition) ? static_cast<void>(0)     \
               : ::halvorn::AssertionFailed(#condition, reason, __FILE__, __LINE__))
#define HALVORN_UNREACHABLE(reason) \
  ::halvorn::AssertionFailed("unreachable", reason, __FILE__, __LINE__)
