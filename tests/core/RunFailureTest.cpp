// Refused and failed runs: a clear message naming the file or numbers at fault, and nothing lost.
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "ConversionError.h"
#include "ConversionRun.h"
#include "RunFixture.h"

namespace sigma0 {
namespace {

using namespace sigma0::testing;

constexpr TConversionVariant AlosCeosFloat{TSensor::snALOS, TSourceKind::skCeosImage,
                                           TOutputDepth::odFloat32};
constexpr TConversionVariant Alos2CeosFloat{TSensor::snALOS2, TSourceKind::skCeosImage,
                                            TOutputDepth::odFloat32};
constexpr TConversionVariant AlosRawUInt16{TSensor::snALOS, TSourceKind::skRawInteger,
                                           TOutputDepth::odUInt16};

const std::string OldOutput = "the user's earlier output";
const std::string OldHeader = "9 width\r\n9 height\r\n4 data_type\r\n";

// A scene whose output and header already exist, to show that a failed run keeps them.
struct TFailingRun {
  TSceneDir scene;
  TConversionJob job;
  TRecordingObserver observer;
  std::vector<std::string> filesBefore;

  explicit TFailingRun(TConversionVariant variant = AlosCeosFloat, std::int32_t pixels = 5,
                       std::int32_t lines = 5)
      : job(scene.Job(variant, pixels, lines, Uniform1000)) {
    WriteBytes(job.OutputPath, OldOutput);
    WriteBytes(Hd1PathFor(job.OutputPath), OldHeader);
    filesBefore = FileNames(scene.Dir.Path());
  }

  // Runs the job expecting a TConversionError and returns its message.
  std::string Refusal() {
    try {
      RunConversion(job, observer);
    } catch (const TConversionError& error) {
      return error.what();
    }
    ADD_FAILURE() << "the run succeeded";
    return "";
  }

  void ExpectNothingLost() const {
    EXPECT_EQ(FileNames(scene.Dir.Path()), filesBefore);
    EXPECT_EQ(ReadBytes(job.OutputPath), OldOutput);
    EXPECT_EQ(ReadBytes(Hd1PathFor(job.OutputPath)), OldHeader);
  }
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(RefusedRun, FileThatCannotBeOpenedIsNamed) {
  for (const char* which : {"leader", "source", "output folder", "output is a folder"}) {
    TFailingRun run;
    std::filesystem::path named;
    if (which == std::string("leader")) {
      named = run.job.LeaderPath = run.scene.Dir / "no-such-leader";
    } else if (which == std::string("source")) {
      named = run.job.SourcePath = run.scene.Dir / "no-such-image";
    } else if (which == std::string("output folder")) {
      named = run.job.OutputPath = run.scene.Dir / "no-such-folder" / "out.img";
    } else {
      std::filesystem::create_directory(run.scene.Dir / "folder");
      named = run.job.OutputPath = run.scene.Dir / "folder";
      run.filesBefore = FileNames(run.scene.Dir.Path());
    }
    const std::string message = run.Refusal();
    EXPECT_TRUE(Contains(message, "'" + named.string() + "'")) << which << ": " << message;
    EXPECT_EQ(FileNames(run.scene.Dir.Path()), run.filesBefore) << which;
  }
}

struct TGeometryCase {
  const char* name;
  TConversionVariant variant;
  TImageGeometry descriptor;  // as the CEOS descriptor or the raw job states it
  std::vector<std::string> named;
};

class RefusedGeometry : public ::testing::TestWithParam<TGeometryCase> {};

TEST_P(RefusedGeometry, IsRefusedBeforeProgressNamingValuesAndLimits) {
  const TGeometryCase& c = GetParam();
  TFailingRun run(c.variant);
  if (c.variant.Source == TSourceKind::skCeosImage) {
    // Only the descriptor: the geometry is refused before the file's length matters.
    WriteBytes(run.job.SourcePath,
               CeosDescriptor(c.descriptor.Lines, c.descriptor.RecordLength, c.descriptor.Pixels));
  } else {
    run.job.RawGeometry = c.descriptor;
  }
  const std::string message = run.Refusal();
  for (const std::string& part : c.named) {
    EXPECT_TRUE(Contains(message, part)) << message << " lacks " << part;
  }
  EXPECT_TRUE(run.observer.Calls.empty());
  run.ExpectNothingLost();
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedGeometry,
    ::testing::Values(
        TGeometryCase{"TwoPixels", AlosCeosFloat, {2, 5, 196}, {"2", "3〜23000"}},
        TGeometryCase{"WiderThanAlos", AlosCeosFloat, {23001, 5, 46194}, {"23001", "3〜23000"}},
        TGeometryCase{"WiderThanAlos2", Alos2CeosFloat, {40001, 5, 80194}, {"40001", "3〜40000"}},
        TGeometryCase{"TwoLines", AlosCeosFloat, {5, 2, 202}, {"ライン数 2"}},
        TGeometryCase{"NegativeRecordLength", AlosCeosFloat, {5, 5, -1}, {"-1"}},
        TGeometryCase{"RawZeroByZero", AlosRawUInt16, {0, 0, 0}, {"ピクセル数 0", "ライン数 0"}},
        TGeometryCase{"RawNegativeLines", AlosRawUInt16, {5, -1, 0}, {"ライン数 -1"}},
        TGeometryCase{"RawHugeWidth", AlosRawUInt16, {INT32_MAX, 5, 0}, {"2147483647"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunConversion, Alos2TakesLinesWiderThanAlosCanHold) {
  TSceneDir scene;
  const TConversionJob job = scene.Job(Alos2CeosFloat, 23001, 3, Uniform1000);
  TRecordingObserver observer;
  RunConversion(job, observer);
  EXPECT_EQ(std::filesystem::file_size(job.OutputPath), 23001u * 3 * 4);
}

TEST(RefusedRun, SourceShorterThanItsGeometryNeeds) {
  for (TConversionVariant variant : {AlosCeosFloat, AlosRawUInt16}) {
    TFailingRun run(variant, 5, 4);
    const std::string bytes = ReadBytes(run.job.SourcePath);
    WriteBytes(run.job.SourcePath, bytes.substr(0, bytes.size() - 1));
    const std::string message = run.Refusal();
    EXPECT_TRUE(Contains(message, run.job.SourcePath.string())) << message;
    EXPECT_TRUE(Contains(message, std::to_string(bytes.size()) + " バイト")) << message;
    EXPECT_TRUE(run.observer.Calls.empty());
    run.ExpectNothingLost();
  }
}

TEST(RunConversion, ReadsASourceLongerThanItsGeometryAndAZeroRecordLength) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosRawUInt16, 3, 3, Uniform1000);
  WriteBytes(job.SourcePath, ReadBytes(job.SourcePath) + "trailing bytes");
  TRecordingObserver observer;
  RunConversion(job, observer);
  EXPECT_EQ(ReadBytes(job.OutputPath), Repeated(UInt16SampleBytes(17000, job.ByteOrder), 9));

  // Record length 0: every line reads the DN of line 0, whose 1000s give -23 dB.
  job = scene.Job(AlosCeosFloat, 3, 3, [](int k, int) { return TDn(k == 0 ? 1000 : 7); });
  WriteBytes(job.SourcePath, CeosDescriptor(3, 0, 3) + ReadBytes(job.SourcePath).substr(720, 198));
  RunConversion(job, observer);
  EXPECT_EQ(ReadBytes(job.OutputPath), Repeated(FloatSampleBytes(-23.0f), 9));
}

TEST(RefusedRun, OutputThatWouldOverwriteAnInputFile) {
  TFailingRun run;
  std::filesystem::create_symlink(run.job.LeaderPath, run.scene.Dir / "link-to-leader");
  run.filesBefore = FileNames(run.scene.Dir.Path());
  const std::string leader = ReadBytes(run.job.LeaderPath);
  const std::string source = ReadBytes(run.job.SourcePath);
  const std::filesystem::path dir = run.scene.Dir.Path();
  for (std::filesystem::path output :
       {run.job.LeaderPath, run.job.SourcePath, dir / "link-to-leader", dir / "." / "image"}) {
    run.job.OutputPath = output;
    EXPECT_TRUE(Contains(run.Refusal(), "'" + output.string() + "'"));
  }
  // The header beside an output named "image" minus its suffix would be the source itself.
  std::filesystem::rename(run.job.SourcePath, dir / "scene.hd1");
  run.job.SourcePath = dir / "scene.hd1";
  run.job.OutputPath = dir / "scene";
  EXPECT_TRUE(Contains(run.Refusal(), "scene.hd1"));
  EXPECT_EQ(ReadBytes(run.job.LeaderPath), leader);
  EXPECT_EQ(ReadBytes(run.job.SourcePath), source);
  EXPECT_FALSE(std::filesystem::exists(dir / "scene"));
}

TEST(FailedRun, ObserverExceptionLeavesNoNewFiles) {
  for (const char* call :
       {"BeginProgress", "StepProgress", "ReportGeometry", "ReportCalibrationFactor"}) {
    TFailingRun run;
    run.observer.ThrowFrom = call;
    EXPECT_THROW(RunConversion(run.job, run.observer), std::runtime_error) << call;
    run.ExpectNothingLost();
  }
}

TEST(FailedRun, SourceShrinkingDuringTheRunEndsItWithTheError) {
  TFailingRun run;
  run.observer.OnCall = [&run](const std::string& call) {
    if (call == "StepProgress") {
      std::filesystem::resize_file(run.job.SourcePath, 1000);
    }
  };
  const std::string message = run.Refusal();
  EXPECT_TRUE(Contains(message, "'" + run.job.SourcePath.string() + "'")) << message;
  EXPECT_EQ(std::count(run.observer.Calls.begin(), run.observer.Calls.end(),
                       "ReportCompletion 保存終了 "),
            0);
  run.ExpectNothingLost();
}

TEST(RefusedRun, LeaderOrDescriptorCutShortCreatesNothing) {
  for (bool cutLeader : {true, false}) {
    TFailingRun run;
    const std::filesystem::path& cut = cutLeader ? run.job.LeaderPath : run.job.SourcePath;
    WriteBytes(cut, ReadBytes(cut).substr(0, cutLeader ? 19330 : 700));
    const std::string message = run.Refusal();
    EXPECT_TRUE(Contains(message, "'" + cut.string() + "'")) << message;
    EXPECT_TRUE(run.observer.Calls.empty());
    run.ExpectNothingLost();
  }
}

TEST(FailedRun, ObserverExceptionAfterCompletionKeepsTheCompleteFiles) {
  TFailingRun run;
  run.observer.ThrowFrom = "ReportCompletion";
  EXPECT_THROW(RunConversion(run.job, run.observer), std::runtime_error);
  EXPECT_EQ(ReadBytes(run.job.OutputPath), Repeated(FloatSampleBytes(-23.0f), 25));
}

// A file size limit makes the output's writes fail half-way, as a full disk would.
TEST(FailedRunDeathTest, WriteFailureEndsTheRunWithTheErrorAndKeepsTheOldOutput) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TFailingRun run(AlosCeosFloat, 200, 200);  // 160000 bytes of output
  auto runUnderLimit = [&run] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{60000, 60000};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = run.Refusal();
    const bool named = Contains(message, "'" + run.job.OutputPath.string() + "'");
    const bool noCompletion = run.observer.Calls.back() == "StepProgress";
    run.ExpectNothingLost();
    std::exit(named && noCompletion && !::testing::Test::HasFailure() ? 0 : 1);
  };
  EXPECT_EXIT(runUnderLimit(), ::testing::ExitedWithCode(0), "");
}

// Offsets beyond 2 GiB: a sparse CEOS file whose last records lie past 2^31 bytes.
TEST(RunConversion, ReadsLinesBeyondTwoGibibytes) {
  TSceneDir scene;
  TConversionJob job = scene.Job(AlosCeosFloat, 3, 3, Uniform1000);
  constexpr std::int32_t lines = 2200;
  constexpr std::int32_t recordLength = 999999;
  const int fd = ::open(job.SourcePath.c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0);
  const std::string descriptor = CeosDescriptor(lines, recordLength, 3);
  ASSERT_EQ(::pwrite(fd, descriptor.data(), descriptor.size(), 0), 720);
  for (std::int32_t k = 0; k < lines; ++k) {
    const TDn dn = k < 2150 ? 1000 : 10000;  // the lines past 2^31 differ
    const std::string pixels = Repeated(std::string{char(dn >> 8), char(dn & 0xFF)}, 3);
    const off_t at = 912 + off_t{k} * recordLength;
    ASSERT_EQ(::pwrite(fd, pixels.data(), pixels.size(), at), 6);
  }
  ::close(fd);
  ASSERT_GT(std::filesystem::file_size(job.SourcePath), 2147483648u);

  TRecordingObserver observer;
  RunConversion(job, observer);
  const std::string output = ReadBytes(job.OutputPath);
  ASSERT_EQ(output.size(), std::size_t{lines} * 3 * 4);
  EXPECT_EQ(output.substr(0, 12), Repeated(FloatSampleBytes(-23.0f), 3));
  EXPECT_EQ(output.substr(output.size() - 12), Repeated(FloatSampleBytes(-3.0f), 3));
}

}  // namespace
}  // namespace sigma0
