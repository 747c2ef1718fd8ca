#include "platform/MathFunctions.h"

#include <cfloat>

#include "platform/MessageSinks.h"

namespace halvorn {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended kInfinity = std::numeric_limits<Extended>::infinity();

}  // namespace

Extended Cos(double x) {
  if (std::isnan(x)) return kNaN;
  if (std::isinf(x)) {
    ReportMathError("cos", "DOMAIN");
    return kNaN;
  }
  return std::cos(static_cast<Extended>(x));
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
