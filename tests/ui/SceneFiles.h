// The window tests' scenes, on top of the fixtures all front ends share: paths as the prompts see
// them, a leader that tells the sensors apart, and the output the core writes for a job.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "ConversionRun.h"
#include "SceneFixtures.h"

namespace sigma0::test {

using testing::TDnAt;

// A leader file holding the ALOS CF text at 19328 and the ALOS-2 CF text at 27520, each in its
// 16-character field, so that a run of the wrong sensor shows the wrong CF.
void WriteLeader(const QString& path, std::string_view alosCf, std::string_view alos2Cf);

// The CF texts every scene's leader holds.
inline constexpr std::string_view kAlosCfText = "-83.0";
inline constexpr std::string_view kAlos2CfText = "-80.5";

// A DN that differs in both bytes from pixel to pixel and line to line, so that a wrong byte
// order or a wrong line shows in the output.
TDn VariedDn(std::int32_t line, std::int32_t pixel);

// The three paths of one conversion in a test's folder; names with blanks and Japanese
// characters, as users' files have.
struct TScene {
  QString Leader;
  QString Source;
  QString Output;
};

TScene WriteCeosScene(const QString& folder, int pixels, int lines, const TDnAt& dn);
TScene WriteRawScene(const QString& folder, int pixels, int lines, TByteOrder order,
                     const TDnAt& dn);

std::filesystem::path ToPath(const QString& path);

QByteArray FileBytes(const QString& path);

// The names in a folder, to tell that a click created no file.
QStringList FileNamesIn(const QString& folder);

// What the core writes for the job when no window is involved: the output the window's run must
// match when it built the same job.
QByteArray ReferenceOutput(TConversionJob job, const QString& outputPath);

}  // namespace sigma0::test
