#include "platform/runtime/FormatSettings.h"

#include <clocale>

namespace halvorn {
namespace {

TFormatSettings& Settings() {
  static TFormatSettings settings;
  return settings;
}

}  // namespace

void ReadFormatSettingsFromLocale() {
  std::setlocale(LC_ALL, "");
  const std::lconv* conv = std::localeconv();
  TFormatSettings s;
  s.DecimalSeparator = conv->decimal_point && *conv->decimal_point ? conv->decimal_point : ".";
  s.ThousandSeparator = conv->thousands_sep ? conv->thousands_sep : "";
  Settings() = s;
}

const TFormatSettings& FormatSettings() { return Settings(); }

}  // namespace halvorn
