// The exit status and the streams of the real sigma0 executable, for success, help and version,
// a wrong command line and a refused conversion.
#include <gtest/gtest.h>

#include <ostream>

#include "CliTestSupport.h"

namespace sigma0::cli::testing {
namespace {

struct TStatusCase {
  const char* Name;
  std::vector<std::string> Args;  // {dir} stands for the fixture directory
  int ExitCode;
  const char* OutContains;  // "" when stdout must stay empty
  const char* ErrContains;  // "" when stderr must stay empty
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const TStatusCase& c, std::ostream* os) {
  *os << c.Name;
}

const TStatusCase StatusCases[] = {
    {"Converted",
     {"convert", "--sensor", "alos", "--leader", "{dir}/led", "--source", "{dir}/img", "--output",
      "{dir}/out"},
     0,
     "8 pixels, 6 lines, CF -83 dB",
     ""},
    {"Help", {"--help"}, 0, "convert", ""},
    {"ConvertHelp", {"convert", "--help"}, 0, "--minimum-db", ""},
    {"Info", {"info", "--sensor", "alos", "--leader", "{dir}/led"}, 0, "-83 dB", ""},
    {"MissingOptions", {"convert", "--sensor", "alos"}, 2, "", "--leader"},
    {"NoCommand", {}, 2, "", "--help"},
    {"RawWithoutGeometry",
     {"convert", "--sensor", "alos", "--leader", "{dir}/led", "--source", "{dir}/img", "--output",
      "{dir}/out", "--source-format", "raw"},
     2,
     "",
     "--pixels"},
    {"MissingLeader",
     {"convert", "--sensor", "alos", "--leader", "{dir}/absent", "--source", "{dir}/img",
      "--output", "{dir}/out"},
     1,
     "",
     "absent"},
    {"RawGeometryOutOfLimits",
     {"convert", "--sensor", "alos", "--leader", "{dir}/led", "--source", "{dir}/img", "--output",
      "{dir}/out", "--source-format", "raw", "--pixels", "2", "--lines", "6"},
     1,
     "",
     "sigma0: "},
    {"OutputIsTheSource",
     {"convert", "--sensor", "alos", "--leader", "{dir}/led", "--source", "{dir}/img", "--output",
      "{dir}/img"},
     1,
     "",
     "img"},
    {"InfoOfMissingLeader",
     {"info", "--sensor", "alos2", "--leader", "{dir}/absent"},
     1,
     "",
     "absent"},
};

std::vector<std::string> Substituted(std::vector<std::string> args,
                                     const std::filesystem::path& dir) {
  for (std::string& arg : args) {
    if (const auto at = arg.find("{dir}"); at != std::string::npos) {
      arg.replace(at, 5, dir.string());
    }
  }
  return args;
}

class ExitStatus : public ::testing::TestWithParam<TStatusCase> {};

TEST_P(ExitStatus, MatchesTheOutcome) {
  const TStatusCase& c = GetParam();
  const TTempDir dir;
  WriteSceneLeader(dir / "led", TSensor::snALOS, "-83.0");
  WriteCeosImage(dir / "img", 8, 6, PatternDn());
  const std::string sourceBefore = ReadBytes(dir / "img");

  const TProcessResult result = RunSigma0(Substituted(c.Args, dir.Path()));

  EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Err;
  if (*c.OutContains == '\0') {
    EXPECT_EQ(result.Out, "");
  } else {
    EXPECT_NE(result.Out.find(c.OutContains), std::string::npos) << result.Out;
  }
  if (*c.ErrContains == '\0') {
    EXPECT_EQ(result.Err, "");
  } else {
    EXPECT_NE(result.Err.find(c.ErrContains), std::string::npos) << result.Err;
  }
  if (c.ExitCode == 1) {
    EXPECT_EQ(result.Err.rfind("sigma0: ", 0), 0u) << result.Err;
    EXPECT_EQ(result.Err.back(), '\n');
    EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{"img", "led"}));
  }
  EXPECT_EQ(ReadBytes(dir / "img"), sourceBefore);
}

INSTANTIATE_TEST_SUITE_P(Sigma0, ExitStatus, ::testing::ValuesIn(StatusCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Version, IsTheProjectVersion) {
  const TProcessResult result = RunSigma0({"--version"});
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Out, std::string("sigma0 ") + SIGMA0_PROJECT_VERSION + "\n");
  EXPECT_EQ(result.Err, "");
}

}  // namespace
}  // namespace sigma0::cli::testing
