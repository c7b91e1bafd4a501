#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include "Version.h"

namespace sigma0::cli {

namespace {

const std::vector<std::string> SensorNames{"alos", "alos2"};
const std::vector<std::string> SourceFormatNames{"ceos", "raw"};
const std::vector<std::string> DepthNames{"float32", "uint16"};
const std::vector<std::string> ByteOrderNames{"little", "big"};

TSensor SensorNamed(const std::string& name) {
  return name == "alos2" ? TSensor::snALOS2 : TSensor::snALOS;
}

TSourceKind SourceKindNamed(const std::string& name) {
  return name == "raw" ? TSourceKind::skRawInteger : TSourceKind::skCeosImage;
}

TOutputDepth DepthNamed(const std::string& name) {
  return name == "uint16" ? TOutputDepth::odUInt16 : TOutputDepth::odFloat32;
}

TByteOrder ByteOrderNamed(const std::string& name) {
  return name == "big" ? TByteOrder::boBigEndian : TByteOrder::boLittleEndian;
}

}  // namespace

// What CLI11 fills in; the names stay text until the whole command line is known.
struct TCommandLine::TValues {
  std::string Sensor;
  std::string Leader;
  std::string Source;
  std::string Output;
  std::string SourceFormat = "ceos";
  std::int32_t Pixels = 0;
  std::int32_t Lines = 0;
  std::string Depth = "float32";
  std::int32_t MinimumDb = -40;
  std::string ByteOrder = "little";
  bool EnviHeader = false;
  bool Quiet = false;
  CLI::Option* PixelsOption = nullptr;
  CLI::Option* LinesOption = nullptr;
  CLI::Option* MinimumDbOption = nullptr;

  std::string InfoSensor;
  std::string InfoLeader;
  std::string InfoSource;
  CLI::Option* InfoSourceOption = nullptr;
};

TCommandLine::TCommandLine()
    : app_(std::make_unique<CLI::App>(
          "Converts PALSAR / PALSAR-2 Level 1.5 amplitude images into sigma-nought dB images.",
          "sigma0")),
      values_(std::make_unique<TValues>()) {
  app_->set_version_flag("--version", std::string("sigma0 ") + ProjectVersion);
  app_->require_subcommand(0, 1);  // one command a call: a second would be dropped silently
  AddConvertCommand();
  AddInfoCommand();
}

TCommandLine::~TCommandLine() = default;

void TCommandLine::AddConvertCommand() {
  TValues& v = *values_;
  convert_ = app_->add_subcommand("convert", "Convert one image into a sigma-nought image");
  convert_->add_option("--sensor", v.Sensor, "Satellite of the scene")
      ->required()
      ->check(CLI::IsMember(SensorNames));
  convert_->add_option("--leader", v.Leader, "CEOS leader file (holds the calibration factor)")
      ->type_name("FILE")
      ->required();
  convert_->add_option("--source", v.Source, "Source image: CEOS image file or raw 16-bit DN")
      ->type_name("FILE")
      ->required();
  convert_->add_option("--output", v.Output, "Output image; its header gets \".hd1\" appended")
      ->type_name("FILE")
      ->required();
  convert_->add_option("--source-format", v.SourceFormat, "Format of the source image")
      ->check(CLI::IsMember(SourceFormatNames))
      ->capture_default_str();
  v.PixelsOption =
      convert_->add_option("--pixels", v.Pixels, "Pixels per line (raw sources)")->type_name("N");
  v.LinesOption =
      convert_->add_option("--lines", v.Lines, "Number of lines (raw sources)")->type_name("N");
  convert_->add_option("--depth", v.Depth, "Output samples: float dB or 16-bit steps of 0.001 dB")
      ->check(CLI::IsMember(DepthNames))
      ->capture_default_str();
  v.MinimumDbOption =
      convert_->add_option("--minimum-db", v.MinimumDb, "Whole dB that uint16 sample 0 stands for")
          ->type_name("N")
          ->capture_default_str();
  convert_
      ->add_option("--byte-order", v.ByteOrder,
                   "Byte order of raw source DN and of uint16 output samples")
      ->check(CLI::IsMember(ByteOrderNames))
      ->capture_default_str();
  convert_->add_flag("--envi-header", v.EnviHeader,
                     "Also write an ENVI header \"<output>.hdr\" for GDAL and QGIS");
  convert_->add_flag("--quiet", v.Quiet, "Print nothing but errors");
}

void TCommandLine::AddInfoCommand() {
  TValues& v = *values_;
  info_ = app_->add_subcommand("info", "Show the calibration factor and the image geometry");
  info_->add_option("--sensor", v.InfoSensor, "Satellite of the scene")
      ->required()
      ->check(CLI::IsMember(SensorNames));
  info_->add_option("--leader", v.InfoLeader, "CEOS leader file")->type_name("FILE")->required();
  v.InfoSourceOption =
      info_->add_option("--source", v.InfoSource, "CEOS image file")->type_name("FILE");
}

TCommand TCommandLine::Parse(int argc, const char* const* argv) {
  app_->parse(argc, argv);
  if (convert_->parsed()) {
    return ConvertCommand();
  }
  if (info_->parsed()) {
    return InfoCommand();
  }
  // Checked here rather than by CLI11, which would report an unknown command word as a missing
  // command instead of naming it.
  throw CLI::RequiredError("A subcommand (convert or info)");
}

TCommand TCommandLine::Parse(const std::vector<std::string>& args) {
  std::vector<const char*> argv{"sigma0"};
  for (const std::string& arg : args) {
    argv.push_back(arg.c_str());
  }
  return Parse(static_cast<int>(argv.size()), argv.data());
}

// The rules that tie options to each other, which CLI11 cannot express per option.
TConvertCommand TCommandLine::ConvertCommand() const {
  const TValues& v = *values_;
  const bool raw = SourceKindNamed(v.SourceFormat) == TSourceKind::skRawInteger;
  for (const CLI::Option* option : {v.PixelsOption, v.LinesOption}) {
    if (raw && option->count() == 0) {
      throw CLI::ValidationError(option->get_name(), "required with --source-format raw");
    }
    if (!raw && option->count() > 0) {
      throw CLI::ValidationError(option->get_name(),
                                 "only with --source-format raw (a CEOS image file holds its "
                                 "own geometry)");
    }
  }
  const TOutputDepth depth = DepthNamed(v.Depth);
  if (depth == TOutputDepth::odFloat32 && v.MinimumDbOption->count() > 0) {
    throw CLI::ValidationError(v.MinimumDbOption->get_name(), "only with --depth uint16");
  }

  TConvertCommand command;
  TConversionJob& job = command.Job;
  job.Variant = {SensorNamed(v.Sensor), SourceKindNamed(v.SourceFormat), depth};
  job.LeaderPath = v.Leader;
  job.SourcePath = v.Source;
  job.OutputPath = v.Output;
  job.MinimumDb = v.MinimumDb;
  job.ByteOrder = ByteOrderNamed(v.ByteOrder);
  if (raw) {
    job.RawGeometry = {v.Pixels, v.Lines, 0};
  }
  command.EnviHeader = v.EnviHeader;
  command.Quiet = v.Quiet;
  return command;
}

TInfoCommand TCommandLine::InfoCommand() const {
  const TValues& v = *values_;
  TInfoCommand command;
  command.Sensor = SensorNamed(v.InfoSensor);
  command.LeaderPath = v.InfoLeader;
  if (v.InfoSourceOption->count() > 0) {
    command.SourcePath = v.InfoSource;
  }
  return command;
}

int TCommandLine::Report(const CLI::Error& error, std::ostream& out, std::ostream& err) const {
  const int code = app_->exit(error, out, err);
  return code == static_cast<int>(CLI::ExitCodes::Success) ? 0 : UsageExitCode;
}

}  // namespace sigma0::cli
