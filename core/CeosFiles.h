// CEOS Level 1.5 leader and image files, read at the fixed offsets of the format.
#pragma once

#include <cstddef>
#include <cstdint>

#include "SourceReader.h"
#include "Types.h"

namespace sigma0 {

class TInputFile;

inline constexpr std::int64_t CalibrationFactorWidth = 16;
inline constexpr std::int64_t CeosFileDescriptorLength = 720;
inline constexpr std::int64_t CeosDataPrefixLength = 192;
inline constexpr std::int64_t CeosFirstPixelOffset =
    CeosFileDescriptorLength + CeosDataPrefixLength;

// Where the leader file holds CF as text.
constexpr std::int64_t CalibrationFactorOffset(TSensor sensor) {
  return sensor == TSensor::snALOS ? 19328 : 27520;
}

// CF in dB, parsed from its 16-character field. A field that holds no number gives 0.0. A leader
// that ends before the end of the field is refused.
double ReadCalibrationFactor(const TInputFile& leader, TSensor sensor);

// Turns 2·count bytes into DN values. bytes may be the storage of dest itself.
void DecodeDnLine(const std::byte* bytes, std::size_t count, TByteOrder order, TDn* dest);

// The image file of a CEOS variant; the file stays owned by the run.
class TCeosImageReader final : public TSourceReader {
 public:
  explicit TCeosImageReader(const TInputFile& file) : file_(file) {}
  // Pixels, Lines and RecordLength from the file descriptor; refuses a file shorter than it.
  TImageGeometry ReadGeometry() override;
  void ReadLine(std::int32_t k, TDn* dest) const override;
  // Bytes the file must hold for the geometry read.
  std::int64_t RequiredSize() const override;

 private:
  const TInputFile& file_;
  TImageGeometry geometry_{};
};

}  // namespace sigma0
