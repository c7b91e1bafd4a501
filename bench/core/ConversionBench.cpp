// Converts a synthetic full-size PALSAR-2 scene to float32 and uint16 and compares the time with
// a bare std::log10 loop over as many doubles, the floor of an exact single-threaded conversion.
// Usage: sigma0_bench_core [--dir FOLDER] [--pixels N] [--lines N] [--small-lines N]
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ConversionRun.h"
#include "SyntheticScene.h"

namespace {

using namespace sigma0;
using Clock = std::chrono::steady_clock;

struct TOptions {
  std::filesystem::path Dir =
      std::filesystem::temp_directory_path() / ("sigma0-bench-" + std::to_string(::getpid()));
  bench::TSceneSize Full;
  std::int32_t SmallLines = 2000;
};

TOptions ParseOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--dir") {
      options.Dir = argv[i + 1];
    } else if (name == "--pixels") {
      options.Full.Pixels = std::stoi(argv[i + 1]);
    } else if (name == "--lines") {
      options.Full.Lines = std::stoi(argv[i + 1]);
    } else if (name == "--small-lines") {
      options.SmallLines = std::stoi(argv[i + 1]);
    }
  }
  return options;
}

class TCountingObserver final : public TRunObserver {
 public:
  void BeginProgress(std::int32_t) override {}
  void KeepResponsive() override { ++Pixels; }
  void StepProgress() override { ++Rows; }
  void ReportGeometry(std::int32_t, std::int32_t) override {}
  void ReportCalibrationFactor(double) override {}
  void ReportCompletion(const std::string&) override {}
  void ResetProgress() override {}
  std::int64_t Pixels = 0;
  std::int64_t Rows = 0;
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Peak resident memory since the last reset, in MiB (Linux: VmHWM, reset through clear_refs).
void ResetPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  if (!clear.flush()) {
    std::fprintf(stderr, "cannot reset the peak memory: figures are the process's lifetime peak\n");
  }
}

double PeakMemoryMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) {
      return std::stod(line.substr(6)) / 1024.0;
    }
  }
  return -1.0;
}

double Log10FloorSeconds(std::int64_t count) {
  // Means in the range of a speckled scene's, in no order, as the conversion meets them; a small
  // table stays in cache.
  std::vector<double> means(4096);
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  for (double& mean : means) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    mean = 1.0e4 + static_cast<double>(state >> 37);  // up to about 1.3e8
  }
  const Clock::time_point start = Clock::now();
  double sum = 0.0;
  for (std::int64_t i = 0; i < count; ++i) {
    sum += std::log10(means[static_cast<std::size_t>(i) & 4095]);
  }
  const double seconds = SecondsSince(start);
  std::printf("log10 floor: %lld doubles in %.3f s (checksum %.6g)\n",
              static_cast<long long>(count), seconds, sum);
  return seconds;
}

struct TMeasurement {
  double Seconds;
  double PeakMiB;
};

TMeasurement Convert(const TOptions& options, const std::filesystem::path& image,
                     TOutputDepth depth, bench::TSceneSize size) {
  TConversionJob job;
  job.Variant = {TSensor::snALOS2, TSourceKind::skCeosImage, depth};
  job.LeaderPath = options.Dir / "leader";
  job.SourcePath = image;
  // A fresh name each time: replacing an earlier output would time the freeing of its pages.
  job.OutputPath =
      options.Dir / (image.stem().string() + "-" + std::to_string(int(depth)) + ".img");
  job.MinimumDb = -40;
  TCountingObserver observer;
  ResetPeakMemory();
  const Clock::time_point start = Clock::now();
  RunConversion(job, observer);
  const TMeasurement result{SecondsSince(start), PeakMemoryMiB()};
  std::filesystem::remove(job.OutputPath);
  const std::int64_t expectedPixels = std::int64_t{size.Lines - 2} * (size.Pixels - 2);
  if (observer.Pixels != expectedPixels || observer.Rows != size.Lines) {
    std::fprintf(stderr, "unexpected observer counts\n");
    std::exit(1);
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const TOptions options = ParseOptions(argc, argv);
  std::filesystem::create_directories(options.Dir);
  const bench::TSceneSize small{options.Full.Pixels, options.SmallLines};
  bench::WriteSyntheticLeader(options.Dir / "leader", "-83.0000000");
  bench::WriteSyntheticCeosImage(options.Dir / "full.img", options.Full);
  bench::WriteSyntheticCeosImage(options.Dir / "small.img", small);
  const std::int64_t pixels = std::int64_t{options.Full.Lines - 2} * (options.Full.Pixels - 2);
  std::printf("scene: %d pixels x %d lines in %s\n", options.Full.Pixels, options.Full.Lines,
              options.Dir.c_str());
  const double floor = Log10FloorSeconds(pixels);

  for (TOutputDepth depth : {TOutputDepth::odFloat32, TOutputDepth::odUInt16}) {
    const char* name = depth == TOutputDepth::odFloat32 ? "float32" : "uint16";
    const TMeasurement smallRun = Convert(options, options.Dir / "small.img", depth, small);
    const TMeasurement full = Convert(options, options.Dir / "full.img", depth, options.Full);
    std::printf(
        "%-7s: %.3f s, %.1f Mpixel/s, ratio to log10 floor %.2f, peak memory %.1f MiB "
        "(%d lines: %.1f MiB)\n",
        name, full.Seconds, static_cast<double>(pixels) / full.Seconds / 1e6, full.Seconds / floor,
        full.PeakMiB, small.Lines, smallRun.PeakMiB);
  }
  std::filesystem::remove_all(options.Dir);
  return 0;
}
