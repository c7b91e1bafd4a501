#include "EnviHeader.h"

#include <span>
#include <sstream>

#include "ConversionError.h"
#include "Files.h"
#include "SceneInfo.h"

namespace sigma0::cli {

namespace {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);  // false when either does not exist
}

std::string InputImageRole(const TConversionJob& job) {
  return job.Variant.Source == TSourceKind::skCeosImage ? SourceRole : RawSourceRole;
}

}  // namespace

std::filesystem::path EnviHeaderPathFor(const std::filesystem::path& outputPath) {
  std::filesystem::path header = outputPath;
  header += ".hdr";
  return header;
}

int EnviByteOrder(const TConversionJob& job) {
  const bool bigEndian =
      job.Variant.Depth == TOutputDepth::odUInt16 && job.ByteOrder == TByteOrder::boBigEndian;
  return bigEndian ? 1 : 0;
}

std::string EnviHeaderText(const TConversionJob& job, std::int32_t pixels, std::int32_t lines) {
  const TOutputDepth depth = job.Variant.Depth;
  std::ostringstream text;
  text << "ENVI\n"
       << "description = {sigma-nought in dB}\n"
       << "samples = " << pixels << '\n'
       << "lines = " << lines << '\n'
       << "bands = 1\n"
       << "header offset = 0\n"
       << "file type = ENVI Standard\n"
       << "data type = " << EnviDataType(depth) << '\n'
       << "interleave = bsq\n"
       << "byte order = " << EnviByteOrder(job) << '\n';
  if (depth == TOutputDepth::odFloat32) {
    // The value the run writes where the whole neighbourhood is zero.
    text << "data ignore value = -100\n"
         << "band names = {sigma0 dB}\n";
  } else {
    // Sample V stands for MinimumDb + V / 1000 dB; GDAL shows these as scale and offset.
    text << "data gain values = {0.001}\n"
         << "data offset values = {" << job.MinimumDb << "}\n"
         << "band names = {sigma0 in 0.001 dB above " << job.MinimumDb << " dB}\n";
  }
  return text.str();
}

void CheckEnviHeaderTarget(const TConversionJob& job) {
  const std::filesystem::path header = EnviHeaderPathFor(job.OutputPath);
  for (const auto& [input, role] : {std::pair{job.LeaderPath, std::string(LeaderRole)},
                                    std::pair{job.SourcePath, InputImageRole(job)}}) {
    if (SameFile(header, input)) {
      throw TConversionError(std::string(EnviHeaderRole) + " " + QuotedPath(header) + " は" + role +
                             " " + QuotedPath(input) + " と同じファイルです");
    }
  }
  CheckReplaceable(header, EnviHeaderRole);
}

void WriteEnviHeader(const TConversionJob& job, std::int32_t pixels, std::int32_t lines) {
  const std::string text = EnviHeaderText(job, pixels, lines);
  TStagedOutputFile file(EnviHeaderPathFor(job.OutputPath), EnviHeaderRole);
  file.Write(std::as_bytes(std::span(text)));
  file.Finish();
  file.Commit();
}

}  // namespace sigma0::cli
