// What the options of sigma0 turn into, and which command lines are refused.
#include <gtest/gtest.h>

#include <ostream>

#include <CLI/CLI.hpp>
#include <sstream>

#include "CommandLine.h"

namespace sigma0::cli {
namespace {

const std::vector<std::string> Files{"--leader", "L", "--source", "S", "--output", "O"};

std::vector<std::string> Convert(std::vector<std::string> options) {
  std::vector<std::string> args{"convert"};
  args.insert(args.end(), Files.begin(), Files.end());
  args.insert(args.end(), options.begin(), options.end());
  return args;
}

struct TAcceptedCase {
  const char* Name;
  std::vector<std::string> Args;
  TConversionVariant Variant;
  TByteOrder ByteOrder;
  std::int32_t MinimumDb;
  TImageGeometry RawGeometry;
  bool EnviHeader;
  bool Quiet;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const TAcceptedCase& c, std::ostream* os) {
  *os << c.Name;
}

using S = TSensor;
using K = TSourceKind;
using D = TOutputDepth;
using B = TByteOrder;

const TAcceptedCase AcceptedCases[] = {
    {"CeosDefaults",
     Convert({"--sensor", "alos"}),
     {S::snALOS, K::skCeosImage, D::odFloat32},
     B::boLittleEndian,
     -40,
     {},
     false,
     false},
    {"CeosUInt16BigEndian",
     Convert(
         {"--sensor", "alos2", "--depth", "uint16", "--minimum-db", "-35", "--byte-order", "big"}),
     {S::snALOS2, K::skCeosImage, D::odUInt16},
     B::boBigEndian,
     -35,
     {},
     false,
     false},
    {"CeosUInt16DefaultMinimum",
     Convert({"--sensor", "alos", "--depth", "uint16"}),
     {S::snALOS, K::skCeosImage, D::odUInt16},
     B::boLittleEndian,
     -40,
     {},
     false,
     false},
    {"RawFloat",
     Convert({"--sensor", "alos", "--source-format", "raw", "--pixels", "100", "--lines", "50"}),
     {S::snALOS, K::skRawInteger, D::odFloat32},
     B::boLittleEndian,
     -40,
     {100, 50, 0},
     false,
     false},
    {"RawUInt16WithFlags",
     Convert({"--sensor", "alos2", "--source-format", "raw", "--pixels", "7", "--lines", "9",
              "--depth", "uint16", "--minimum-db=-50", "--byte-order", "big", "--envi-header",
              "--quiet"}),
     {S::snALOS2, K::skRawInteger, D::odUInt16},
     B::boBigEndian,
     -50,
     {7, 9, 0},
     true,
     true},
    {"RawBigEndianFloat",
     Convert(
         {"--source-format=raw", "--sensor=alos2", "--lines=3", "--pixels=4", "--byte-order=big"}),
     {S::snALOS2, K::skRawInteger, D::odFloat32},
     B::boBigEndian,
     -40,
     {4, 3, 0},
     false,
     false},
};

class AcceptedCommandLine : public ::testing::TestWithParam<TAcceptedCase> {};

TEST_P(AcceptedCommandLine, FillsTheJob) {
  const TAcceptedCase& c = GetParam();
  TCommandLine commandLine;
  const TCommand command = commandLine.Parse(c.Args);
  ASSERT_TRUE(std::holds_alternative<TConvertCommand>(command));
  const auto& convert = std::get<TConvertCommand>(command);
  const TConversionJob& job = convert.Job;
  EXPECT_EQ(job.Variant, c.Variant);
  EXPECT_EQ(job.ByteOrder, c.ByteOrder);
  EXPECT_EQ(job.MinimumDb, c.MinimumDb);
  EXPECT_EQ(job.RawGeometry, c.RawGeometry);
  EXPECT_EQ(job.LeaderPath, "L");
  EXPECT_EQ(job.SourcePath, "S");
  EXPECT_EQ(job.OutputPath, "O");
  EXPECT_EQ(convert.EnviHeader, c.EnviHeader);
  EXPECT_EQ(convert.Quiet, c.Quiet);
}

INSTANTIATE_TEST_SUITE_P(Convert, AcceptedCommandLine, ::testing::ValuesIn(AcceptedCases),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TRefusedCase {
  const char* Name;
  std::vector<std::string> Args;
  const char* Mentioned;  // the option the message must name
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const TRefusedCase& c, std::ostream* os) {
  *os << c.Name;
}

const TRefusedCase RefusedCases[] = {
    {"NoCommand", {}, "subcommand"},
    {"UnknownCommand", {"transmogrify"}, "transmogrify"},
    {"MissingSensor", Convert({}), "--sensor"},
    {"UnknownSensor", Convert({"--sensor", "alos3"}), "alos3"},
    {"MissingOutput",
     {"convert", "--sensor", "alos", "--leader", "L", "--source", "S"},
     "--output"},
    {"UnknownSourceFormat", Convert({"--sensor", "alos", "--source-format", "tiff"}), "tiff"},
    {"RawWithoutPixels", Convert({"--sensor", "alos", "--source-format", "raw", "--lines", "5"}),
     "--pixels"},
    {"RawWithoutLines", Convert({"--sensor", "alos", "--source-format", "raw", "--pixels", "5"}),
     "--lines"},
    {"CeosWithPixels", Convert({"--sensor", "alos", "--pixels", "5"}), "--pixels"},
    {"CeosWithLines", Convert({"--sensor", "alos", "--lines", "5"}), "--lines"},
    {"MinimumWithFloat", Convert({"--sensor", "alos", "--minimum-db", "-30"}), "--minimum-db"},
    {"MinimumWithExplicitFloat",
     Convert({"--sensor", "alos", "--depth", "float32", "--minimum-db", "-30"}), "--minimum-db"},
    {"UnknownDepth", Convert({"--sensor", "alos", "--depth", "int8"}), "int8"},
    {"UnknownByteOrder", Convert({"--sensor", "alos", "--byte-order", "middle"}), "middle"},
    {"PixelsNotANumber",
     Convert({"--sensor", "alos", "--source-format", "raw", "--pixels", "abc", "--lines", "5"}),
     "abc"},
    {"PixelsBeyond32Bits",
     Convert(
         {"--sensor", "alos", "--source-format", "raw", "--pixels", "99999999999", "--lines", "5"}),
     "99999999999"},
    {"MinimumNotWhole", Convert({"--sensor", "alos", "--depth", "uint16", "--minimum-db", "-40.5"}),
     "-40.5"},
    {"UnknownOption", Convert({"--sensor", "alos", "--colour"}), "--colour"},
    {"StrayArgument", Convert({"--sensor", "alos", "extra"}), "extra"},
    {"InfoWithoutLeader", {"info", "--sensor", "alos"}, "--leader"},
    {"ConvertThenInfo",
     {"convert", "--sensor", "alos", "--leader", "L", "--source", "S", "--output", "O", "info"},
     "info"},
    {"InfoThenConvert", {"info", "--sensor", "alos", "--leader", "L", "convert"}, "convert"},
    {"InfoWithConvertOption", {"info", "--sensor", "alos", "--leader", "L", "--quiet"}, "--quiet"},
};

class RefusedCommandLine : public ::testing::TestWithParam<TRefusedCase> {};

TEST_P(RefusedCommandLine, IsAUsageErrorNamingTheCulprit) {
  const TRefusedCase& c = GetParam();
  TCommandLine commandLine;
  try {
    commandLine.Parse(c.Args);
    FAIL() << "accepted";
  } catch (const CLI::ParseError& error) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(commandLine.Report(error, out, err), UsageExitCode);
    EXPECT_NE(err.str().find(c.Mentioned), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(All, RefusedCommandLine, ::testing::ValuesIn(RefusedCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(InfoCommandLine, TakesSensorLeaderAndOptionalSource) {
  {
    TCommandLine commandLine;
    const TCommand command = commandLine.Parse({"info", "--sensor", "alos2", "--leader", "L"});
    const auto& info = std::get<TInfoCommand>(command);
    EXPECT_EQ(info.Sensor, TSensor::snALOS2);
    EXPECT_EQ(info.LeaderPath, "L");
    EXPECT_FALSE(info.SourcePath.has_value());
  }
  {
    TCommandLine commandLine;
    const TCommand command =
        commandLine.Parse({"info", "--sensor", "alos", "--leader", "L", "--source", "S"});
    const auto& info = std::get<TInfoCommand>(command);
    EXPECT_EQ(info.Sensor, TSensor::snALOS);
    EXPECT_EQ(info.SourcePath, std::filesystem::path("S"));
  }
}

}  // namespace
}  // namespace sigma0::cli
