#pragma once
// The number format settings of the user's locale, read once at start-up.

#include <string>

namespace halvorn {

struct TFormatSettings {
  std::string DecimalSeparator = ".";
  std::string ThousandSeparator = ",";
};

// Reads the separators from the user's locale (setlocale(LC_ALL, "") and
// localeconv()); "." when the locale gives no decimal separator, no grouping
// character when it gives none. Called once by the start-up code.
void ReadFormatSettingsFromLocale();

// The settings read at start-up; "." and "," before that.
const TFormatSettings& FormatSettings();

}  // namespace halvorn
