// Fixtures and process helpers of the command-line tests: tiny leader, CEOS and raw files
// written by the tests themselves, and a way to run the real executables.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ConversionRun.h"
#include "SceneFixtures.h"
#include "Types.h"

namespace sigma0::cli::testing {

using sigma0::testing::FileNames;
using sigma0::testing::ReadBytes;
using sigma0::testing::TDnAt;
using sigma0::testing::TTempDir;
using sigma0::testing::WriteCeosImage;
using sigma0::testing::WriteRawImage;

// A leader whose only content is cfText right-aligned in the 16-byte CF field of sensor, blanks
// elsewhere. It is long enough for the CF fields of both sensors, so that an ALOS-2 leader read at
// the ALOS offset shows blanks, as real ones do.
void WriteSceneLeader(const std::filesystem::path& path, TSensor sensor, const std::string& cfText);

// Varied DN with a block of zeros in the top left corner, so that the output holds no-data
// samples, ordinary values and (for uint16) clamped ones.
TDnAt PatternDn();

// The files of a run: image and ".hd1" header bytes.
struct TConversionOutput {
  std::string Image;
  std::string Hd1;
};
TConversionOutput ReadConversionOutput(const std::filesystem::path& outputPath);

// What the core itself writes for job, observed silently.
TConversionOutput ConvertWithCore(const TConversionJob& job);

struct TProcessResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

enum class TErrStream { File, Terminal };

// Runs program with args (no shell), stdout to a file; stderr to a file or to a pseudo-terminal.
TProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                          TErrStream errStream = TErrStream::File);

TProcessResult RunSigma0(const std::vector<std::string>& args,
                         TErrStream errStream = TErrStream::File);

}  // namespace sigma0::cli::testing
