// One conversion from a source image to a sigma-nought image and its ".hd1" header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "Types.h"

namespace sigma0 {

struct TConversionJob {
  TConversionVariant Variant{};
  std::filesystem::path LeaderPath;
  std::filesystem::path SourcePath;
  std::filesystem::path OutputPath;
  std::int32_t MinimumDb = -40;                       // 16-bit output only
  TByteOrder ByteOrder = TByteOrder::boLittleEndian;  // raw input and 16-bit output
  TImageGeometry RawGeometry{};                       // raw sources only; RecordLength unused
};

// The only way a run speaks to its caller. Calls come in this order: BeginProgress once,
// KeepResponsive after every computed pixel, StepProgress after every written row,
// ReportGeometry (CEOS sources only), ReportCalibrationFactor, ReportCompletion, ResetProgress.
// An exception thrown from any of them ends the run and leaves nothing behind but what was
// already complete.
class TRunObserver {
 public:
  virtual ~TRunObserver() = default;
  virtual void BeginProgress(std::int32_t lines) = 0;
  virtual void KeepResponsive() = 0;
  virtual void StepProgress() = 0;
  virtual void ReportGeometry(std::int32_t pixels, std::int32_t lines) = 0;
  virtual void ReportCalibrationFactor(double cf) = 0;
  virtual void ReportCompletion(const std::string& message) = 0;
  virtual void ResetProgress() = 0;
};

// What ReportCompletion receives when the image and its header are in place.
inline constexpr const char* CompletionMessage = " 保存終了 ";

// Performs the whole conversion on the calling thread. Throws TConversionError when the job is
// refused or the run fails; the output image and header are then as they were before the call.
void RunConversion(const TConversionJob& job, TRunObserver& observer);

// The header's path: the output's whole name with ".hd1" behind it.
std::filesystem::path Hd1PathFor(const std::filesystem::path& outputPath);

// The three lines of the header, each ended by CR LF.
std::string Hd1HeaderText(std::int32_t pixels, std::int32_t lines, TOutputDepth depth);

// Writes the header beside the output, replacing an existing one only once it is complete.
void WriteHd1Header(const std::filesystem::path& outputPath, std::int32_t pixels,
                    std::int32_t lines, TOutputDepth depth);

}  // namespace sigma0
