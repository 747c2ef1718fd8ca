#pragma once
// Failures raised by the chart engine's own checks; index and arithmetic
// errors keep their framework classes.

#include "platform/runtime/Exceptions.h"

namespace halvorn {

// Refused chart, series and marker settings.
class ChartException : public Exception {
 public:
  using Exception::Exception;
};

// Refused axis settings.
class AxisException : public Exception {
 public:
  using Exception::Exception;
};

// Refused legend settings.
class LegendException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace halvorn
