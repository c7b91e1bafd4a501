#include "SceneFiles.h"

#include <QDir>
#include <QFile>
#include <string>

namespace sigma0::test {

void WriteLeader(const QString& path, std::string_view alosCf, std::string_view alos2Cf) {
  constexpr std::size_t kAlosCfOffset = 19328;
  constexpr std::size_t kAlos2CfOffset = 27520;
  std::string bytes(kAlos2CfOffset + 100, ' ');
  const std::string alos = testing::CfField(std::string(alosCf));
  const std::string alos2 = testing::CfField(std::string(alos2Cf));
  bytes.replace(kAlosCfOffset, alos.size(), alos);
  bytes.replace(kAlos2CfOffset, alos2.size(), alos2);
  testing::WriteBytes(ToPath(path), bytes);
}

TDn VariedDn(std::int32_t line, std::int32_t pixel) {
  return static_cast<TDn>(300 + 257 * ((line * 7 + pixel * 3) % 50) + line + pixel);
}

TScene WriteCeosScene(const QString& folder, int pixels, int lines, const TDnAt& dn) {
  const TScene scene{folder + "/leader.dat", folder + "/画像 IMG.dat", folder + "/出力 σ0.img"};
  WriteLeader(scene.Leader, kAlosCfText, kAlos2CfText);
  testing::WriteCeosImage(ToPath(scene.Source), pixels, lines, dn);
  return scene;
}

TScene WriteRawScene(const QString& folder, int pixels, int lines, TByteOrder order,
                     const TDnAt& dn) {
  const TScene scene{folder + "/leader.dat", folder + "/raw 画像.raw", folder + "/出力 σ0.img"};
  WriteLeader(scene.Leader, kAlosCfText, kAlos2CfText);
  testing::WriteRawImage(ToPath(scene.Source), pixels, lines, dn, order);
  return scene;
}

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return file.readAll();
}

QStringList FileNamesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReferenceOutput(TConversionJob job, const QString& outputPath) {
  job.OutputPath = ToPath(outputPath);
  testing::TRecordingObserver observer;
  RunConversion(job, observer);
  return FileBytes(outputPath);
}

}  // namespace sigma0::test
