// A scene in a temporary folder and the job that converts it.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

#include "ConversionRun.h"
#include "SceneFixtures.h"

namespace sigma0::testing {

// CF the shared leader holds for each sensor, at each sensor's offset.
inline constexpr double AlosCf = -83.0;
inline constexpr double Alos2Cf = -73.0;

inline double CfOf(TSensor sensor) {
  return sensor == TSensor::snALOS ? AlosCf : Alos2Cf;
}

class TSceneDir {
 public:
  TTempDir Dir;

  // Writes leader and source and returns the job converting them to "out.img".
  TConversionJob Job(TConversionVariant variant, std::int32_t pixels, std::int32_t lines,
                     const TDnAt& dnAt, TByteOrder order = TByteOrder::boLittleEndian) const {
    std::string leader(27520 + 16, '\0');
    leader.replace(19328, 16, CfField("-83.0"));
    leader.replace(27520, 16, CfField("-73.0"));
    WriteBytes(Dir / "leader", leader);
    TConversionJob job;
    job.Variant = variant;
    job.LeaderPath = Dir / "leader";
    job.OutputPath = Dir / "out.img";
    job.ByteOrder = order;
    if (variant.Source == TSourceKind::skCeosImage) {
      job.SourcePath = Dir / "image";
      WriteCeosImage(job.SourcePath, pixels, lines, dnAt);
    } else {
      job.SourcePath = Dir / "raw";
      WriteRawImage(job.SourcePath, pixels, lines, dnAt, order);
      job.RawGeometry = {pixels, lines, 0};
    }
    return job;
  }
};

inline TDn Uniform1000(std::int32_t, std::int32_t) {
  return 1000;
}

inline std::string FloatSampleBytes(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
          static_cast<char>(bits >> 24)};
}

inline std::string UInt16SampleBytes(std::uint16_t value, TByteOrder order) {
  const char high = static_cast<char>(value >> 8);
  const char low = static_cast<char>(value & 0xFF);
  return order == TByteOrder::boBigEndian ? std::string{high, low} : std::string{low, high};
}

inline std::string Repeated(const std::string& sample, std::int64_t times) {
  std::string bytes;
  for (std::int64_t i = 0; i < times; ++i) {
    bytes += sample;
  }
  return bytes;
}

}  // namespace sigma0::testing
