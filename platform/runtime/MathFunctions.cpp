#include "platform/runtime/MathFunctions.h"

#include <cfloat>
#include <cstdint>
#include <cstring>

#include "platform/runtime/MessageSinks.h"

namespace halvorn {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();

// The C library's cosine spends most of its time reducing the argument. The
// simulation asks again and again for the same few hundred angles (months
// times a fixed step), so each thread keeps the last result per slot of a
// small direct-mapped table: the values are exactly the library's.
class TCosineMemo {
 public:
  Extended Cos(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    Entry& e = entries_[(bits * 0x9E3779B97F4A7C15ull) >> (64 - kBits)];
    if (!e.valid || e.bits != bits) {
      e.bits = bits;
      e.value = std::cos(static_cast<Extended>(x));
      e.valid = true;
    }
    return e.value;
  }

 private:
  static constexpr int kBits = 10;
  struct Entry {
    std::uint64_t bits = 0;
    bool valid = false;
    Extended value = 0;
  };
  Entry entries_[1 << kBits];
};

thread_local TCosineMemo cosineMemo;

}  // namespace

Extended Cos(double x) {
  if (std::isnan(x)) return kNaN;
  if (std::isinf(x)) {
    ReportMathError("cos", "DOMAIN");
    return kNaN;
  }
  return cosineMemo.Cos(x);
}

Extended Ln(double x) {
  if (std::isnan(x)) return kNaN;
  if (x < 0) {
    ReportMathError("log", "DOMAIN");
    return kNaN;
  }
  if (x == 0) {
    ReportMathError("log", "SING");
    return -kInfinity;
  }
  return std::log(static_cast<Extended>(x));
}

Extended Exp(double x) {
  if (std::isnan(x)) return kNaN;
  const Extended r = std::exp(static_cast<Extended>(x));
  // The library's exp returns a double, so its overflow threshold is that of
  // a double result even though the value is handed on in extended precision.
  if (r > static_cast<Extended>(DBL_MAX) && !std::isinf(x)) {
    ReportMathError("exp", "OVERFLOW");
    return kInfinity;
  }
  return r;
}

Extended Sqrt(double x) {
  if (std::isnan(x)) return kNaN;
  if (x < 0) {
    ReportMathError("sqrt", "DOMAIN");
    return kNaN;
  }
  return std::sqrt(static_cast<Extended>(x));
}

}  // namespace halvorn
