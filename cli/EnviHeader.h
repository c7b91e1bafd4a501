// ENVI header beside an output image, so that GDAL and QGIS open the headerless image as it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "ConversionRun.h"
#include "Types.h"

namespace sigma0::cli {

inline constexpr const char* EnviHeaderRole = "ENVIヘッダファイル";

// The output's whole name with ".hdr" behind it, which GDAL looks for beside "scene.img".
std::filesystem::path EnviHeaderPathFor(const std::filesystem::path& outputPath);

// ENVI codes: 4 for 32-bit float, 12 for 16-bit unsigned.
constexpr int EnviDataType(TOutputDepth depth) {
  return depth == TOutputDepth::odFloat32 ? 4 : 12;
}

// ENVI "byte order" of the samples as the run writes them: floats always least significant byte
// first, 16-bit samples in the job's order.
int EnviByteOrder(const TConversionJob& job);

std::string EnviHeaderText(const TConversionJob& job, std::int32_t pixels, std::int32_t lines);

// Refuses a header path that cannot be written, or that names the leader or the source, before
// the run touches anything.
void CheckEnviHeaderTarget(const TConversionJob& job);

// Writes the header under a temporary name and moves it into place once complete.
void WriteEnviHeader(const TConversionJob& job, std::int32_t pixels, std::int32_t lines);

}  // namespace sigma0::cli
