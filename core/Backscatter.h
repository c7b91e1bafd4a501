// sigma-nought in dB from the 3x3 mean intensity of amplitude DN.
#pragma once

#include <cassert>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <span>

#include "Types.h"

namespace sigma0 {

// Called once after every computed pixel; the run uses it to keep its caller responsive.
template <class T>
concept TPixelHook = std::invocable<T&>;

// The double nearest to 1/9. The mean is S times this factor, not S / 9: the two differ in the
// last bit for about a third of all sums, and stored results depend on the product.
inline constexpr double OneNinth = 0.1111111111111111;
static_assert(OneNinth == 1.0 / 9.0);

// Marks a pixel whose nine DN values are all zero.
inline constexpr float NoDataDb = -100.0f;

// Mean intensity (DN squared) over the 3x3 neighbourhood of pixel j, 1 <= j <= Pixels-2.
inline double NeighbourhoodMean(const TLineWindow& window, std::int32_t j) {
  // Nine squares of 16-bit values sum below 2^36: exact in 64-bit integers and in a double.
  std::uint64_t sum = 0;
  for (std::span<const TDn> line : {window.Above, window.Centre, window.Below}) {
    for (std::int32_t i = j - 1; i <= j + 1; ++i) {
      const std::uint64_t dn = line[static_cast<std::size_t>(i)];
      sum += dn * dn;
    }
  }
  return static_cast<double>(sum) * OneNinth;
}

// sigma-nought in dB of a mean intensity that is not zero.
inline double BackscatterDb(double mean, double cf) {
  return 10.0 * std::log10(mean) + cf;
}

// The edge samples of a row have no neighbourhood of their own: they repeat their neighbours.
template <class TSample>
void ReplicateEdgeColumns(std::span<TSample> row) {
  assert(row.size() >= 3);
  row.front() = row[1];
  row.back() = row[row.size() - 2];
}

// Fills the float row of the window's centre line; the hook is called Pixels-2 times.
template <TPixelHook THook>
void ComputeBackscatterRow(const TLineWindow& window, double cf, THook&& hook,
                           std::span<float> row) {
  assert(row.size() >= 3 && row.size() == window.Centre.size());
  const auto last = static_cast<std::int32_t>(row.size()) - 2;
  for (std::int32_t j = 1; j <= last; ++j) {
    const double mean = NeighbourhoodMean(window, j);
    row[static_cast<std::size_t>(j)] =
        mean == 0.0 ? NoDataDb : static_cast<float>(BackscatterDb(mean, cf));
    hook();
  }
  ReplicateEdgeColumns(row);
}

}  // namespace sigma0
