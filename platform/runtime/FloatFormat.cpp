#include "platform/runtime/FloatFormat.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace halvorn {
namespace {

constexpr int kMaxDigits = 18;

std::string NonFiniteText(Extended value) {
  std::string s = std::signbit(value) ? "-" : "";
  return s + (std::isnan(value) ? "NAN" : "INF");
}

// The 18 correctly rounded significant digits of |value| and its decimal
// exponent, read from the C library's exact conversion. Only digits and the
// exponent are taken, so the library's own locale does not matter.
void SignificantDigits(Extended magnitude, std::string& digits, int& exponent) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", kMaxDigits - 1, magnitude);
  digits.clear();
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  exponent = *p == 'e' ? std::atoi(p + 1) + 1 : 1;
}

void AppendIntegerPart(std::string& out, const TFloatDecimal& d) {
  if (d.Exponent <= 0) {
    out += '0';
    return;
  }
  for (int i = 0; i < d.Exponent; ++i)
    out += i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
}

// Digit at decimal position `place` after the point (1 = tenths).
char FractionDigit(const TFloatDecimal& d, int place) {
  const int index = d.Exponent + place - 1;
  return index >= 0 && index < static_cast<int>(d.Digits.size()) ? d.Digits[index] : '0';
}

std::string ExponentText(int exponent, int minDigits, bool plusSign) {
  std::string s = exponent < 0 ? "-" : (plusSign ? "+" : "");
  std::string n = std::to_string(std::abs(exponent));
  while (static_cast<int>(n.size()) < minDigits) n.insert(n.begin(), '0');
  return s + n;
}

// One section of a format pattern, analysed.
struct Section {
  std::string text;
  int integerZeros = 0;  // required integer digits (from the first "0" on)
  int decimals = 0;      // digit placeholders after the point
  int requiredDecimals = 0;
  bool hasPlaceholders = false;
  bool grouping = false;
  bool scientific = false;
  bool exponentPlus = false;
  int exponentDigits = 0;
  int integerPlaceholders = 0;
};

std::vector<std::string> SplitSections(std::string_view pattern) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : pattern) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

Section Analyse(const std::string& text) {
  Section s;
  s.text = text;
  bool afterPoint = false, seenZero = false;
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '0' || c == '#') {
      s.hasPlaceholders = true;
      if (afterPoint) {
        ++s.decimals;
        if (c == '0') s.requiredDecimals = s.decimals;
      } else {
        ++s.integerPlaceholders;
        if (c == '0') seenZero = true;
        if (seenZero) ++s.integerZeros;
      }
    } else if (c == '.' && !afterPoint && !s.scientific) {
      afterPoint = true;
    } else if (c == ',' && !afterPoint) {
      s.grouping = true;
    } else if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
               (text[i + 1] == '+' || text[i + 1] == '-') && s.hasPlaceholders) {
      s.scientific = true;
      s.exponentPlus = text[i + 1] == '+';
      std::size_t j = i + 2;
      while (j < text.size() && text[j] == '0' && s.exponentDigits < 4) ++s.exponentDigits, ++j;
      break;
    }
  }
  return s;
}

std::string Grouped(const std::string& integer, const std::string& separator) {
  std::string out;
  const int n = static_cast<int>(integer.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += integer[i];
  }
  return out;
}

// The number as the section's placeholders lay it out, without sign.
std::string Number(const Section& s, const TFloatDecimal& d, const TFormatSettings& settings) {
  std::string integer;
  int exponent = 0;
  TFloatDecimal shown = d;
  if (s.scientific && !d.Digits.empty()) {
    // The mantissa keeps one integer digit per integer placeholder.
    const int lead = s.integerPlaceholders > 0 ? s.integerPlaceholders : 1;
    exponent = d.Exponent - lead;
    shown.Exponent = lead;
  }
  if (shown.Exponent > 0) AppendIntegerPart(integer, shown);
  while (static_cast<int>(integer.size()) < s.integerZeros) integer.insert(integer.begin(), '0');
  if (s.grouping) integer = Grouped(integer, settings.ThousandSeparator);

  std::string fraction;
  for (int place = 1; place <= s.decimals; ++place) fraction += FractionDigit(shown, place);
  while (static_cast<int>(fraction.size()) > s.requiredDecimals && !fraction.empty() &&
         fraction.back() == '0')
    fraction.pop_back();

  std::string out = integer;
  if (!fraction.empty()) out += settings.DecimalSeparator + fraction;
  if (s.scientific) out += "E" + ExponentText(exponent, s.exponentDigits, s.exponentPlus);
  return out;
}

// Writes the section's literal text around the number, which stands where
// the first placeholder is.
std::string Render(const Section& s, const std::string& number, bool minus) {
  std::string out = minus ? "-" : "";
  bool numberWritten = false, afterPlaceholders = false;
  char quote = 0;
  for (std::size_t i = 0; i < s.text.size(); ++i) {
    const char c = s.text[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        out += c;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
      continue;
    }
    const bool inNumber = !afterPlaceholders && (c == '0' || c == '#' || c == '.' || c == ',');
    if (inNumber) {
      if (!numberWritten && (c == '0' || c == '#' || c == '.')) {
        out += number;
        numberWritten = true;
      }
      continue;
    }
    if (numberWritten) afterPlaceholders = true;
    if (s.scientific && (c == 'E' || c == 'e') && numberWritten) {
      // Skip the exponent pattern: the number already carries it.
      ++i;
      while (i + 1 < s.text.size() && s.text[i + 1] == '0') ++i;
      continue;
    }
    out += c;
  }
  if (!numberWritten && s.hasPlaceholders) out += number;
  return out;
}

}  // namespace

TFloatDecimal FloatToDecimal(Extended value, int precision, int decimals) {
  TFloatDecimal d;
  d.Negative = value < 0;
  if (value == 0) return d;
  std::string digits;
  int exponent;
  SignificantDigits(std::fabs(value), digits, exponent);

  int keep = precision < exponent + decimals ? precision : exponent + decimals;
  if (keep > kMaxDigits) keep = kMaxDigits;
  if (keep < 0) return TFloatDecimal{d.Negative, "", 0};
  bool carry = digits[keep] >= '5';
  digits.resize(keep);
  for (int i = keep - 1; carry && i >= 0; --i) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      carry = false;
    }
  }
  if (carry) {
    digits.insert(digits.begin(), '1');
    ++exponent;
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return TFloatDecimal{d.Negative, "", 0};
  d.Digits = digits;
  d.Exponent = exponent;
  return d;
}

std::string FloatToStrGeneral(Extended value, int precision, int digits,
                              const TFormatSettings& settings) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const TFloatDecimal d = FloatToDecimal(value, precision, 9999);
  if (d.Digits.empty()) return "0";
  std::string out = d.Negative ? "-" : "";
  if (d.Exponent > precision || d.Exponent < -4) {
    out += d.Digits[0];
    if (d.Digits.size() > 1) out += settings.DecimalSeparator + d.Digits.substr(1);
    return out + "E" + ExponentText(d.Exponent - 1, digits, false);
  }
  AppendIntegerPart(out, d);
  const int fractionDigits = static_cast<int>(d.Digits.size()) - d.Exponent;
  if (fractionDigits > 0) {
    out += settings.DecimalSeparator;
    for (int place = 1; place <= fractionDigits; ++place) out += FractionDigit(d, place);
  }
  return out;
}

std::string FloatToStrFixed(Extended value, int precision, int digits,
                            const TFormatSettings& settings) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const TFloatDecimal d = FloatToDecimal(value, precision, digits);
  if (d.Exponent > precision) return FloatToStrGeneral(value, precision, digits, settings);
  std::string out = d.Negative ? "-" : "";
  AppendIntegerPart(out, d);
  if (digits > 0) {
    out += settings.DecimalSeparator;
    for (int place = 1; place <= digits; ++place) out += FractionDigit(d, place);
  }
  return out;
}

std::string FormatFloat(std::string_view pattern, Extended value, const TFormatSettings& settings) {
  if (pattern.size() >= 225) throw EConvertError("Format string too long");
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (pattern.empty()) return FloatToStrGeneral(value, 15, 0, settings);

  const std::vector<std::string> texts = SplitSections(pattern);
  Section section = Analyse(texts[0]);
  bool minus = value < 0;
  // A non-empty second section formats negative values without a sign.
  if (minus && texts.size() > 1 && !texts[1].empty()) {
    section = Analyse(texts[1]);
    minus = false;
  }
  auto round = [&](const Section& s) {
    return s.scientific ? FloatToDecimal(value,
                                         s.integerPlaceholders + s.decimals > 0
                                             ? s.integerPlaceholders + s.decimals
                                             : 1,
                                         9999)
                        : FloatToDecimal(value, kMaxDigits, s.decimals);
  };
  TFloatDecimal d = round(section);
  // A value that rounds to zero takes the third section when there is one.
  if (d.Digits.empty() && texts.size() > 2 && !texts[2].empty()) {
    section = Analyse(texts[2]);
    minus = false;
    d = round(section);
  }
  return Render(section, Number(section, d, settings), minus);
}

}  // namespace halvorn
