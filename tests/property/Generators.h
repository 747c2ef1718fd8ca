#pragma once
// rapidcheck's inRange and arbitrary reach only part of their range while
// the test size is small (inRange(0, 22) gives at most 8 at size 40); these
// reach all of it in every case, still shrinking towards the low end.

#include <rapidcheck.h>

namespace halvorn::testing {

inline rc::Gen<int> Uniform(int low, int highExclusive) {
  return rc::gen::resize(rc::kNominalSize, rc::gen::inRange(low, highExclusive));
}

template <typename T>
rc::Gen<T> AnyValue() {
  return rc::gen::resize(rc::kNominalSize, rc::gen::arbitrary<T>());
}

}  // namespace halvorn::testing
