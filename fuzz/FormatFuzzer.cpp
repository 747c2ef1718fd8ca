// Number formatting by pattern ("#,##0.###" and friends) and the fixed and
// general formats: any pattern and value give text, and only a pattern of
// 225 characters or more gives EConvertError; nothing crashes or reads
// outside its strings.
//
// Input: 10 bytes of an extended value, one byte of precision and decimals,
// then the pattern.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/runtime/Exceptions.h"
#include "platform/runtime/FloatFormat.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 11) return 0;
  halvorn::Extended value = 0;
  std::memcpy(&value, data, 10);
  const int precision = 1 + data[10] % 18;
  const int decimals = data[10] >> 5;
  const std::string_view pattern(reinterpret_cast<const char*>(data + 11), size - 11);
  halvorn::TFormatSettings settings;

  try {
    const std::string text = halvorn::FormatFloat(pattern, value, settings);
    Require(pattern.size() < 225);
    (void)text;
  } catch (const halvorn::EConvertError&) {
    Require(pattern.size() >= 225);
  }
  const std::string fixed = halvorn::FloatToStrFixed(value, precision, decimals, settings);
  const std::string general = halvorn::FloatToStrGeneral(value, precision, decimals, settings);
  Require(!fixed.empty() && !general.empty());
  return 0;
}
