// The command line of sigma0: parsed by CLI11 into one of the commands below.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ConversionRun.h"
#include "Types.h"

namespace CLI {
class App;
class Error;
}  // namespace CLI

namespace sigma0::cli {

// sigma0 convert: one RunConversion of Job.
struct TConvertCommand {
  TConversionJob Job;
  bool EnviHeader = false;  // also write "<output>.hdr" for GIS tools
  bool Quiet = false;       // nothing but errors
};

// sigma0 info: CF of a leader and, with a CEOS image file, its geometry.
struct TInfoCommand {
  TSensor Sensor = TSensor::snALOS;
  std::filesystem::path LeaderPath;
  std::optional<std::filesystem::path> SourcePath;
};

using TCommand = std::variant<TConvertCommand, TInfoCommand>;

// Exit status of a command line that is not understood (CLI11's own codes are finer; scripts
// only need to tell it from a failed conversion).
inline constexpr int UsageExitCode = 2;

class TCommandLine {
 public:
  TCommandLine();
  ~TCommandLine();
  TCommandLine(const TCommandLine&) = delete;
  TCommandLine& operator=(const TCommandLine&) = delete;

  // Throws a CLI::ParseError for a wrong command line, and also for --help and --version
  // (CLI11's way of ending early); Report turns either into the right text and exit status.
  TCommand Parse(int argc, const char* const* argv);
  TCommand Parse(const std::vector<std::string>& args);  // args without the program name

  // Prints help, version or the error with a usage hint; returns 0 for help and version,
  // UsageExitCode otherwise.
  int Report(const CLI::Error& error, std::ostream& out, std::ostream& err) const;

 private:
  struct TValues;
  void AddConvertCommand();
  void AddInfoCommand();
  TConvertCommand ConvertCommand() const;
  TInfoCommand InfoCommand() const;

  std::unique_ptr<CLI::App> app_;
  std::unique_ptr<TValues> values_;
  CLI::App* convert_ = nullptr;
  CLI::App* info_ = nullptr;
};

}  // namespace sigma0::cli
