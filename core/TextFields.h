// Fixed-width text fields of CEOS files. A field is parsed within its own width: the bytes that
// follow it in the file never take part.
#pragma once

#include <cstdint>
#include <string_view>

namespace sigma0 {

// Leading white space, an optional sign, decimal digits up to the first other character. No
// digit gives 0.
std::int32_t ParseIntegerField(std::string_view field);

// Leading white space, an optional sign, digits with an optional point and fraction, and an
// exponent when a complete one follows. The nearest double; 0.0 when the field starts with no
// number.
double ParseRealField(std::string_view field);

}  // namespace sigma0
