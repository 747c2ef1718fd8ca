#pragma once
// Conversion of floating-point values to text, with the separators of the
// given format settings (by default those read from the locale at start-up).

#include <string>
#include <string_view>

#include "platform/runtime/FloatOps.h"
#include "platform/runtime/FormatSettings.h"

namespace halvorn {

// A value as decimal digits: value = 0.Digits * 10^Exponent, Digits without
// trailing zeros (empty for zero), Negative by the value's sign.
struct TFloatDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

// The value rounded to at most `precision` significant digits and at most
// `decimals` digits after the decimal point. Digits are first taken to 18
// significant places and then rounded half away from zero. Finite values only.
TFloatDecimal FloatToDecimal(Extended value, int precision, int decimals);

// Fixed-point text with exactly `digits` decimals: rounded to at most
// `precision` significant digits, a leading "-" for negative values, no
// thousands separators. A value with more than `precision` integer digits is
// written in the general format; infinities and NaNs as "INF" and "NAN",
// preceded by "-" when the sign bit is set.
std::string FloatToStrFixed(Extended value, int precision, int digits,
                            const TFormatSettings& settings = FormatSettings());

// The shortest of plain and scientific notation with at most `precision`
// significant digits; the exponent has at least `digits` digits and a sign
// only when negative ("1E015", "2.5E-005").
std::string FloatToStrGeneral(Extended value, int precision, int digits,
                              const TFormatSettings& settings = FormatSettings());

// Text by a pattern such as "#,##0.###": "0" a required digit, "#" an
// optional one, "," in the integer part switches thousands grouping on, "."
// the decimal point, "E+"/"E-" scientific notation, quoted text literal; up to
// three sections for positive, negative and zero values separated by ";".
// A pattern of 225 characters or more raises EConvertError
// "Format string too long".
std::string FormatFloat(std::string_view pattern, Extended value,
                        const TFormatSettings& settings = FormatSettings());

}  // namespace halvorn
