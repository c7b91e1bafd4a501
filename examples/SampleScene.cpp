#include "SampleScene.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "CeosFiles.h"

namespace sigma0::sample {

namespace {

constexpr std::uint64_t SampleSeed = 0x5167A0C0FFEE2014ULL;
constexpr std::int64_t SampleLeaderLength = 20480;

// splitmix64: tiny, and the same sequence everywhere, unlike the standard distributions.
class TSplitMix64 {
 public:
  explicit TSplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t state_;
};

std::uint64_t IntegerSqrt(std::uint64_t value) {
  std::uint64_t root = 0;
  for (std::uint64_t bit = 1ULL << 62; bit != 0; bit >>= 2) {
    if (value >= root + bit) {
      value -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
  }
  return root;
}

// Nearly Gaussian (sum of four uniform 16-bit values, centred), standard deviation about 37837.
std::int64_t NearlyGaussian(std::uint64_t draw) {
  std::int64_t sum = 0;
  for (int part = 0; part < 4; ++part) {
    sum += static_cast<std::int64_t>((draw >> (16 * part)) & 0xFFFF);
  }
  return sum - 2 * 65535;
}

// Amplitude of fully developed speckle: the modulus of a complex Gaussian, scaled so that its
// mean is meanAmplitude (47421 is the mean modulus of two components of the spread above).
std::uint16_t SpeckledDn(TSplitMix64& random, std::int64_t meanAmplitude) {
  const std::int64_t re = NearlyGaussian(random.Next());
  const std::int64_t im = NearlyGaussian(random.Next());
  const auto modulus = static_cast<std::int64_t>(
      IntegerSqrt(static_cast<std::uint64_t>(re * re) + static_cast<std::uint64_t>(im * im)));
  const std::int64_t dn = (meanAmplitude * modulus + 47421 / 2) / 47421;
  return static_cast<std::uint16_t>(std::clamp<std::int64_t>(dn, 1, 65535));
}

// A geocoded scene is a tilted rectangle inside its image; the corners are zero.
bool InsideFootprint(std::int32_t line, std::int32_t pixel) {
  const std::int32_t left = 16 + line / 10;
  const std::int32_t right = 445 + line / 10;
  return line >= 10 && line < SampleLines - 10 && pixel >= left && pixel < right;
}

// Mean amplitude of the land cover at a pixel; with CF -83.0 these give roughly -41 dB
// (water) through -25 to -16 dB (fields) and -9 dB (town) to strong point targets.
std::int64_t MeanAmplitude(std::int32_t line, std::int32_t pixel) {
  const std::int32_t phase = line % 256;
  const std::int32_t riverCentre = 150 + (phase < 128 ? phase : 256 - phase) * 60 / 64;
  if (pixel > riverCentre - 10 && pixel < riverCentre + 10) {
    return 110;
  }
  if (line >= 320 && line < 420 && pixel >= 300 && pixel < 410) {
    const bool pointTarget = line % 24 == 0 && pixel % 24 == 0;
    return pointTarget ? 40000 : 5000;
  }
  constexpr std::int64_t FieldLevels[] = {700, 1000, 1400, 2000};
  TSplitMix64 field(SampleSeed ^ (static_cast<std::uint64_t>(line / 32) << 32 |
                                  static_cast<std::uint64_t>(pixel / 32)));
  return FieldLevels[field.Next() % 4];
}

void PutText(std::vector<std::byte>& bytes, std::size_t offset, const std::string& text) {
  std::transform(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                 [](char c) { return static_cast<std::byte>(c); });
}

// Right-aligned in a field of width characters, as CEOS writes numbers.
std::string RightAligned(const std::string& text, int width) {
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))),
                     ' ') +
         text;
}

void PutBigEndian32(std::vector<std::byte>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::byte>(value >> (24 - 8 * i));
  }
}

// The 12-byte header that starts every CEOS record: sequence number, type codes, length.
void PutRecordHeader(std::vector<std::byte>& bytes, std::size_t offset, std::uint32_t sequence,
                     std::uint32_t typeCodes, std::uint32_t length) {
  PutBigEndian32(bytes, offset, sequence);
  PutBigEndian32(bytes, offset + 4, typeCodes);
  PutBigEndian32(bytes, offset + 8, length);
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::byte>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

std::vector<std::uint16_t> SampleDn() {
  std::vector<std::uint16_t> dn(static_cast<std::size_t>(SamplePixels) * SampleLines, 0);
  TSplitMix64 random(SampleSeed);
  for (std::int32_t line = 0; line < SampleLines; ++line) {
    for (std::int32_t pixel = 0; pixel < SamplePixels; ++pixel) {
      if (InsideFootprint(line, pixel)) {
        dn[static_cast<std::size_t>(line) * SamplePixels + static_cast<std::size_t>(pixel)] =
            SpeckledDn(random, MeanAmplitude(line, pixel));
      }
    }
  }
  return dn;
}

std::vector<std::byte> SampleLeaderBytes() {
  std::vector<std::byte> bytes(SampleLeaderLength, std::byte{' '});
  PutRecordHeader(bytes, 0, 1, 0x0BC01212, 720);
  PutText(bytes, 16, "CEOS-SAR");
  PutText(bytes, static_cast<std::size_t>(CalibrationFactorOffset(TSensor::snALOS)),
          RightAligned(SampleCalibrationFactorText, CalibrationFactorWidth));
  return bytes;
}

std::vector<std::byte> CeosImageBytes(const std::vector<std::uint16_t>& dn, std::int32_t pixels,
                                      std::int32_t lines) {
  const auto recordLength = static_cast<std::size_t>(CeosDataPrefixLength + 2 * pixels);
  std::vector<std::byte> bytes(
      static_cast<std::size_t>(CeosFileDescriptorLength) + recordLength * lines, std::byte{0});
  std::fill_n(bytes.begin(), CeosFileDescriptorLength, std::byte{' '});
  PutRecordHeader(bytes, 0, 1, 0x3FC01212, CeosFileDescriptorLength);
  PutText(bytes, 16, "CEOS-SAR");
  PutText(bytes, 180, RightAligned(std::to_string(lines), 6));
  PutText(bytes, 186, RightAligned(std::to_string(recordLength), 6));
  PutText(bytes, 248, RightAligned(std::to_string(pixels), 8));
  for (std::int32_t line = 0; line < lines; ++line) {
    const std::size_t record =
        static_cast<std::size_t>(CeosFileDescriptorLength) + recordLength * line;
    PutRecordHeader(bytes, record, static_cast<std::uint32_t>(line) + 2, 0x320B1214,
                    static_cast<std::uint32_t>(recordLength));
    PutBigEndian32(bytes, record + 12, static_cast<std::uint32_t>(line) + 1);  // line number
    PutBigEndian32(bytes, record + 24, static_cast<std::uint32_t>(pixels));    // pixel count
    for (std::int32_t pixel = 0; pixel < pixels; ++pixel) {
      const std::uint16_t value = dn[static_cast<std::size_t>(line) * pixels + pixel];
      const std::size_t at = record + CeosDataPrefixLength + 2 * static_cast<std::size_t>(pixel);
      bytes[at] = static_cast<std::byte>(value >> 8);
      bytes[at + 1] = static_cast<std::byte>(value & 0xFF);
    }
  }
  return bytes;
}

std::vector<std::byte> RawLittleEndianBytes(const std::vector<std::uint16_t>& dn) {
  std::vector<std::byte> bytes(2 * dn.size());
  for (std::size_t i = 0; i < dn.size(); ++i) {
    bytes[2 * i] = static_cast<std::byte>(dn[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<std::byte>(dn[i] >> 8);
  }
  return bytes;
}

void WriteSampleScene(const std::filesystem::path& directory) {
  std::filesystem::create_directories(directory);
  const std::vector<std::uint16_t> dn = SampleDn();
  WriteFile(directory / SampleLeaderName, SampleLeaderBytes());
  WriteFile(directory / SampleImageName, CeosImageBytes(dn, SamplePixels, SampleLines));
  WriteFile(directory / SampleRawName, RawLittleEndianBytes(dn));
}

}  // namespace sigma0::sample
