#pragma once
#include <string>

namespace halvorn {

// printf-style formatting into a std::string, for the framework's message
// patterns ("List index out of bounds (%d)", "%s: %s error").
std::string Fmt(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// Numbers for files and machine-readable output, with "." as the decimal
// separator whatever the locale: the shortest text that reads back as the
// same double, and fixed point with `decimals` digits after the point.
std::string ShortestText(double v);
std::string FixedText(double v, int decimals);

}  // namespace halvorn
