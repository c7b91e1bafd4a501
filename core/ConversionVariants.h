// The eight conversions and what distinguishes them.
#pragma once

#include <array>
#include <cstdint>

#include "Types.h"

namespace sigma0 {

// Code of the sample type in the ".hd1" header.
constexpr int DataTypeCode(TOutputDepth depth) {
  return depth == TOutputDepth::odFloat32 ? 4 : 2;
}

// Longest line a run holds: PALSAR-2 scenes are wider than PALSAR ones.
constexpr std::int32_t MaxPixelsOf(TSensor sensor) {
  return sensor == TSensor::snALOS ? 23000 : 40000;
}

struct TVariantInfo {
  TConversionVariant Variant;
  int DataType;
  std::int32_t MaxPixels;
};

constexpr TVariantInfo MakeVariantInfo(TSensor sensor, TSourceKind source, TOutputDepth depth) {
  return {{sensor, source, depth}, DataTypeCode(depth), MaxPixelsOf(sensor)};
}

// One row per conversion button of the window, in the order of the buttons' numbers.
inline constexpr std::array<TVariantInfo, 8> ConversionVariants{{
    MakeVariantInfo(TSensor::snALOS, TSourceKind::skCeosImage, TOutputDepth::odFloat32),
    MakeVariantInfo(TSensor::snALOS, TSourceKind::skRawInteger, TOutputDepth::odFloat32),
    MakeVariantInfo(TSensor::snALOS2, TSourceKind::skCeosImage, TOutputDepth::odFloat32),
    MakeVariantInfo(TSensor::snALOS2, TSourceKind::skRawInteger, TOutputDepth::odFloat32),
    MakeVariantInfo(TSensor::snALOS, TSourceKind::skCeosImage, TOutputDepth::odUInt16),
    MakeVariantInfo(TSensor::snALOS2, TSourceKind::skCeosImage, TOutputDepth::odUInt16),
    MakeVariantInfo(TSensor::snALOS, TSourceKind::skRawInteger, TOutputDepth::odUInt16),
    MakeVariantInfo(TSensor::snALOS2, TSourceKind::skRawInteger, TOutputDepth::odUInt16),
}};

}  // namespace sigma0
