#pragma once
// A site's monitoring record: the samples of one parameter, each with the
// calendar month it was taken in, read from the text of a file the caller
// has loaded. The site fit (SiteFit.h) estimates the measurement model from
// it.
//
// The text holds a date column (YYYY-MM-DD or YYYY-MM) and a value column,
// separated by ",", ";" or a tab, with an optional header line. A value may
// use a decimal comma when the columns are not separated by commas (a Greek
// spreadsheet writes "0,5" with ";"). A value written "<0.5" or "< 0,5" is
// below a detection limit of 0.5. Several values in one month are kept as
// separate samples.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halvorn {

struct TSiteSample {
  std::int32_t Year;
  std::int32_t Month;  // 1-12
  // The value; for a censored sample the detection limit it was below.
  double Value;
  bool Censored;
  std::int32_t Line;  // 1-based, for messages about the sample

  // Months since the start of year 0: consecutive months differ by 1.
  std::int32_t MonthIndex() const { return Year * 12 + Month - 1; }
};

class TSiteRecord {
 public:
  // The record must span at least this many calendar months, first and last
  // included: two years are the least that tell a seasonal cycle from a
  // year's drift.
  static constexpr std::int32_t kMinMonths = 24;

  // Raises EConvertError, with a Greek message naming the line and the
  // fault, for text that is not a record: not text at all (a NUL byte,
  // invalid UTF-8), a line without a date or with one that does not exist,
  // a value that is missing, not a number or negative, or a record spanning
  // fewer than kMinMonths months.
  static TSiteRecord Parse(std::string_view text);

  // A record is a few thousand lines (a daily record of a century is
  // 37 000); a file beyond this is not one, and reading it whole could
  // exhaust the memory.
  static constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

  // Reads the regular file at `path`, and nothing else, then parses it.
  // Raises EInOutError, with a Greek message naming the file and the
  // reason, for a path that is missing, not a regular file, unreadable or
  // larger than kMaxFileBytes; EConvertError as Parse.
  static TSiteRecord ReadFile(const std::string& path);

  // In the order of the text.
  const std::vector<TSiteSample>& Samples() const { return samples_; }
  std::int32_t FirstMonthIndex() const { return first_; }
  std::int32_t LastMonthIndex() const { return last_; }
  // Calendar months from the first sample's to the last's, both included.
  std::int32_t MonthsSpanned() const { return last_ - first_ + 1; }
  // The largest detection limit written; 0 when no value is censored.
  double DetectionLimit() const { return limit_; }

 private:
  std::vector<TSiteSample> samples_;
  std::int32_t first_ = 0, last_ = 0;
  double limit_ = 0;
};

}  // namespace halvorn
