// The number conversions the window applies to its fields and results. They follow the rules
// users of the window rely on, so they are written out here rather than taken from a locale-aware
// library whose rules differ (Qt's toInt knows no "$" prefix, std::to_chars no 15-digit cut).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sigma0 {

// A field's text that is not a whole number.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole text as a signed 32-bit integer: leading blanks, an optional "+" or "-", then decimal
// digits within the 32-bit range, or up to eight hexadecimal digits behind "$", "x", "X", "0x" or
// "0X", taken as the bit pattern. Anything else, the empty text included, throws EConvertError
// with the message "'<text>' は整数ではありません".
std::int32_t StrToInt(std::string_view text);

// The shortest form of value with at most 15 significant digits: no trailing zeros, scientific
// notation ("1.5E-6", "1E15") only for magnitudes below 1e-5 or from 1e15 up.
std::string FloatToStr(double value, std::string_view decimalSeparator = ".");

}  // namespace sigma0
