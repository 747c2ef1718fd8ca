#pragma once
#include <string>

namespace halvorn {

// printf-style formatting into a std::string, for the framework's message
// patterns ("List index out of bounds (%d)", "%s: %s error").
std::string Fmt(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace halvorn
