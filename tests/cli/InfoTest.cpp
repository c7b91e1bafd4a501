// sigma0 info: CF at the chosen sensor's offset, the image geometry, and the warning when the
// leader belongs to the other sensor.
#include <gtest/gtest.h>

#include <ostream>

#include "CliTestSupport.h"

namespace sigma0::cli::testing {
namespace {

TEST(Info, ShowsCalibrationFactorAndGeometry) {
  const TTempDir dir;
  WriteSceneLeader(dir / "led", TSensor::snALOS, "-12.25");
  WriteCeosImage(dir / "img", 9, 7, PatternDn());

  const TProcessResult result =
      RunSigma0({"info", "--sensor", "alos", "--leader", (dir / "led").string(), "--source",
                 (dir / "img").string()});

  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Out,
            "sensor: ALOS\n"
            "calibration factor: -12.25 dB (byte 19328 of the leader)\n"
            "pixels: 9\n"
            "lines: 7\n"
            "record length: 210 bytes\n");
  EXPECT_EQ(result.Err, "");
}

struct TLeaderCase {
  const char* Name;
  TSensor LeaderOf;         // whose offset holds the CF text
  const char* AskedSensor;  // --sensor
  const char* ShownCf;      // in the calibration factor line
  const char* WarningHint;  // "" when no warning is due
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const TLeaderCase& c, std::ostream* os) {
  *os << c.Name;
}

const TLeaderCase LeaderCases[] = {
    {"Alos2LeaderAsAlos2", TSensor::snALOS2, "alos2", "-83 dB (byte 27520", ""},
    {"Alos2LeaderAtAlosOffset", TSensor::snALOS2, "alos", "0 dB (byte 19328",
     "at byte 19328 is blank, so CF reads 0.0: this does not look like an ALOS leader (its ALOS-2 "
     "field holds \"-83.0\"; use --sensor alos2)"},
    {"AlosLeaderAtAlos2Offset", TSensor::snALOS, "alos2", "0 dB (byte 27520",
     "at byte 27520 is blank, so CF reads 0.0: this does not look like an ALOS-2 leader (its ALOS "
     "field holds \"-83.0\"; use --sensor alos)"},
};

class InfoOfLeader : public ::testing::TestWithParam<TLeaderCase> {};

TEST_P(InfoOfLeader, ReadsTheChosenOffsetAndWarnsOfABlankField) {
  const TLeaderCase& c = GetParam();
  const TTempDir dir;
  WriteSceneLeader(dir / "led", c.LeaderOf, "-83.0");

  const TProcessResult result =
      RunSigma0({"info", "--sensor", c.AskedSensor, "--leader", (dir / "led").string()});

  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_NE(result.Out.find(std::string("calibration factor: ") + c.ShownCf), std::string::npos)
      << result.Out;
  if (*c.WarningHint == '\0') {
    EXPECT_EQ(result.Err, "");
  } else {
    EXPECT_EQ(result.Err.rfind("sigma0: warning: ", 0), 0u) << result.Err;
    EXPECT_NE(result.Err.find(c.WarningHint), std::string::npos) << result.Err;
  }
}

INSTANTIATE_TEST_SUITE_P(Sigma0, InfoOfLeader, ::testing::ValuesIn(LeaderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Info, BlankFieldWithoutAnotherSensorsCfWarnsWithoutAHint) {
  const TTempDir dir;
  WriteSceneLeader(dir / "led", TSensor::snALOS, "");  // both fields blank

  const TProcessResult result =
      RunSigma0({"info", "--sensor", "alos", "--leader", (dir / "led").string()});

  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_NE(result.Err.find("does not look like an ALOS leader\n"), std::string::npos)
      << result.Err;
  EXPECT_EQ(result.Err.find("--sensor"), std::string::npos);
}

TEST(Info, RefusesAnImageShorterThanItsDescriptor) {
  const TTempDir dir;
  WriteSceneLeader(dir / "led", TSensor::snALOS, "-83.0");
  WriteCeosImage(dir / "img", 9, 7, PatternDn());
  std::filesystem::resize_file(dir / "img", 300);

  const TProcessResult result =
      RunSigma0({"info", "--sensor", "alos", "--leader", (dir / "led").string(), "--source",
                 (dir / "img").string()});

  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err.rfind("sigma0: ", 0), 0u);
  EXPECT_NE(result.Err.find("img"), std::string::npos) << result.Err;
  EXPECT_EQ(result.Out, "");
}

}  // namespace
}  // namespace sigma0::cli::testing
