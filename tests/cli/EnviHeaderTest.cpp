// The ENVI header beside the output: its fields, GDAL reading the image through it, and the
// header path refused before anything is written.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <regex>
#include <sstream>

#include "CliTestSupport.h"
#include "EnviHeader.h"

namespace sigma0::cli::testing {
namespace {

// "key = value" lines of an ENVI header; the first line must be "ENVI".
std::map<std::string, std::string> EnviFields(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "ENVI");
  std::map<std::string, std::string> fields;
  while (std::getline(lines, line)) {
    const auto equals = line.find(" = ");
    EXPECT_NE(equals, std::string::npos) << line;
    fields[line.substr(0, equals)] = line.substr(equals + 3);
  }
  return fields;
}

struct THeaderCase {
  const char* Name;
  TOutputDepth Depth;
  TByteOrder JobOrder;
  const char* DataType;
  const char* ByteOrder;
  bool IgnoreValue;
};

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const THeaderCase& c, std::ostream* os) {
  *os << c.Name;
}

const THeaderCase HeaderCases[] = {
    {"Float32", TOutputDepth::odFloat32, TByteOrder::boLittleEndian, "4", "0", true},
    // floats are written least significant byte first whatever the job says
    {"Float32BigEndianJob", TOutputDepth::odFloat32, TByteOrder::boBigEndian, "4", "0", true},
    {"UInt16LittleEndian", TOutputDepth::odUInt16, TByteOrder::boLittleEndian, "12", "0", false},
    {"UInt16BigEndian", TOutputDepth::odUInt16, TByteOrder::boBigEndian, "12", "1", false},
};

class EnviHeaderFields : public ::testing::TestWithParam<THeaderCase> {};

TEST_P(EnviHeaderFields, DescribeTheImageAsWritten) {
  const THeaderCase& c = GetParam();
  TConversionJob job;
  job.Variant = {TSensor::snALOS, TSourceKind::skCeosImage, c.Depth};
  job.ByteOrder = c.JobOrder;
  job.MinimumDb = -35;
  const auto fields = EnviFields(EnviHeaderText(job, 1234, 567));
  EXPECT_EQ(fields.at("samples"), "1234");
  EXPECT_EQ(fields.at("lines"), "567");
  EXPECT_EQ(fields.at("bands"), "1");
  EXPECT_EQ(fields.at("header offset"), "0");
  EXPECT_EQ(fields.at("interleave"), "bsq");
  EXPECT_EQ(fields.at("data type"), c.DataType);
  EXPECT_EQ(fields.at("byte order"), c.ByteOrder);
  EXPECT_EQ(fields.count("data ignore value"), c.IgnoreValue ? 1u : 0u);
  if (c.IgnoreValue) {
    EXPECT_EQ(fields.at("data ignore value"), "-100");
  } else {
    EXPECT_EQ(fields.at("data offset values"), "{-35}");
    EXPECT_EQ(fields.at("data gain values"), "{0.001}");
  }
}

INSTANTIATE_TEST_SUITE_P(Envi, EnviHeaderFields, ::testing::ValuesIn(HeaderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(EnviHeaderPath, AppendsToTheWholeName) {
  EXPECT_EQ(EnviHeaderPathFor("dir/scene.img"), std::filesystem::path("dir/scene.img.hdr"));
  EXPECT_EQ(EnviHeaderPathFor("scene"), std::filesystem::path("scene.hdr"));
}

constexpr std::int32_t Pixels = 9;
constexpr std::int32_t Lines = 7;

class EnviHeaderWithGdal : public ::testing::Test {
 protected:
  EnviHeaderWithGdal() {
    WriteSceneLeader(dir_ / "led", TSensor::snALOS, "-83.0");
    WriteCeosImage(dir_ / "img", Pixels, Lines, PatternDn());
  }

  TProcessResult Convert(std::vector<std::string> options) const {
    std::vector<std::string> args{"convert",
                                  "--sensor",
                                  "alos",
                                  "--leader",
                                  (dir_ / "led").string(),
                                  "--source",
                                  (dir_ / "img").string(),
                                  "--output",
                                  Output().string(),
                                  "--envi-header"};
    args.insert(args.end(), options.begin(), options.end());
    return RunSigma0(args);
  }

  std::filesystem::path Output() const { return dir_ / "out.img"; }

  // gdallocationinfo's value of one pixel.
  double GdalValueAt(std::int32_t pixel, std::int32_t line) const {
    const TProcessResult result =
        RunProgram(SIGMA0_GDALLOCATIONINFO,
                   {"-valonly", Output().string(), std::to_string(pixel), std::to_string(line)});
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    return std::stod(result.Out);
  }

  TTempDir dir_;
};

std::vector<float> ReadFloats(const std::string& bytes) {
  std::vector<float> values(bytes.size() / 4);
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::uint32_t bits = 0;
    for (int b = 3; b >= 0; --b) {
      bits = bits << 8 | static_cast<unsigned char>(bytes[4 * i + static_cast<std::size_t>(b)]);
    }
    values[i] = std::bit_cast<float>(bits);
  }
  return values;
}

TEST_F(EnviHeaderWithGdal, Float32OpensWithSizeTypeNoDataAndValues) {
  ASSERT_EQ(Convert({}).ExitCode, 0);
  const std::vector<float> values = ReadFloats(ReadBytes(Output()));
  ASSERT_EQ(values.size(), static_cast<std::size_t>(Pixels * Lines));
  std::vector<float> valid;
  std::copy_if(values.begin(), values.end(), std::back_inserter(valid),
               [](float v) { return v != -100.0f; });
  ASSERT_LT(valid.size(), values.size()) << "the fixture should hold no-data samples";
  const auto [min, max] = std::minmax_element(valid.begin(), valid.end());

  const TProcessResult info = RunProgram(SIGMA0_GDALINFO, {"-mm", Output().string()});

  ASSERT_EQ(info.ExitCode, 0) << info.Err;
  EXPECT_NE(info.Out.find("Driver: ENVI/"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("Size is 9, 7"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("Type=Float32"), std::string::npos) << info.Out;
  std::smatch match;
  ASSERT_TRUE(std::regex_search(info.Out, match, std::regex(R"(NoData Value=(\S+))"))) << info.Out;
  EXPECT_EQ(std::stod(match[1]), -100.0);
  ASSERT_TRUE(
      std::regex_search(info.Out, match, std::regex(R"(Computed Min/Max=(-?[0-9.]+),(-?[0-9.]+))")))
      << info.Out;
  EXPECT_NEAR(std::stod(match[1]), *min, 0.0005);
  EXPECT_NEAR(std::stod(match[2]), *max, 0.0005);
  for (const auto& [pixel, line] : {std::pair{5, 3}, std::pair{8, 6}, std::pair{0, 0}}) {
    EXPECT_NEAR(GdalValueAt(pixel, line), values[static_cast<std::size_t>(line * Pixels + pixel)],
                1e-5);
  }
}

TEST_F(EnviHeaderWithGdal, UInt16BigEndianOpensWithTheSamplesAsWritten) {
  ASSERT_EQ(Convert({"--depth", "uint16", "--byte-order", "big", "--minimum-db", "-35"}).ExitCode,
            0);
  const std::string bytes = ReadBytes(Output());
  const std::int32_t pixel = 5;
  const std::int32_t line = 3;
  const std::size_t at = 2 * static_cast<std::size_t>(line * Pixels + pixel);
  const auto high = static_cast<unsigned char>(bytes[at]);
  const auto low = static_cast<unsigned char>(bytes[at + 1]);
  ASSERT_NE(high, low) << "a sample that reads the same in both orders proves nothing";

  const TProcessResult info = RunProgram(SIGMA0_GDALINFO, {Output().string()});

  ASSERT_EQ(info.ExitCode, 0) << info.Err;
  EXPECT_NE(info.Out.find("Size is 9, 7"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("Type=UInt16"), std::string::npos) << info.Out;
  // QGIS shows sigma-nought in dB through the scale and offset.
  EXPECT_NE(info.Out.find("Offset: -35,   Scale:0.001"), std::string::npos) << info.Out;
  EXPECT_DOUBLE_EQ(GdalValueAt(pixel, line), 256.0 * high + low);
}

TEST_F(EnviHeaderWithGdal, WithoutTheOptionNoHeaderIsWritten) {
  const TProcessResult result =
      RunSigma0({"convert", "--sensor", "alos", "--leader", (dir_ / "led").string(), "--source",
                 (dir_ / "img").string(), "--output", Output().string()});
  ASSERT_EQ(result.ExitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(EnviHeaderPathFor(Output())));
}

TEST_F(EnviHeaderWithGdal, HeaderPathNamingTheLeaderIsRefusedBeforeTheRun) {
  std::filesystem::rename(dir_ / "led", dir_ / "out.img.hdr");
  const std::string leaderBefore = ReadBytes(dir_ / "out.img.hdr");
  const TProcessResult result = RunSigma0(
      {"convert", "--sensor", "alos", "--leader", (dir_ / "out.img.hdr").string(), "--source",
       (dir_ / "img").string(), "--output", Output().string(), "--envi-header"});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err.rfind("sigma0: ", 0), 0u);
  EXPECT_NE(result.Err.find("out.img.hdr"), std::string::npos) << result.Err;
  EXPECT_EQ(ReadBytes(dir_ / "out.img.hdr"), leaderBefore);
  EXPECT_EQ(FileNames(dir_.Path()), (std::vector<std::string>{"img", "out.img.hdr"}));
}

TEST_F(EnviHeaderWithGdal, HeaderPathThatIsADirectoryIsRefusedBeforeTheRun) {
  std::filesystem::create_directory(EnviHeaderPathFor(Output()));
  const TProcessResult result = Convert({});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err.rfind("sigma0: ", 0), 0u);
  EXPECT_NE(result.Err.find("out.img.hdr"), std::string::npos) << result.Err;
  EXPECT_EQ(FileNames(dir_.Path()), (std::vector<std::string>{"img", "led", "out.img.hdr"}));
}

}  // namespace
}  // namespace sigma0::cli::testing
