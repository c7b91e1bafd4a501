#include "Backscatter.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "NeighbourhoodFixture.h"

namespace sigma0 {
namespace {

using testing::TNeighbourhood;

struct TWorkedExample {
  const char* name;
  TNeighbourhood dn;
  double cf;
  double mean;
  std::uint32_t floatBits;
};

class WorkedExamples : public ::testing::TestWithParam<TWorkedExample> {};

TEST_P(WorkedExamples, GiveTheDocumentedMeanAndFloatBits) {
  const TWorkedExample& example = GetParam();
  std::vector<float> row(3);
  int hooks = 0;
  ComputeBackscatterRow(
      example.dn.Window(), example.cf, [&hooks] { ++hooks; }, std::span(row));

  EXPECT_EQ(NeighbourhoodMean(example.dn.Window(), 1), example.mean);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(row[1]), example.floatBits)
      << std::hex << std::bit_cast<std::uint32_t>(row[1]);
  EXPECT_EQ(hooks, 1);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(row[0]), example.floatBits);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(row[2]), example.floatBits);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedExamples,
    ::testing::Values(
        TWorkedExample{"All1000", TNeighbourhood::Uniform(1000), -83.0, 1000000.0, 0xC1B80000},
        TWorkedExample{"All1234", TNeighbourhood::Uniform(1234), -83.0, 1522756.0, 0xC1A963BB},
        TWorkedExample{"Ramp",
                       {{100, 200, 300, 400, 500, 600, 700, 800, 900}},
                       -83.0,
                       316666.6666666666,
                       0xC1DFF3AA},
        TWorkedExample{"All65535", TNeighbourhood::Uniform(65535), -83.0, 4294836225.0, 0x4155457E},
        TWorkedExample{"Single3", TNeighbourhood::Single(4, 3), -83.0, 1.0, 0xC2A60000},
        TWorkedExample{"Single1", TNeighbourhood::Single(4, 1), -83.0, 0.1111111111111111,
                       0xC2B915B9},
        TWorkedExample{"AllZeroIsNoData", TNeighbourhood::Uniform(0), 12.5, 0.0, 0xC2C80000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NeighbourhoodMean, IsTheSumTimesOneNinthNotTheQuotient) {
  // 100² + 200² + ... + 900² = 2,850,000; S / 9 would round to ...6667.
  const TNeighbourhood ramp{{100, 200, 300, 400, 500, 600, 700, 800, 900}};
  EXPECT_EQ(NeighbourhoodMean(ramp.Window(), 1), 316666.6666666666);
  EXPECT_NE(NeighbourhoodMean(ramp.Window(), 1), 2850000.0 / 9.0);
}

TEST(NeighbourhoodMean, ALoneNonZeroDnCountsWhereverItIs) {
  for (int place = 0; place < 9; ++place) {
    EXPECT_EQ(NeighbourhoodMean(TNeighbourhood::Single(place, 1).Window(), 1), OneNinth)
        << "place " << place;
  }
}

TEST(ComputeBackscatterRow, ComputesInteriorPixelsFromTheirOwnColumnsAndCopiesTheEdges) {
  // Column j holds DN 1000·j in all three lines; the row is independent per column triple.
  const std::vector<TDn> line{0, 1000, 2000, 3000, 0};
  const TLineWindow window{line, line, line};
  std::vector<float> row(5, 1.0f);
  int hooks = 0;
  ComputeBackscatterRow(
      window, -83.0, [&hooks] { ++hooks; }, std::span(row));

  const auto expected = [&](int j) {
    return static_cast<float>(BackscatterDb(NeighbourhoodMean(window, j), -83.0));
  };
  EXPECT_EQ(hooks, 3);
  EXPECT_EQ(row[1], expected(1));
  EXPECT_EQ(row[2], expected(2));
  EXPECT_EQ(row[3], expected(3));
  EXPECT_EQ(row[0], row[1]);
  EXPECT_EQ(row[4], row[3]);
  EXPECT_NE(row[1], row[2]);
}

}  // namespace
}  // namespace sigma0
