// Shared vocabulary of the conversion core.
#pragma once

#include <cstdint>
#include <span>

namespace sigma0 {

enum class TSensor { snALOS, snALOS2 };
enum class TSourceKind { skCeosImage, skRawInteger };
enum class TOutputDepth { odFloat32, odUInt16 };
enum class TByteOrder { boBigEndian, boLittleEndian };

// One of the eight conversions; the rows of ConversionVariants list them all.
struct TConversionVariant {
  TSensor Sensor;
  TSourceKind Source;
  TOutputDepth Depth;
  friend bool operator==(const TConversionVariant&, const TConversionVariant&) = default;
};

// Geometry of a source image. All fields are signed 32-bit, as they come from the files and the
// window; the run checks them before it uses them.
struct TImageGeometry {
  std::int32_t Pixels = 0;
  std::int32_t Lines = 0;
  std::int32_t RecordLength = 0;  // bytes from the start of one line to the next
  friend bool operator==(const TImageGeometry&, const TImageGeometry&) = default;
};

// Amplitude of one source pixel.
using TDn = std::uint16_t;

// Source lines c-1, c and c+1, from which the output row of line c is computed. The three spans
// have the same length, the image's Pixels.
struct TLineWindow {
  std::span<const TDn> Above;
  std::span<const TDn> Centre;
  std::span<const TDn> Below;
};

}  // namespace sigma0
