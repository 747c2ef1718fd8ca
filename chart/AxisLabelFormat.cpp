#include "chart/AxisLabelFormat.h"

#include <bit>

#include "platform/runtime/FormatSettings.h"

namespace halvorn {
namespace {

// More than the labels of any axis: a full memo is a sign of scrolling
// through new values, and starts again.
constexpr std::size_t kMaxWritten = 64;

}  // namespace

std::string TAxisLabelFormat::Number(double value) const {
  const TFormatSettings& settings = FormatSettings();
  if (writtenFormat_ != ValuesFormat || writtenDecimal_ != settings.DecimalSeparator ||
      writtenThousand_ != settings.ThousandSeparator || written_.size() >= kMaxWritten) {
    written_.clear();
    writtenFormat_ = ValuesFormat;
    writtenDecimal_ = settings.DecimalSeparator;
    writtenThousand_ = settings.ThousandSeparator;
  }
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (const TWritten& w : written_)
    if (w.Bits == bits) return w.Text;
  std::string text = FormatFloat(ValuesFormat, value, settings);
  written_.push_back(TWritten{bits, text});
  return text;
}

}  // namespace halvorn
