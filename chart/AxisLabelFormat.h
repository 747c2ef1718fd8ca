#pragma once
// What the labels of an axis say: the pattern their numbers are written in
// and whether a label breaks into lines at its spaces. The chart's label hook
// sees a text between the two steps.

#include <algorithm>
#include <string>

#include "chart/CanvasTools.h"
#include "platform/runtime/FloatFormat.h"

namespace halvorn {

struct TAxisLabelFormat {
  // The number of a value label, as the pattern writes it.
  std::string Number(double value) const { return FormatFloat(ValuesFormat, value); }
  // The text laid out in lines: with MultiLine every space ends a line.
  std::string Lines(std::string text) const {
    if (MultiLine) std::replace(text.begin(), text.end(), ' ', kLineSeparator);
    return text;
  }

  std::string ValuesFormat = "#,##0.###";
  // The date format of date-time labels (empty: chosen from the range).
  std::string DateTimeFormat;
  bool MultiLine = false;
};

}  // namespace halvorn
