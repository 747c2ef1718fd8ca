#pragma once
// What the labels of an axis say: the pattern their numbers are written in
// and whether a label breaks into lines at its spaces. The chart's label hook
// sees a text between the two steps.

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "chart/CanvasTools.h"
#include "platform/runtime/FloatFormat.h"

namespace halvorn {

struct TAxisLabelFormat {
  // The number of a value label, as the pattern writes it. Every paint
  // writes the same few labels, several times over (to size the axis, then
  // to draw it), so the texts are remembered for the pattern and the
  // separators they were written with.
  std::string Number(double value) const;
  // The text laid out in lines: with MultiLine every space ends a line.
  std::string Lines(std::string text) const {
    if (MultiLine) std::replace(text.begin(), text.end(), ' ', kLineSeparator);
    return text;
  }

  std::string ValuesFormat = "#,##0.###";
  // The date format of date-time labels (empty: chosen from the range).
  std::string DateTimeFormat;
  bool MultiLine = false;

 private:
  struct TWritten {
    std::uint64_t Bits;  // the value's bits: 0 and -0 are told apart
    std::string Text;
  };
  mutable std::string writtenFormat_, writtenDecimal_, writtenThousand_;
  mutable std::vector<TWritten> written_;
};

}  // namespace halvorn
