#include "RawSource.h"

#include <algorithm>
#include <cstddef>

#include "CeosFiles.h"
#include "Files.h"

namespace sigma0 {
namespace {

// The run refuses widths beyond a line's capacity; until it has looked, keep the arithmetic of a
// typed-in width defined.
std::int32_t LineBytes(std::int32_t pixels) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(2 * std::int64_t{pixels}, INT32_MIN, INT32_MAX));
}

}  // namespace

TRawIntegerReader::TRawIntegerReader(const TInputFile& file, TImageGeometry rawGeometry,
                                     TByteOrder order)
    : file_(file),
      geometry_{rawGeometry.Pixels, rawGeometry.Lines, LineBytes(rawGeometry.Pixels)},
      order_(order) {}

void TRawIntegerReader::ReadLine(std::int32_t k, TDn* dest) const {
  const std::size_t count = static_cast<std::size_t>(geometry_.Pixels);
  auto* bytes = reinterpret_cast<std::byte*>(dest);
  file_.ReadAt(std::int64_t{k} * geometry_.RecordLength, {bytes, 2 * count});
  DecodeDnLine(bytes, count, order_, dest);
}

std::int64_t TRawIntegerReader::RequiredSize() const {
  return std::int64_t{geometry_.Lines} * geometry_.RecordLength;
}

}  // namespace sigma0
