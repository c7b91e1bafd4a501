// sigma-nought in dB from the 3x3 mean intensity of amplitude DN.
#pragma once

#include <cassert>
#include <cmath>
#include <concepts>
#include <cstddef>
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

// Sum of the squared DN of column j in the three lines: exact, below 3 x 65535^2.
// Signed, because a signed integer converts to double in one instruction.
inline std::int64_t ColumnIntensity(const TLineWindow& window, std::size_t j) {
  const std::int64_t above = window.Above[j];
  const std::int64_t centre = window.Centre[j];
  const std::int64_t below = window.Below[j];
  return above * above + centre * centre + below * below;
}

// Nine squares sum below 2^36, exact in a double: the mean is the same bits whichever order
// the squares are added in.
inline double MeanOfColumns(std::int64_t left, std::int64_t centre, std::int64_t right) {
  return static_cast<double>(left + centre + right) * OneNinth;
}

// Mean intensity (DN squared) over the 3x3 neighbourhood of pixel j, 1 <= j <= Pixels-2.
inline double NeighbourhoodMean(const TLineWindow& window, std::int32_t j) {
  const auto column = static_cast<std::size_t>(j);
  return MeanOfColumns(ColumnIntensity(window, column - 1), ColumnIntensity(window, column),
                       ColumnIntensity(window, column + 1));
}

// Calls sampleAt(j, mean) for j = 1 .. Pixels-2 in order. Each column's intensity is summed
// once and carried to the next two pixels, which gives exactly NeighbourhoodMean.
template <class TSampleAt>
void ForEachInteriorMean(const TLineWindow& window, TSampleAt&& sampleAt) {
  std::int64_t left = ColumnIntensity(window, 0);
  std::int64_t centre = ColumnIntensity(window, 1);
  for (std::size_t j = 1; j + 1 < window.Centre.size(); ++j) {
    const std::int64_t right = ColumnIntensity(window, j + 1);
    sampleAt(j, MeanOfColumns(left, centre, right));
    left = centre;
    centre = right;
  }
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
  ForEachInteriorMean(window, [&](std::size_t j, double mean) {
    row[j] = mean == 0.0 ? NoDataDb : static_cast<float>(BackscatterDb(mean, cf));
    hook();
  });
  ReplicateEdgeColumns(row);
}

}  // namespace sigma0
