#include "ConversionRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Backscatter.h"
#include "ConversionVariants.h"
#include "RunFixture.h"

namespace sigma0 {
namespace {

using namespace sigma0::testing;

constexpr TConversionVariant AlosCeosFloat{TSensor::snALOS, TSourceKind::skCeosImage,
                                           TOutputDepth::odFloat32};

// Line k holds DN 100·(k+1) everywhere, so the row of centre line c has the mean intensity
// of lines c-1, c and c+1 and tells which centre line it came from.
TDn LineNumberDn(std::int32_t k, std::int32_t) {
  return static_cast<TDn>(100 * (k + 1));
}

float RowValueOfCentre(std::int32_t c) {
  double sum = 0;
  for (std::int32_t k = c - 1; k <= c + 1; ++k) {
    sum += 3.0 * (100.0 * (k + 1)) * (100.0 * (k + 1));
  }
  return static_cast<float>(BackscatterDb(sum * OneNinth, AlosCf));
}

std::vector<std::string> RunCalls(std::int32_t lines, std::int32_t pixels, bool ceos) {
  std::vector<std::string> calls{"BeginProgress " + std::to_string(lines)};
  calls.insert(calls.end(), static_cast<std::size_t>(lines), "StepProgress");
  if (ceos) {
    calls.push_back("ReportGeometry " + std::to_string(pixels) + " " + std::to_string(lines));
  }
  calls.push_back("ReportCalibrationFactor");
  calls.push_back("ReportCompletion 保存終了 ");
  calls.push_back("ResetProgress");
  return calls;
}

struct TRowCase {
  std::int32_t lines;
  std::vector<std::int32_t> centreOfRow;
};

class RowRepetition : public ::testing::TestWithParam<TRowCase> {};

TEST_P(RowRepetition, EdgeRowsRepeatTheFirstAndLastComputedRows) {
  const TRowCase& rows = GetParam();
  TSceneDir scene;
  const TConversionJob job = scene.Job(AlosCeosFloat, 4, rows.lines, LineNumberDn);
  TRecordingObserver observer;
  RunConversion(job, observer);

  std::string expected;
  for (std::int32_t c : rows.centreOfRow) {
    expected += Repeated(FloatSampleBytes(RowValueOfCentre(c)), 4);
  }
  EXPECT_EQ(ReadBytes(job.OutputPath), expected);
  EXPECT_EQ(observer.Calls, RunCalls(rows.lines, 4, true));
  EXPECT_EQ(observer.KeepResponsiveCalls, (rows.lines - 2) * 2);
  EXPECT_EQ(observer.CalibrationFactor, AlosCf);
  EXPECT_EQ(ReadBytes(Hd1PathFor(job.OutputPath)),
            "4 width\r\n" + std::to_string(rows.lines) + " height\r\n4 data_type\r\n");
}

INSTANTIATE_TEST_SUITE_P(Lines, RowRepetition,
                         ::testing::Values(TRowCase{3, {1, 1, 1}}, TRowCase{4, {1, 1, 2, 2}},
                                           TRowCase{6, {1, 1, 2, 3, 4, 4}}));

// Every variant once: CF from its sensor's offset, samples in its depth and byte order.
class EveryVariant : public ::testing::TestWithParam<TVariantInfo> {};

std::string ExpectedUniformImage(const TConversionVariant& variant, TByteOrder order,
                                 std::int64_t samples) {
  const double sigma0 = 10.0 * std::log10(1000000.0) + CfOf(variant.Sensor);  // -23 or -13 dB
  if (variant.Depth == TOutputDepth::odFloat32) {
    return Repeated(FloatSampleBytes(static_cast<float>(sigma0)), samples);
  }
  const auto value = static_cast<std::uint16_t>(std::lround((sigma0 + 40.0) * 1000.0));
  return Repeated(UInt16SampleBytes(value, order), samples);
}

TEST_P(EveryVariant, ConvertsASmallSceneEndToEnd) {
  const TVariantInfo& info = GetParam();
  const bool ceos = info.Variant.Source == TSourceKind::skCeosImage;
  for (TByteOrder order : {TByteOrder::boBigEndian, TByteOrder::boLittleEndian}) {
    TSceneDir scene;
    TConversionJob job = scene.Job(info.Variant, 5, 4, Uniform1000, order);
    TRecordingObserver observer;
    RunConversion(job, observer);

    EXPECT_EQ(ReadBytes(job.OutputPath), ExpectedUniformImage(info.Variant, order, 5 * 4));
    EXPECT_EQ(ReadBytes(Hd1PathFor(job.OutputPath)),
              "5 width\r\n4 height\r\n" + std::to_string(info.DataType) + " data_type\r\n");
    EXPECT_EQ(observer.Calls, RunCalls(4, 5, ceos));
    EXPECT_EQ(observer.CalibrationFactor, CfOf(info.Variant.Sensor));
    std::vector<std::string> expectedFiles{job.SourcePath.filename().string(), "leader", "out.img",
                                           "out.img.hd1"};
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(FileNames(scene.Dir.Path()), expectedFiles);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, EveryVariant, ::testing::ValuesIn(ConversionVariants));

TEST(RunConversion, CeosFloatIgnoresByteOrderAndMinimum) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 6, 5, LineNumberDn);
  TRecordingObserver observer;
  RunConversion(job, observer);
  const std::string first = ReadBytes(job.OutputPath);
  job.ByteOrder = TByteOrder::boBigEndian;
  job.MinimumDb = 7;
  RunConversion(job, observer);
  EXPECT_EQ(ReadBytes(job.OutputPath), first);
}

TEST(RunConversion, ZeroNeighbourhoodsAreNoDataAndTheEdgesRepeatTheirNeighbours) {
  // A single non-zero DN at line 2, pixel 2 of a 5 x 5 image reaches the pixels around it only.
  TSceneDir scene;
  const TConversionJob job = scene.Job(AlosCeosFloat, 5, 5, [](std::int32_t k, std::int32_t j) {
    return TDn(k == 2 && j == 2 ? 3 : 0);
  });
  TRecordingObserver observer;
  RunConversion(job, observer);
  const std::string lit = FloatSampleBytes(-83.0f);
  const std::string row = Repeated(lit, 5);  // pixels 1..3 see the DN, the edges copy them
  EXPECT_EQ(ReadBytes(job.OutputPath), Repeated(row, 5));

  TConversionJob wide = scene.Job(AlosCeosFloat, 6, 3, [](std::int32_t k, std::int32_t j) {
    return TDn(k == 1 && j == 1 ? 3 : 0);
  });
  RunConversion(wide, observer);
  const std::string noData = FloatSampleBytes(NoDataDb);
  EXPECT_EQ(ReadBytes(wide.OutputPath), Repeated(lit + lit + lit + noData + noData + noData, 3));
}

TEST(RunConversion, UInt16HeaderOfAThousandByTwoThousandImageIs38Bytes) {
  EXPECT_EQ(Hd1HeaderText(1000, 2000, TOutputDepth::odUInt16),
            "1000 width\r\n2000 height\r\n2 data_type\r\n");
  EXPECT_EQ(Hd1HeaderText(1000, 2000, TOutputDepth::odUInt16).size(), 38u);
}

TEST(RunConversion, HeaderNameAppendsToTheWholeOutputName) {
  EXPECT_EQ(Hd1PathFor("dir/scene"), std::filesystem::path("dir/scene.hd1"));
  EXPECT_EQ(Hd1PathFor("dir/scene.img"), std::filesystem::path("dir/scene.img.hd1"));
}

TEST(RunConversion, ReplacesAnExistingOutputAndHeaderWithoutAsking) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 3, 3, Uniform1000);
  WriteBytes(job.OutputPath, std::string(1000, 'x'));
  WriteBytes(Hd1PathFor(job.OutputPath), "old header, longer than the new one\r\n");
  TRecordingObserver observer;
  RunConversion(job, observer);
  EXPECT_EQ(ReadBytes(job.OutputPath), Repeated(FloatSampleBytes(-23.0f), 9));
  EXPECT_EQ(ReadBytes(Hd1PathFor(job.OutputPath)), "3 width\r\n3 height\r\n4 data_type\r\n");
}

TEST(RunConversion, OutputNamedThroughALinkReplacesTheLinkedFile) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 3, 3, Uniform1000);
  std::filesystem::create_directory(scene.Dir / "results");
  WriteBytes(scene.Dir / "results" / "target.img", "old");
  std::filesystem::create_symlink(scene.Dir / "results" / "target.img", scene.Dir / "link.img");
  job.OutputPath = scene.Dir / "link.img";
  TRecordingObserver observer;
  RunConversion(job, observer);
  EXPECT_TRUE(std::filesystem::is_symlink(job.OutputPath));
  EXPECT_EQ(ReadBytes(scene.Dir / "results" / "target.img"), Repeated(FloatSampleBytes(-23.0f), 9));
  EXPECT_EQ(FileNames(scene.Dir / "results"), std::vector<std::string>{"target.img"});
  EXPECT_TRUE(std::filesystem::exists(scene.Dir / "link.img.hd1"));
}

TEST(RunConversion, OutputNamedThroughADanglingLinkCreatesTheLinkedFile) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 3, 3, Uniform1000);
  std::filesystem::create_symlink(scene.Dir / "new.img", scene.Dir / "link.img");
  job.OutputPath = scene.Dir / "link.img";
  TRecordingObserver observer;
  RunConversion(job, observer);
  EXPECT_TRUE(std::filesystem::is_symlink(job.OutputPath));
  EXPECT_EQ(ReadBytes(scene.Dir / "new.img"), Repeated(FloatSampleBytes(-23.0f), 9));
}

TEST(WriteHd1Header, ReplacesTheHeaderBesideTheOutput) {
  TTempDir dir;
  WriteBytes(dir / "scene.img.hd1", "an older and longer header\r\n");
  WriteHd1Header(dir / "scene.img", 1000, 2000, TOutputDepth::odUInt16);
  EXPECT_EQ(ReadBytes(dir / "scene.img.hd1"), "1000 width\r\n2000 height\r\n2 data_type\r\n");
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"scene.img.hd1"});
}

TEST(RunConversion, CompletionIsReportedWhenImageAndHeaderAreInPlace) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 4, 4, Uniform1000);
  TRecordingObserver observer;
  observer.OnCall = [&](const std::string& call) {
    if (!call.starts_with("ReportCompletion")) {
      return;
    }
    EXPECT_EQ(ReadBytes(job.OutputPath).size(), 4u * 4 * 4);
    EXPECT_EQ(ReadBytes(Hd1PathFor(job.OutputPath)).size(), 32u);
    EXPECT_EQ(FileNames(scene.Dir.Path()).size(), 4u) << "temporary files left beside the output";
  };
  RunConversion(job, observer);
  EXPECT_EQ(observer.Calls.back(), "ResetProgress");
}

TEST(RunConversion, AcceptsAnOutputPathLongerThanFiveHundredBytes) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 3, 3, Uniform1000);
  std::filesystem::path folder = scene.Dir.Path();
  for (int i = 0; i < 6; ++i) {
    folder /= std::string(100, char('a' + i));
  }
  std::filesystem::create_directories(folder);
  job.OutputPath = folder / "out.img";
  ASSERT_GT(job.OutputPath.string().size(), 600u);
  TRecordingObserver observer;
  RunConversion(job, observer);
  EXPECT_EQ(ReadBytes(Hd1PathFor(job.OutputPath)), "3 width\r\n3 height\r\n4 data_type\r\n");
}

}  // namespace
}  // namespace sigma0
