#include "UInt16Encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "NeighbourhoodFixture.h"

namespace sigma0 {
namespace {

using testing::TNeighbourhood;

struct TPixelExample {
  const char* name;
  TNeighbourhood dn;
  std::int32_t minimumDb;
  std::uint16_t value;
};

class WholePixels : public ::testing::TestWithParam<TPixelExample> {};

std::vector<std::uint8_t> EncodedRow(const TNeighbourhood& dn, std::int32_t minimumDb,
                                     TByteOrder order, int& hooks) {
  std::vector<TUInt16Bytes> row(3);
  EncodeUInt16Row(
      dn.Window(), -83.0, minimumDb, order, [&hooks] { ++hooks; }, std::span(row));
  std::vector<std::uint8_t> bytes;
  for (const TUInt16Bytes& sample : row) {
    bytes.push_back(std::to_integer<std::uint8_t>(sample[0]));
    bytes.push_back(std::to_integer<std::uint8_t>(sample[1]));
  }
  return bytes;
}

TEST_P(WholePixels, EncodeToTheDocumentedValueInBothByteOrders) {
  const TPixelExample& example = GetParam();
  const std::uint8_t high = example.value >> 8;
  const std::uint8_t low = example.value & 0xFF;
  int hooks = 0;
  EXPECT_EQ(EncodedRow(example.dn, example.minimumDb, TByteOrder::boBigEndian, hooks),
            (std::vector<std::uint8_t>{high, low, high, low, high, low}));
  EXPECT_EQ(EncodedRow(example.dn, example.minimumDb, TByteOrder::boLittleEndian, hooks),
            (std::vector<std::uint8_t>{low, high, low, high, low, high}));
  EXPECT_EQ(hooks, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WholePixels,
    ::testing::Values(
        TPixelExample{"All1000", TNeighbourhood::Uniform(1000), -40, 17000},
        TPixelExample{"All1234", TNeighbourhood::Uniform(1234), -40, 18826},
        TPixelExample{"Ramp", {{100, 200, 300, 400, 500, 600, 700, 800, 900}}, -40, 12006},
        TPixelExample{"All65535", TNeighbourhood::Uniform(65535), -40, 53329},
        TPixelExample{"All65535ClampsHigh", TNeighbourhood::Uniform(65535), -60, 65535},
        TPixelExample{"Single3ClampsLow", TNeighbourhood::Single(4, 3), -40, 0},
        TPixelExample{"Single3LowMinimum", TNeighbourhood::Single(0, 3), -90, 7000},
        TPixelExample{"AllZero", TNeighbourhood::Uniform(0), -40, 0},
        // Not 20000, which encoding the float no-data value -100 above -120 would give.
        TPixelExample{"AllZeroIgnoresMinimum", TNeighbourhood::Uniform(0), -120, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct TSampleExample {
  double sigma0;
  std::uint16_t value;
};

class SampleEncoding : public ::testing::TestWithParam<TSampleExample> {};

TEST_P(SampleEncoding, RoundsWithTheOffsetAndClamps) {
  EXPECT_EQ(EncodeUInt16Sample(GetParam().sigma0, -40), GetParam().value)
      << "sigma0 " << GetParam().sigma0;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SampleEncoding,
    ::testing::Values(TSampleExample{-40.0006, 0}, TSampleExample{-40.0004, 0},
                      TSampleExample{-40.0, 0}, TSampleExample{-39.99951, 0},
                      // an offset of 0.5 would give 0
                      TSampleExample{-39.99950005, 1}, TSampleExample{-39.9995, 1},
                      TSampleExample{25.5344, 65534}, TSampleExample{25.535, 65535},
                      TSampleExample{1.0e300, 65535}, TSampleExample{-1.0e300, 0}));

TEST(EncodeUInt16Sample, TakesAnyThirtyTwoBitMinimum) {
  EXPECT_EQ(EncodeUInt16Sample(-23.0, INT32_MIN), 65535);
  EXPECT_EQ(EncodeUInt16Sample(-23.0, INT32_MAX), 0);
}

}  // namespace
}  // namespace sigma0
