// Fixtures and process helpers of the command-line tests: tiny leader, CEOS and raw files
// written by the tests themselves, and a way to run the real executables.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ConversionRun.h"
#include "Types.h"

namespace sigma0::cli::testing {

// A fresh directory, removed with everything in it at the end of the test.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A leader whose only content is cfText right-aligned in the 16-byte CF field of sensor, blanks
// elsewhere. It is long enough for the CF fields of both sensors, so that an ALOS-2 leader read at
// the ALOS offset shows blanks, as real ones do.
void WriteLeader(const std::filesystem::path& path, TSensor sensor, const std::string& cfText);

// A CEOS image file: 720-byte descriptor, then one record of 192 + 2·Pixels bytes per line, the
// DN big-endian behind the 192-byte prefix.
void WriteCeosImage(const std::filesystem::path& path, std::int32_t pixels, std::int32_t lines,
                    const std::vector<TDn>& dn);

// Headerless DN, line after line, in order.
void WriteRawImage(const std::filesystem::path& path, const std::vector<TDn>& dn, TByteOrder order);

// Varied DN with a block of zeros in the top left corner, so that the output holds no-data
// samples, ordinary values and (for uint16) clamped ones.
std::vector<TDn> PatternDn(std::int32_t pixels, std::int32_t lines);

std::string ReadFileBytes(const std::filesystem::path& path);

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
