// 16-bit samples: thousandths of a dB above a whole-dB minimum.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "Backscatter.h"
#include "Types.h"

namespace sigma0 {

// One stored sample: its two bytes in the run's byte order.
using TUInt16Bytes = std::array<std::byte, 2>;

// The double nearest to 0.5001: a scaled distance with a fraction of 0.4999 or more rounds up.
inline constexpr double UInt16RoundingOffset = 0.5001;

// Sample value for sigma0 dB: floor((sigma0 - minimumDb) * 1000 + 0.5001), clamped to 0..65535.
inline std::uint16_t EncodeUInt16Sample(double sigma0, std::int32_t minimumDb) {
  const double n = (sigma0 - minimumDb) * 1000.0 + UInt16RoundingOffset;
  if (n < 0.0) {
    return 0;
  }
  if (n > 65535.0) {
    return 65535;
  }
  return static_cast<std::uint16_t>(n);  // truncates toward zero
}

inline void StoreUInt16(std::span<TUInt16Bytes> row, std::size_t j, std::uint16_t value,
                        TByteOrder order) {
  const auto high = static_cast<std::byte>(value >> 8);
  const auto low = static_cast<std::byte>(value & 0xFF);
  row[j] = order == TByteOrder::boBigEndian ? TUInt16Bytes{high, low} : TUInt16Bytes{low, high};
}

// Fills the 16-bit row of the window's centre line; the hook is called Pixels-2 times. An
// all-zero neighbourhood gives 0 whatever the minimum.
template <TPixelHook THook>
void EncodeUInt16Row(const TLineWindow& window, double cf, std::int32_t minimumDb, TByteOrder order,
                     THook&& hook, std::span<TUInt16Bytes> row) {
  assert(row.size() >= 3 && row.size() == window.Centre.size());
  ForEachInteriorMean(window, [&](std::size_t j, double mean) {
    const std::uint16_t value =
        mean == 0.0 ? 0 : EncodeUInt16Sample(BackscatterDb(mean, cf), minimumDb);
    StoreUInt16(row, j, value, order);
    hook();
  });
  ReplicateEdgeColumns(row);
}

}  // namespace sigma0
