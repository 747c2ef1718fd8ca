#pragma once
// The runtime's extended-precision mathematical functions. Each receives its
// argument as a double and returns an extended result. Domain errors,
// singularities and overflows are reported through the math error sink
// ("sqrt: DOMAIN error") and the function then returns its default result;
// underflow gives 0 silently.

#include "platform/runtime/FloatOps.h"

namespace halvorn {

Extended Cos(double x);   // non-finite x: DOMAIN, NaN
Extended Ln(double x);    // x < 0: DOMAIN, NaN; x = 0: SING, -infinity
Extended Exp(double x);   // result beyond double range: OVERFLOW, +infinity
Extended Sqrt(double x);  // x < 0: DOMAIN, NaN

}  // namespace halvorn
