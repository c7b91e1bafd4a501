// A small synthetic PALSAR-like Level 1.5 scene: an ALOS leader with its calibration factor, the
// CEOS image file and the same DN as a headerless raw file. Made by integer arithmetic from a
// fixed seed, so the bytes are the same on every machine and compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sigma0::sample {

inline constexpr std::int32_t SamplePixels = 512;
inline constexpr std::int32_t SampleLines = 512;
// As an ALOS leader writes it, right-aligned in its 16-character field.
inline constexpr const char* SampleCalibrationFactorText = "-83.0";

inline constexpr const char* SampleLeaderName = "LED-SIGMA0-SAMPLE";
inline constexpr const char* SampleImageName = "IMG-HH-SIGMA0-SAMPLE";
inline constexpr const char* SampleRawName = "IMG-HH-SIGMA0-SAMPLE.raw";  // little-endian DN

// Amplitude DN of the scene, line after line: speckled fields, a river and a town inside a
// tilted footprint, zero outside it as in a geocoded product.
std::vector<std::uint16_t> SampleDn();

std::vector<std::byte> SampleLeaderBytes();
std::vector<std::byte> CeosImageBytes(const std::vector<std::uint16_t>& dn, std::int32_t pixels,
                                      std::int32_t lines);
std::vector<std::byte> RawLittleEndianBytes(const std::vector<std::uint16_t>& dn);

// Writes the three files into directory, creating it if needed; throws std::runtime_error.
void WriteSampleScene(const std::filesystem::path& directory);

}  // namespace sigma0::sample
