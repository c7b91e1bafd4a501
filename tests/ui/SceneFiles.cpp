#include "SceneFiles.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace sigma0::test {
namespace {

constexpr int kAlosCfOffset = 19328;
constexpr int kAlos2CfOffset = 27520;
constexpr int kCfWidth = 16;
constexpr int kDescriptorLength = 720;
constexpr int kRecordPrefixLength = 192;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write fixture " + path.toStdString());
  }
}

void PutText(QByteArray& bytes, int offset, const std::string& text) {
  bytes.replace(offset, static_cast<int>(text.size()), text.data(), static_cast<int>(text.size()));
}

std::string RightAligned(int value, int width) {
  char field[16];
  std::snprintf(field, sizeof field, "%*d", width, value);
  return field;
}

void PutDn(QByteArray& bytes, int offset, std::uint16_t dn, TByteOrder order) {
  const auto high = static_cast<char>(dn >> 8);
  const auto low = static_cast<char>(dn & 0xFF);
  bytes[offset] = order == TByteOrder::boBigEndian ? high : low;
  bytes[offset + 1] = order == TByteOrder::boBigEndian ? low : high;
}

// Reports nothing and waits for nobody.
class TSilentObserver : public TRunObserver {
 public:
  void BeginProgress(std::int32_t) override {}
  void KeepResponsive() override {}
  void StepProgress() override {}
  void ReportGeometry(std::int32_t, std::int32_t) override {}
  void ReportCalibrationFactor(double) override {}
  void ReportCompletion(const std::string&) override {}
  void ResetProgress() override {}
};

}  // namespace

void WriteLeader(const QString& path, std::string_view alosCf, std::string_view alos2Cf) {
  QByteArray bytes(kAlos2CfOffset + kCfWidth + 100, ' ');
  PutText(bytes, kAlosCfOffset, std::string(alosCf).append(kCfWidth - alosCf.size(), ' '));
  PutText(bytes, kAlos2CfOffset, std::string(alos2Cf).append(kCfWidth - alos2Cf.size(), ' '));
  WriteFile(path, bytes);
}

void WriteCeosImage(const QString& path, int pixels, int lines, const TDnAt& dn) {
  const int recordLength = kRecordPrefixLength + 2 * pixels;
  QByteArray bytes(kDescriptorLength + lines * recordLength, '\0');
  PutText(bytes, 180, RightAligned(lines, 6));
  PutText(bytes, 186, RightAligned(recordLength, 6));
  PutText(bytes, 248, RightAligned(pixels, 8));
  for (int line = 0; line < lines; ++line) {
    const int first = kDescriptorLength + line * recordLength + kRecordPrefixLength;
    for (int pixel = 0; pixel < pixels; ++pixel) {
      PutDn(bytes, first + 2 * pixel, dn(line, pixel), TByteOrder::boBigEndian);
    }
  }
  WriteFile(path, bytes);
}

void WriteRawImage(const QString& path, int pixels, int lines, TByteOrder order, const TDnAt& dn) {
  QByteArray bytes(2 * pixels * lines, '\0');
  for (int line = 0; line < lines; ++line) {
    for (int pixel = 0; pixel < pixels; ++pixel) {
      PutDn(bytes, 2 * (line * pixels + pixel), dn(line, pixel), order);
    }
  }
  WriteFile(path, bytes);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return file.readAll();
}

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::uint16_t VariedDn(int line, int pixel) {
  return static_cast<std::uint16_t>(300 + 257 * ((line * 7 + pixel * 3) % 50) + line + pixel);
}

TScene WriteCeosScene(const QString& folder, int pixels, int lines, const TDnAt& dn) {
  const TScene scene{folder + "/leader.dat", folder + "/画像 IMG.dat", folder + "/出力 σ0.img"};
  WriteLeader(scene.Leader, kAlosCfText, kAlos2CfText);
  WriteCeosImage(scene.Source, pixels, lines, dn);
  return scene;
}

TScene WriteRawScene(const QString& folder, int pixels, int lines, TByteOrder order,
                     const TDnAt& dn) {
  const TScene scene{folder + "/leader.dat", folder + "/raw 画像.raw", folder + "/出力 σ0.img"};
  WriteLeader(scene.Leader, kAlosCfText, kAlos2CfText);
  WriteRawImage(scene.Source, pixels, lines, order, dn);
  return scene;
}

QStringList FileNamesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReferenceOutput(TConversionJob job, const QString& outputPath) {
  job.OutputPath = ToPath(outputPath);
  TSilentObserver observer;
  RunConversion(job, observer);
  return FileBytes(outputPath);
}

}  // namespace sigma0::test
