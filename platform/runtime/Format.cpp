#include "platform/runtime/Format.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace halvorn {

std::string Fmt(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::string out;
  if (size > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pattern, args);
    out.assign(buffer.data(), static_cast<std::size_t>(size));
  }
  va_end(args);
  return out;
}

std::string ShortestText(double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

std::string FixedText(double v, int decimals) {
  // Wide enough for DBL_MAX in fixed point (309 digits) with the decimals
  // the tool asks for.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

}  // namespace halvorn
