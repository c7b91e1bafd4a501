// sigma0 convert gives the core's own output for the job its options describe, and speaks on
// the console as it should: progress only on a terminal, one result line, --quiet, warnings.
#include <gtest/gtest.h>

#include <ostream>

#include "CliTestSupport.h"

namespace sigma0::cli::testing {
namespace {

constexpr std::int32_t Pixels = 9;
constexpr std::int32_t Lines = 7;

struct TVariantCase {
  const char* Name;
  TConversionVariant Variant;
  TByteOrder ByteOrder;
  std::int32_t MinimumDb;
  std::vector<std::string> Options;  // what selects this job on the command line
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const TVariantCase& c, std::ostream* os) {
  *os << c.Name;
}

using S = TSensor;
using K = TSourceKind;
using D = TOutputDepth;

const TVariantCase VariantCases[] = {
    {"CeosFloat32Alos",
     {S::snALOS, K::skCeosImage, D::odFloat32},
     TByteOrder::boLittleEndian,
     -40,
     {"--sensor", "alos"}},
    {"CeosUInt16Alos2BigEndian",
     {S::snALOS2, K::skCeosImage, D::odUInt16},
     TByteOrder::boBigEndian,
     -30,
     {"--sensor", "alos2", "--depth", "uint16", "--minimum-db", "-30", "--byte-order", "big"}},
    {"RawFloat32Alos2",
     {S::snALOS2, K::skRawInteger, D::odFloat32},
     TByteOrder::boLittleEndian,
     -40,
     {"--sensor", "alos2", "--source-format", "raw", "--pixels", std::to_string(Pixels), "--lines",
      std::to_string(Lines)}},
    {"RawUInt16AlosBigEndian",
     {S::snALOS, K::skRawInteger, D::odUInt16},
     TByteOrder::boBigEndian,
     -40,
     {"--sensor", "alos", "--source-format", "raw", "--pixels", std::to_string(Pixels), "--lines",
      std::to_string(Lines), "--depth", "uint16", "--byte-order", "big"}},
};

// Leader and source files for a variant, and the job that the core is given directly.
TConversionJob WriteScene(const TTempDir& dir, const TVariantCase& c) {
  TConversionJob job;
  job.Variant = c.Variant;
  job.LeaderPath = dir / "led";
  job.SourcePath = dir / "src";
  job.ByteOrder = c.ByteOrder;
  job.MinimumDb = c.MinimumDb;
  WriteSceneLeader(job.LeaderPath, c.Variant.Sensor, "-83.0");
  if (c.Variant.Source == TSourceKind::skCeosImage) {
    WriteCeosImage(job.SourcePath, Pixels, Lines, PatternDn());
  } else {
    WriteRawImage(job.SourcePath, Pixels, Lines, PatternDn(), c.ByteOrder);
    job.RawGeometry = {Pixels, Lines, 0};
  }
  return job;
}

std::vector<std::string> ConvertArgs(const TConversionJob& job, const std::filesystem::path& output,
                                     const std::vector<std::string>& options) {
  std::vector<std::string> args{
      "convert",  "--leader",     job.LeaderPath.string(), "--source", job.SourcePath.string(),
      "--output", output.string()};
  args.insert(args.end(), options.begin(), options.end());
  return args;
}

class ConvertVariant : public ::testing::TestWithParam<TVariantCase> {};

TEST_P(ConvertVariant, WritesWhatTheCoreWritesAndReportsIt) {
  const TVariantCase& c = GetParam();
  const TTempDir dir;
  TConversionJob job = WriteScene(dir, c);
  job.OutputPath = dir / "by-core";
  const TConversionOutput expected = ConvertWithCore(job);

  const std::filesystem::path output = dir / "by-cli.img";
  const TProcessResult result = RunSigma0(ConvertArgs(job, output, c.Options));

  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const TConversionOutput actual = ReadConversionOutput(output);
  EXPECT_EQ(actual.Image, expected.Image);
  EXPECT_EQ(actual.Hd1, expected.Hd1);
  EXPECT_EQ(result.Out, output.string() + ": 9 pixels, 7 lines, CF -83 dB\n");
  EXPECT_EQ(result.Err, "");  // not a terminal: no progress
}

INSTANTIATE_TEST_SUITE_P(Sigma0, ConvertVariant, ::testing::ValuesIn(VariantCases),
                         [](const auto& info) { return std::string(info.param.Name); });

class ConvertConsole : public ::testing::Test {
 protected:
  ConvertConsole() : job_(WriteScene(dir_, VariantCases[0])) {}
  std::vector<std::string> Args(std::vector<std::string> extra) const {
    extra.insert(extra.begin(), {"--sensor", "alos"});
    return ConvertArgs(job_, dir_ / "out", extra);
  }

  TTempDir dir_;
  TConversionJob job_;
};

TEST_F(ConvertConsole, DrawsProgressOnATerminalAndClearsIt) {
  const TProcessResult result = RunSigma0(Args({}), TErrStream::Terminal);
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(result.Err.rfind("\rconverting: 0% (0 of 7 lines)", 0), 0u) << result.Err;
  EXPECT_NE(result.Err.find("\rconverting: 100% (7 of 7 lines)"), std::string::npos);
  EXPECT_EQ(result.Err.substr(result.Err.size() - 4), "\r\x1b[K");
  EXPECT_EQ(result.Err.find('\n'), std::string::npos);  // one line, redrawn
  EXPECT_NE(result.Out.find("9 pixels, 7 lines, CF -83 dB"), std::string::npos);
}

TEST_F(ConvertConsole, QuietPrintsNothingEvenOnATerminal) {
  const TProcessResult result = RunSigma0(Args({"--quiet"}), TErrStream::Terminal);
  ASSERT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Out, "");
  EXPECT_EQ(result.Err, "");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "out"));
}

TEST_F(ConvertConsole, QuietStillReportsErrors) {
  std::vector<std::string> args = Args({"--quiet"});
  args[2] = (dir_ / "absent").string();  // the leader
  const TProcessResult result = RunSigma0(args);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err.rfind("sigma0: ", 0), 0u);
  EXPECT_NE(result.Err.find("absent"), std::string::npos);
}

TEST_F(ConvertConsole, RefusedRunOnATerminalPrintsOnlyTheError) {
  // A source shorter than its descriptor says is refused before the first row.
  std::filesystem::resize_file(job_.SourcePath, 2000);
  const TProcessResult result = RunSigma0(Args({}), TErrStream::Terminal);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err.rfind("sigma0: ", 0), 0u) << result.Err;
  EXPECT_NE(result.Err.find("src"), std::string::npos) << result.Err;
  EXPECT_EQ(result.Out, "");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
}

// An ALOS-2 leader read at the ALOS offset: a warning, then the conversion as the core does it.
TEST(ConvertWithForeignLeader, WarnsAndConvertsWithCfZero) {
  const TTempDir dir;
  TConversionJob job = WriteScene(dir, VariantCases[0]);
  WriteSceneLeader(job.LeaderPath, TSensor::snALOS2, "-83.0");
  job.OutputPath = dir / "by-core";
  const TConversionOutput expected = ConvertWithCore(job);

  const TProcessResult result = RunSigma0(ConvertArgs(job, dir / "by-cli", {"--sensor", "alos"}));

  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(result.Err.rfind("sigma0: warning: ", 0), 0u) << result.Err;
  EXPECT_NE(result.Err.find("19328"), std::string::npos);
  EXPECT_NE(result.Err.find("--sensor alos2"), std::string::npos);
  EXPECT_NE(result.Out.find("CF 0 dB"), std::string::npos) << result.Out;
  EXPECT_EQ(ReadConversionOutput(dir / "by-cli").Image, expected.Image);

  const TProcessResult quiet =
      RunSigma0(ConvertArgs(job, dir / "quiet", {"--sensor", "alos", "--quiet"}));
  EXPECT_EQ(quiet.ExitCode, 0);
  EXPECT_EQ(quiet.Err, "");
}

}  // namespace
}  // namespace sigma0::cli::testing
