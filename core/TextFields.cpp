#include "TextFields.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace sigma0 {
namespace {

bool IsFieldSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view field, std::size_t at) {
  while (at < field.size() && IsFieldSpace(field[at])) {
    ++at;
  }
  return at;
}

std::size_t SkipDigits(std::string_view field, std::size_t at) {
  while (at < field.size() && IsDigit(field[at])) {
    ++at;
  }
  return at;
}

// Length of the unsigned decimal number at the start of text, exponent included only when
// complete; 0 when text does not start with one.
std::size_t UnsignedRealLength(std::string_view text) {
  std::size_t end = SkipDigits(text, 0);
  std::size_t digits = end;
  if (end < text.size() && text[end] == '.') {
    std::size_t fractionEnd = SkipDigits(text, end + 1);
    digits += fractionEnd - end - 1;
    end = fractionEnd;
  }
  if (digits == 0) {
    return 0;
  }
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
      ++exponent;
    }
    std::size_t exponentEnd = SkipDigits(text, exponent);
    if (exponentEnd > exponent) {
      end = exponentEnd;
    }
  }
  return end;
}

}  // namespace

std::int32_t ParseIntegerField(std::string_view field) {
  std::size_t at = SkipSpace(field, 0);
  bool negative = false;
  if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
    negative = field[at] == '-';
    ++at;
  }
  // At most 8 digits fit in a field, so the value cannot leave the 32-bit range.
  std::int64_t value = 0;
  for (; at < field.size() && IsDigit(field[at]); ++at) {
    value = value * 10 + (field[at] - '0');
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

double ParseRealField(std::string_view field) {
  std::size_t at = SkipSpace(field, 0);
  bool negative = false;
  if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
    negative = field[at] == '-';
    ++at;
  }
  std::string_view number = field.substr(at, UnsignedRealLength(field.substr(at)));
  if (number.empty()) {
    return 0.0;
  }
  // from_chars rounds to nearest and ignores the locale, unlike strtod.
  double value = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Within 16 characters only the exponent can leave the range of a double.
    bool tiny =
        number.find("e-") != std::string_view::npos || number.find("E-") != std::string_view::npos;
    value = tiny ? 0.0 : HUGE_VAL;
  }
  return negative ? -value : value;
}

}  // namespace sigma0
