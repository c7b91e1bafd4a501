// The few bytes of leader, CEOS image and raw image files that the window tests need, written by
// the tests themselves.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string_view>

#include "ConversionRun.h"

namespace sigma0::test {

// DN of a source pixel.
using TDnAt = std::function<std::uint16_t(int line, int pixel)>;

// A leader file holding the ALOS CF text at 19328 and the ALOS-2 CF text at 27520, each padded
// with blanks to its 16 characters, so that a run of the wrong sensor shows the wrong CF.
void WriteLeader(const QString& path, std::string_view alosCf, std::string_view alos2Cf);

// A CEOS Level 1.5 image: the 720-byte descriptor, then one record per line of a 192-byte prefix
// and the big-endian DN.
void WriteCeosImage(const QString& path, int pixels, int lines, const TDnAt& dn);

// A headerless image of 16-bit DN in the given byte order.
void WriteRawImage(const QString& path, int pixels, int lines, TByteOrder order, const TDnAt& dn);

QByteArray FileBytes(const QString& path);

std::filesystem::path ToPath(const QString& path);

// The CF texts every scene's leader holds, and what the window shows for them.
inline constexpr std::string_view kAlosCfText = "-83.0";
inline constexpr std::string_view kAlos2CfText = "-80.5";

// A DN that differs in both bytes from pixel to pixel and line to line, so that a wrong byte
// order or a wrong line shows in the output.
std::uint16_t VariedDn(int line, int pixel);

// The three paths of one conversion in a test's folder.
struct TScene {
  QString Leader;
  QString Source;
  QString Output;
};

TScene WriteCeosScene(const QString& folder, int pixels, int lines, const TDnAt& dn);
TScene WriteRawScene(const QString& folder, int pixels, int lines, TByteOrder order,
                     const TDnAt& dn);

// The names in a folder, to tell that a click created no file.
QStringList FileNamesIn(const QString& folder);

// What the core writes for the job when no window is involved: the output the window's run must
// match when it built the same job.
QByteArray ReferenceOutput(TConversionJob job, const QString& outputPath);

}  // namespace sigma0::test
