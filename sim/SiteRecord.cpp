#include "sim/SiteRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "platform/runtime/Exceptions.h"

namespace halvorn {

namespace {

[[noreturn]] void Fail(std::int32_t line, const std::string& what) {
  throw EConvertError("Γραμμή " + std::to_string(line) + ": " + what);
}

std::string Quoted(std::string_view s) { return "«" + std::string(s) + "»"; }

// An open file, closed when it goes.
struct TDescriptor {
  explicit TDescriptor(int fd) : Fd(fd) {}
  ~TDescriptor() {
    if (Fd >= 0) ::close(Fd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  const int Fd;
};

std::string_view Trim(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

// The length of the valid UTF-8 sequence at the start of s; 0 when invalid
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t Utf8Length(std::string_view s) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  std::size_t n;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < n || b(1) < lo || b(1) > hi) return 0;
  for (std::size_t i = 2; i < n; ++i)
    if (b(i) < 0x80 || b(i) > 0xBF) return 0;
  return n;
}

// A binary file would otherwise fail on some later line with a misleading
// message, so the whole text is checked first.
void CheckText(std::string_view text) {
  std::int32_t line = 1;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\0') Fail(line, "το αρχείο δεν είναι κείμενο (περιέχει χαρακτήρα NUL)");
    const std::size_t n = Utf8Length(text.substr(i));
    if (n == 0) Fail(line, "το αρχείο δεν είναι κείμενο (μη έγκυρο UTF-8)");
    if (text[i] == '\n') ++line;
    i += n;
  }
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int32_t ToInt(std::string_view s) {
  std::int32_t v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

bool LeapYear(std::int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

std::int32_t DaysIn(std::int32_t year, std::int32_t month) {
  static constexpr std::int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

// YYYY-MM-DD or YYYY-MM; the day only has to exist.
void ParseDate(std::string_view field, std::int32_t line, TSiteSample& sample) {
  if (field.empty()) Fail(line, "λείπει η ημερομηνία");
  const auto notDate = [&] {
    Fail(line, Quoted(field) + " δεν είναι ημερομηνία (ΕΕΕΕ-ΜΜ-ΗΗ ή ΕΕΕΕ-ΜΜ)");
  };
  const std::size_t dash = field.find('-');
  if (dash != 4 || !AllDigits(field.substr(0, 4))) notDate();
  std::string_view rest = field.substr(5);
  const std::size_t dash2 = rest.find('-');
  const std::string_view month = rest.substr(0, dash2);
  const std::string_view day =
      dash2 == std::string_view::npos ? std::string_view() : rest.substr(dash2 + 1);
  if (month.size() != 2 || !AllDigits(month)) notDate();
  if (dash2 != std::string_view::npos && (day.size() != 2 || !AllDigits(day))) notDate();
  sample.Year = ToInt(field.substr(0, 4));
  sample.Month = ToInt(month);
  const bool exists =
      sample.Month >= 1 && sample.Month <= 12 &&
      (day.empty() || (ToInt(day) >= 1 && ToInt(day) <= DaysIn(sample.Year, sample.Month)));
  if (!exists) Fail(line, "η ημερομηνία " + std::string(field) + " δεν υπάρχει");
}

void ParseValue(std::string_view field, char separator, std::int32_t line, TSiteSample& sample) {
  if (field.empty()) Fail(line, "λείπει η τιμή");
  std::string_view number = field;
  sample.Censored = number.front() == '<';
  if (sample.Censored) number = Trim(number.substr(1));
  std::string digits(number);
  // A decimal comma is only possible when commas do not separate columns.
  if (separator != ',') std::replace(digits.begin(), digits.end(), ',', '.');
  // from_chars would also take "inf" and "nan", which no instrument writes.
  const bool numeric = !digits.empty() && (std::isdigit(static_cast<unsigned char>(digits[0])) ||
                                           digits[0] == '.' || digits[0] == '-');
  double v = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, v);
  if (!numeric || ec != std::errc() || ptr != end || !std::isfinite(v))
    Fail(line, Quoted(field) + " δεν είναι αριθμός");
  if (v < 0) Fail(line, "η τιμή " + std::string(field) + " είναι αρνητική");
  if (sample.Censored && v == 0)
    Fail(line, "το όριο ανίχνευσης " + std::string(field) + " πρέπει να είναι θετικό");
  sample.Value = v;
}

char SeparatorOf(std::string_view line) {
  if (line.find('\t') != std::string_view::npos) return '\t';
  if (line.find(';') != std::string_view::npos) return ';';
  return ',';
}

}  // namespace

TSiteRecord TSiteRecord::Parse(std::string_view text) {
  CheckText(text);
  // A byte order mark is text, but not part of the first line's date.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  TSiteRecord record;
  char separator = 0;
  bool headerAllowed = true;
  std::int32_t lineNo = 0, lastLine = 1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view line = Trim(text.substr(pos, eol - pos));
    pos = eol + 1;
    ++lineNo;
    if (line.empty()) continue;
    lastLine = lineNo;
    // Only the first line may be a header: one that starts with neither a
    // digit, as every date does, nor an empty date's separator. The
    // separator is the first data line's, as a title line may have none.
    if (headerAllowed) {
      headerAllowed = false;
      const char c = line.front();
      if (!std::isdigit(static_cast<unsigned char>(c)) && c != ',' && c != ';' && c != '\t')
        continue;
    }
    if (separator == 0) separator = SeparatorOf(line);
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
      const std::size_t sep = line.find(separator, start);
      fields.push_back(Trim(line.substr(start, sep - start)));
      if (sep == std::string_view::npos) break;
      start = sep + 1;
    }
    while (fields.size() > 2 && fields.back().empty()) fields.pop_back();
    if (fields.size() > 2)
      Fail(lineNo, "αναμένονται δύο στήλες (ημερομηνία και τιμή), βρέθηκαν " +
                       std::to_string(fields.size()));
    TSiteSample sample{};
    sample.Line = lineNo;
    ParseDate(fields[0], lineNo, sample);
    ParseValue(fields.size() > 1 ? fields[1] : std::string_view(), separator, lineNo, sample);
    if (sample.Censored) record.limit_ = std::max(record.limit_, sample.Value);
    const std::int32_t m = sample.MonthIndex();
    record.first_ = record.samples_.empty() ? m : std::min(record.first_, m);
    record.last_ = record.samples_.empty() ? m : std::max(record.last_, m);
    record.samples_.push_back(sample);
  }
  if (record.samples_.empty()) Fail(lastLine, "το αρχείο δεν περιέχει μετρήσεις");
  if (record.MonthsSpanned() < kMinMonths)
    Fail(lastLine, "οι μετρήσεις καλύπτουν " + std::to_string(record.MonthsSpanned()) +
                       " μήνες· χρειάζονται τουλάχιστον " + std::to_string(kMinMonths));
  return record;
}

TSiteRecord TSiteRecord::ReadFile(const std::string& path) {
  const auto fail = [&path](const std::string& reason) {
    throw EInOutError("Δεν ήταν δυνατή η ανάγνωση του αρχείου " + Quoted(path) + ": " + reason);
  };
  const auto systemReason = [] {
    return std::error_code(errno, std::generic_category()).message();
  };
  // The file is opened first and judged by what was opened, so that nothing
  // swapped in after a check is read. Without blocking: opening a pipe with
  // no writer would wait for one.
  const TDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  const int fd = file.Fd;
  if (fd < 0) fail(errno == ENOENT ? std::string("δεν υπάρχει") : systemReason());
  struct stat status {};
  if (::fstat(fd, &status) != 0) fail(systemReason());
  if (S_ISDIR(status.st_mode)) fail("είναι φάκελος");
  // A device or a pipe could be endless.
  if (!S_ISREG(status.st_mode)) fail("δεν είναι κανονικό αρχείο");
  const auto size = static_cast<std::uintmax_t>(status.st_size);
  if (size > kMaxFileBytes)
    fail("είναι πολύ μεγάλο για καταγραφή μετρήσεων (" + std::to_string(size >> 20) +
         " MB· το πολύ " + std::to_string(kMaxFileBytes >> 20) + " MB)");
  std::string text(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(systemReason());
    if (n == 0) break;  // the file shrank while being read: as far as it went
    got += static_cast<std::size_t>(n);
  }
  text.resize(got);
  return Parse(text);
}

}  // namespace halvorn
