#include "TextFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace sigma0 {
namespace {

struct TIntegerCase {
  std::string field;
  std::int32_t value;
};

class IntegerField : public ::testing::TestWithParam<TIntegerCase> {};

TEST_P(IntegerField, ParsesWithinItsWidth) {
  EXPECT_EQ(ParseIntegerField(GetParam().field), GetParam().value)
      << "'" << GetParam().field << "'";
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerField,
                         ::testing::Values(TIntegerCase{"  4000", 4000},
                                           TIntegerCase{"004000", 4000}, TIntegerCase{"12 345", 12},
                                           TIntegerCase{"  -123", -123}, TIntegerCase{"+00077", 77},
                                           TIntegerCase{"\t\n\v\f\r9", 9},
                                           TIntegerCase{"      ", 0}, TIntegerCase{"  abc1", 0},
                                           TIntegerCase{"+-5   ", 0},
                                           TIntegerCase{"99999999", 99999999},
                                           TIntegerCase{"-99999999", -99999999}));

struct TRealCase {
  std::string field;
  double value;
};

class RealField : public ::testing::TestWithParam<TRealCase> {};

TEST_P(RealField, ParsesTheNumberAtItsStart) {
  EXPECT_EQ(ParseRealField(GetParam().field), GetParam().value) << "'" << GetParam().field << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, RealField,
    ::testing::Values(TRealCase{"                ", 0.0}, TRealCase{"   /            ", 0.0},
                      TRealCase{"          -12.25", -12.25}, TRealCase{"1.5E+01         ", 15.0},
                      TRealCase{"     -83.0000000", -83.0}, TRealCase{"+.5", 0.5},
                      TRealCase{"7.", 7.0}, TRealCase{"-.", 0.0}, TRealCase{"2e", 2.0},
                      TRealCase{"2e+", 2.0}, TRealCase{"2E-1x", 0.2}, TRealCase{"1,5", 1.0},
                      TRealCase{"inf", 0.0}, TRealCase{"nan", 0.0}, TRealCase{"0x10", 0.0},
                      TRealCase{"1e999", HUGE_VAL}, TRealCase{"-1e999", -HUGE_VAL},
                      TRealCase{"1e-999", 0.0}, TRealCase{"0.1", 0.1}));

}  // namespace
}  // namespace sigma0
