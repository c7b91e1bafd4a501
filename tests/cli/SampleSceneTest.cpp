// The sample scene: the same bytes on every run and machine, a scene that sigma0 reads as an
// ALOS product with CF -83.0, and DN that look like speckle inside a zero margin.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "CliTestSupport.h"
#include "SampleScene.h"

namespace sigma0::cli::testing {
namespace {

using namespace sigma0::sample;

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char c : bytes) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
  }
  return hash;
}

class SampleScene : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TTempDir;
    made_ = RunProgram(SIGMA0_MAKE_SAMPLE, {(dir_->Path() / "scene").string()});
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::filesystem::path File(const char* name) { return dir_->Path() / "scene" / name; }

  static inline TTempDir* dir_ = nullptr;
  static inline TProcessResult made_;
};

TEST_F(SampleScene, IsWrittenSilently) {
  EXPECT_EQ(made_.ExitCode, 0) << made_.Err;
  EXPECT_EQ(made_.Out, "");
  EXPECT_EQ(made_.Err, "");
}

// Digests of the scene as first made (and made alike by GCC and Clang): a change means the scene
// is no longer the one the README shows, or, on another machine, that the generator depends on
// the platform.
TEST_F(SampleScene, HasTheSameBytesEverywhere) {
  EXPECT_EQ(Fnv1a(ReadBytes(File(SampleLeaderName))), 8865213929439553654ULL);
  EXPECT_EQ(Fnv1a(ReadBytes(File(SampleImageName))), 13539236131018864433ULL);
  EXPECT_EQ(Fnv1a(ReadBytes(File(SampleRawName))), 14417350262872089738ULL);
}

TEST_F(SampleScene, IsAnAlosSceneWithCfMinus83) {
  const TProcessResult info =
      RunSigma0({"info", "--sensor", "alos", "--leader", File(SampleLeaderName).string(),
                 "--source", File(SampleImageName).string()});
  EXPECT_EQ(info.ExitCode, 0) << info.Err;
  EXPECT_EQ(info.Out,
            "sensor: ALOS\n"
            "calibration factor: -83 dB (byte 19328 of the leader)\n"
            "pixels: 512\n"
            "lines: 512\n"
            "record length: 1216 bytes\n");
  EXPECT_EQ(info.Err, "");
}

TEST_F(SampleScene, RawFileHoldsTheDnOfTheCeosImage) {
  const std::string ceos = ReadBytes(File(SampleImageName));
  const std::string raw = ReadBytes(File(SampleRawName));
  ASSERT_EQ(raw.size(), 2u * SamplePixels * SampleLines);
  for (std::int32_t line = 0; line < SampleLines; ++line) {
    for (std::int32_t pixel = 0; pixel < SamplePixels; ++pixel) {
      const std::size_t ceosAt = 912 + static_cast<std::size_t>(line) * 1216 + 2 * pixel;
      const std::size_t rawAt = 2 * (static_cast<std::size_t>(line) * SamplePixels + pixel);
      ASSERT_EQ(ceos[ceosAt], raw[rawAt + 1]) << line << ", " << pixel;
      ASSERT_EQ(ceos[ceosAt + 1], raw[rawAt]) << line << ", " << pixel;
    }
  }
}

TEST(SampleDn, IsSpeckleInsideAZeroMargin) {
  const std::vector<std::uint16_t> dn = SampleDn();
  ASSERT_EQ(dn.size(), static_cast<std::size_t>(SamplePixels) * SampleLines);
  const auto at = [&](std::int32_t line, std::int32_t pixel) {
    return dn[static_cast<std::size_t>(line) * SamplePixels + static_cast<std::size_t>(pixel)];
  };
  for (std::int32_t i = 0; i < SamplePixels; ++i) {
    EXPECT_EQ(at(0, i), 0);
    EXPECT_EQ(at(SampleLines - 1, i), 0);
    EXPECT_EQ(at(i, 0), 0);
    EXPECT_EQ(at(i, SamplePixels - 1), 0);
  }
  // Speckle: neighbours within one field differ, and the spread is of the order of the mean
  // (a Rayleigh amplitude has a standard deviation of about half its mean).
  std::vector<double> field;
  for (std::int32_t line = 192; line < 224; ++line) {
    for (std::int32_t pixel = 64; pixel < 96; ++pixel) {
      ASSERT_NE(at(line, pixel), 0) << line << ", " << pixel;
      field.push_back(at(line, pixel));
    }
  }
  const double mean = std::accumulate(field.begin(), field.end(), 0.0) / field.size();
  double variance = 0.0;
  for (const double v : field) {
    variance += (v - mean) * (v - mean) / field.size();
  }
  EXPECT_NEAR(std::sqrt(variance) / mean, 0.52, 0.08);
}

TEST_F(SampleScene, ConvertsWithSigma0) {
  const std::filesystem::path output = dir_->Path() / "sample-sigma0.img";
  const TProcessResult result = RunSigma0(
      {"convert", "--sensor", "alos", "--leader", File(SampleLeaderName).string(), "--source",
       File(SampleImageName).string(), "--output", output.string(), "--envi-header"});
  EXPECT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(result.Out, output.string() + ": 512 pixels, 512 lines, CF -83 dB\n");
  EXPECT_EQ(std::filesystem::file_size(output), 512u * 512u * 4u);
}

}  // namespace
}  // namespace sigma0::cli::testing
