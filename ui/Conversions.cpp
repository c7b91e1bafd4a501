#include "Conversions.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace sigma0 {
namespace {

constexpr int kMaxHexDigits = 8;

std::optional<int> DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  if (value < 0 || value >= base) {
    return std::nullopt;
  }
  return value;
}

// Strips a hexadecimal prefix from the front of digits; false when there is none.
bool ConsumeHexPrefix(std::string_view& digits) {
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (digits.starts_with(prefix)) {
      digits.remove_prefix(prefix.size());
      return true;
    }
  }
  return false;
}

// Magnitude of the digits, or nothing when a character is not a digit of the base or the value
// outgrows what the base allows (2^31 for decimal, eight digits for hexadecimal).
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, int base) {
  if (digits.empty() || (base == 16 && digits.size() > kMaxHexDigits)) {
    return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  for (char c : digits) {
    const std::optional<int> digit = DigitValue(c, base);
    if (!digit) {
      return std::nullopt;
    }
    magnitude = magnitude * base + *digit;
    if (base == 10 && magnitude > std::uint64_t{1} << 31) {
      return std::nullopt;
    }
  }
  return magnitude;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  while (text.starts_with(' ')) {
    text.remove_prefix(1);
  }
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) {
    text.remove_prefix(1);
  }
  const int base = ConsumeHexPrefix(text) ? 16 : 10;
  const std::optional<std::uint64_t> magnitude = ParseMagnitude(text, base);
  if (!magnitude) {
    return std::nullopt;
  }
  if (base == 10 && !negative && *magnitude > INT32_MAX) {
    return std::nullopt;
  }
  // Hexadecimal digits are a bit pattern; negating it wraps like the 32-bit integer it is.
  const auto bits = static_cast<std::uint32_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

// A decimal number as its 15 significant digits (trailing zeros dropped) and the power of ten of
// the first digit.
struct TDecimalDigits {
  std::string Digits;
  int Exponent = 0;
};

TDecimalDigits RoundTo15Digits(double magnitude) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);  // "d.dddddddddddddde±XX"
  const std::string_view text(buffer);
  const std::size_t e = text.find('e');
  TDecimalDigits result;
  result.Digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
  result.Exponent = std::stoi(std::string(text.substr(e + 1)));
  while (result.Digits.size() > 1 && result.Digits.back() == '0') {
    result.Digits.pop_back();
  }
  return result;
}

std::string ScientificForm(const TDecimalDigits& d, std::string_view separator) {
  std::string text = d.Digits.substr(0, 1);
  if (d.Digits.size() > 1) {
    text.append(separator).append(d.Digits.substr(1));
  }
  return text + "E" + std::to_string(d.Exponent);
}

std::string FixedForm(const TDecimalDigits& d, std::string_view separator) {
  if (d.Exponent < 0) {
    return "0" + std::string(separator) + std::string(-d.Exponent - 1, '0') + d.Digits;
  }
  const auto integerDigits = static_cast<std::size_t>(d.Exponent) + 1;
  if (d.Digits.size() <= integerDigits) {
    return d.Digits + std::string(integerDigits - d.Digits.size(), '0');
  }
  return d.Digits.substr(0, integerDigits) + std::string(separator) +
         d.Digits.substr(integerDigits);
}

}  // namespace

std::int32_t StrToInt(std::string_view text) {
  const std::optional<std::int32_t> value = ParseInteger(text);
  if (!value) {
    throw EConvertError("'" + std::string(text) + "' は整数ではありません");
  }
  return *value;
}

std::string FloatToStr(double value, std::string_view decimalSeparator) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  if (value == 0.0) {
    return "0";
  }
  const TDecimalDigits digits = RoundTo15Digits(std::fabs(value));
  const bool scientific = digits.Exponent < -5 || digits.Exponent >= 15;
  const std::string sign = value < 0 ? "-" : "";
  return sign + (scientific ? ScientificForm(digits, decimalSeparator)
                            : FixedForm(digits, decimalSeparator));
}

}  // namespace sigma0
