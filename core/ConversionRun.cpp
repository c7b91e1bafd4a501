#include "ConversionRun.h"

#include <memory>
#include <string>
#include <vector>

#include "Backscatter.h"
#include "CeosFiles.h"
#include "ConversionError.h"
#include "ConversionVariants.h"
#include "Files.h"
#include "RawSource.h"
#include "UInt16Encoding.h"

namespace sigma0 {
namespace {

const std::string LeaderRole = "リーダファイル";
const std::string CeosImageRole = "イメージファイル";
const std::string RawImageRole = "RAWファイル";
const std::string OutputRole = "出力ファイル";
const std::string HeaderRole = "ヘッダファイル";

bool IsCeos(const TConversionJob& job) {
  return job.Variant.Source == TSourceKind::skCeosImage;
}

std::unique_ptr<TSourceReader> MakeReader(const TConversionJob& job, const TInputFile& source) {
  if (IsCeos(job)) {
    return std::make_unique<TCeosImageReader>(source);
  }
  return std::make_unique<TRawIntegerReader>(source, job.RawGeometry, job.ByteOrder);
}

// Pixels below 3 leave no interior pixel, Lines below 3 no computed row; a negative record
// length would read before the first line. A raw source's record length follows from its width,
// so only a CEOS descriptor can state a wrong one.
void CheckGeometry(const TImageGeometry& geometry, std::int32_t maxPixels, bool ceos,
                   const TInputFile& source) {
  std::string faults;
  auto fault = [&faults](const std::string& text) {
    faults += (faults.empty() ? "" : "、") + text;
  };
  if (geometry.Pixels < 3 || geometry.Pixels > maxPixels) {
    fault("ピクセル数 " + std::to_string(geometry.Pixels) + " は 3〜" + std::to_string(maxPixels) +
          " の範囲外です");
  }
  if (geometry.Lines < 3) {
    fault("ライン数 " + std::to_string(geometry.Lines) + " は 3 未満です");
  }
  if (ceos && geometry.RecordLength < 0) {
    fault("レコード長 " + std::to_string(geometry.RecordLength) + " は負の値です");
  }
  if (!faults.empty()) {
    throw TConversionError(source.Role() + " " + QuotedPath(source.Path()) +
                           " の画像は変換できません: " + faults);
  }
}

void CheckSourceSize(const TSourceReader& reader, const TImageGeometry& geometry,
                     const TInputFile& source) {
  const std::int64_t required = reader.RequiredSize();
  if (source.Size() < required) {
    throw TConversionError(source.Role() + " " + QuotedPath(source.Path()) +
                           " が短すぎます: ピクセル数 " + std::to_string(geometry.Pixels) +
                           "、ライン数 " + std::to_string(geometry.Lines) + " の画像には " +
                           std::to_string(required) + " バイトが必要です（ファイルは " +
                           std::to_string(source.Size()) + " バイト）");
  }
}

// Writing a target replaces its file, so it must not be one of the files being read.
void CheckWritable(const std::filesystem::path& target, const std::string& role,
                   const TInputFile& leader, const TInputFile& source) {
  for (const TInputFile* input : {&leader, &source}) {
    if (input->IsSameFileAs(target)) {
      throw TConversionError(role + " " + QuotedPath(target) + " は" + input->Role() + " " +
                             QuotedPath(input->Path()) + " と同じファイルです");
    }
  }
  CheckReplaceable(target, role);
}

void FillHd1Header(TStagedOutputFile& header, std::int32_t pixels, std::int32_t lines,
                   TOutputDepth depth) {
  const std::string text = Hd1HeaderText(pixels, lines, depth);
  header.Write(std::as_bytes(std::span(text)));
  header.Finish();
}

// The first and the last computed rows stand in for the edge rows, which have no line above or
// below them.
int CopiesOfRow(std::int32_t centre, std::int32_t lines) {
  return 1 + (centre == 1 ? 1 : 0) + (centre == lines - 2 ? 1 : 0);
}

// Three source lines and one output row: all the image data a run holds, whatever its size.
template <class TSample>
class TRowWalker {
 public:
  TRowWalker(const TSourceReader& reader, const TImageGeometry& geometry, std::int32_t maxPixels)
      : reader_(reader), geometry_(geometry), lines_(3 * std::size_t(maxPixels)), row_(maxPixels) {}

  template <class TComputeRow>
  void WriteRows(TStagedOutputFile& output, TRunObserver& observer, TComputeRow&& computeRow) {
    const auto pixels = static_cast<std::size_t>(geometry_.Pixels);
    const std::span<TDn> above(lines_.data(), pixels);
    const std::span<TDn> centre(lines_.data() + pixels, pixels);
    const std::span<TDn> below(lines_.data() + 2 * pixels, pixels);
    const std::span<TSample> row(row_.data(), pixels);
    for (std::int32_t c = 1; c <= geometry_.Lines - 2; ++c) {
      reader_.ReadLine(c - 1, above.data());
      reader_.ReadLine(c, centre.data());
      reader_.ReadLine(c + 1, below.data());
      computeRow(TLineWindow{above, centre, below}, row);
      for (int copy = CopiesOfRow(c, geometry_.Lines); copy > 0; --copy) {
        output.Write(std::as_bytes(row));
        observer.StepProgress();
      }
    }
  }

 private:
  const TSourceReader& reader_;
  const TImageGeometry& geometry_;
  std::vector<TDn> lines_;
  std::vector<TSample> row_;
};

void WriteImage(const TConversionJob& job, const TSourceReader& reader,
                const TImageGeometry& geometry, double cf, TStagedOutputFile& output,
                TRunObserver& observer) {
  const std::int32_t maxPixels = MaxPixelsOf(job.Variant.Sensor);
  auto hook = [&observer] { observer.KeepResponsive(); };
  if (job.Variant.Depth == TOutputDepth::odFloat32) {
    TRowWalker<float> walker(reader, geometry, maxPixels);
    walker.WriteRows(output, observer, [&](const TLineWindow& window, std::span<float> row) {
      ComputeBackscatterRow(window, cf, hook, row);
    });
  } else {
    TRowWalker<TUInt16Bytes> walker(reader, geometry, maxPixels);
    walker.WriteRows(output, observer, [&](const TLineWindow& window, std::span<TUInt16Bytes> row) {
      EncodeUInt16Row(window, cf, job.MinimumDb, job.ByteOrder, hook, row);
    });
  }
}

}  // namespace

std::filesystem::path Hd1PathFor(const std::filesystem::path& outputPath) {
  std::filesystem::path header = outputPath;
  header += ".hd1";
  return header;
}

std::string Hd1HeaderText(std::int32_t pixels, std::int32_t lines, TOutputDepth depth) {
  return std::to_string(pixels) + " width\r\n" + std::to_string(lines) + " height\r\n" +
         std::to_string(DataTypeCode(depth)) + " data_type\r\n";
}

void WriteHd1Header(const std::filesystem::path& outputPath, std::int32_t pixels,
                    std::int32_t lines, TOutputDepth depth) {
  TStagedOutputFile header(Hd1PathFor(outputPath), HeaderRole);
  FillHd1Header(header, pixels, lines, depth);
  header.Commit();
}

void RunConversion(const TConversionJob& job, TRunObserver& observer) {
  const TInputFile leader(job.LeaderPath, LeaderRole);
  const TInputFile source(job.SourcePath, IsCeos(job) ? CeosImageRole : RawImageRole);
  const double cf = ReadCalibrationFactor(leader, job.Variant.Sensor);
  const std::unique_ptr<TSourceReader> reader = MakeReader(job, source);
  const TImageGeometry geometry = reader->ReadGeometry();
  CheckGeometry(geometry, MaxPixelsOf(job.Variant.Sensor), IsCeos(job), source);
  CheckSourceSize(*reader, geometry, source);
  CheckWritable(job.OutputPath, OutputRole, leader, source);
  CheckWritable(Hd1PathFor(job.OutputPath), HeaderRole, leader, source);

  observer.BeginProgress(geometry.Lines);
  TStagedOutputFile image(job.OutputPath, OutputRole);
  WriteImage(job, *reader, geometry, cf, image, observer);
  if (IsCeos(job)) {
    observer.ReportGeometry(geometry.Pixels, geometry.Lines);
  }
  observer.ReportCalibrationFactor(cf);

  // Both files complete before either replaces what the user had.
  image.Finish();
  TStagedOutputFile header(Hd1PathFor(job.OutputPath), HeaderRole);
  FillHd1Header(header, geometry.Pixels, geometry.Lines, job.Variant.Depth);
  image.Commit();
  header.Commit();
  observer.ReportCompletion(CompletionMessage);
  observer.ResetProgress();
}

}  // namespace sigma0
