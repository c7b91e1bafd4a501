#include "SceneInfo.h"

#include <array>
#include <charconv>
#include <ostream>

#include "CeosFiles.h"
#include "CommandLine.h"
#include "ConversionError.h"
#include "Files.h"

namespace sigma0::cli {

namespace {

TSensor OtherSensor(TSensor sensor) {
  return sensor == TSensor::snALOS ? TSensor::snALOS2 : TSensor::snALOS;
}

// The 16 bytes of the sensor's CF field, or nothing when the file ends before them.
std::optional<std::string> CalibrationField(const TInputFile& leader, TSensor sensor) {
  const std::int64_t offset = CalibrationFactorOffset(sensor);
  if (leader.Size() < offset + CalibrationFactorWidth) {
    return std::nullopt;
  }
  std::string field(CalibrationFactorWidth, '\0');
  leader.ReadAt(offset, std::as_writable_bytes(std::span(field)));
  return field;
}

// Blanks and NULs: what unused CEOS fields hold.
const std::string BlankCharacters(" \0", 2);

bool IsBlank(const std::string& field) {
  return field.find_first_not_of(BlankCharacters) == std::string::npos;
}

std::string Trimmed(const std::string& field) {
  const auto first = field.find_first_not_of(BlankCharacters);
  const auto last = field.find_last_not_of(BlankCharacters);
  return first == std::string::npos ? "" : field.substr(first, last - first + 1);
}

}  // namespace

const char* SensorName(TSensor sensor) {
  return sensor == TSensor::snALOS ? "ALOS" : "ALOS-2";
}

std::optional<std::string> SensorMismatchWarning(const TInputFile& leader, TSensor sensor) {
  const std::optional<std::string> field = CalibrationField(leader, sensor);
  if (!field || !IsBlank(*field)) {
    return std::nullopt;
  }
  std::string warning = "the calibration factor field of " + QuotedPath(leader.Path()) +
                        " at byte " + std::to_string(CalibrationFactorOffset(sensor)) +
                        " is blank, so CF reads 0.0: this does not look like an " +
                        SensorName(sensor) + " leader";
  const TSensor other = OtherSensor(sensor);
  const std::optional<std::string> otherField = CalibrationField(leader, other);
  if (otherField && !IsBlank(*otherField)) {
    warning += " (its " + std::string(SensorName(other)) + " field holds \"" +
               Trimmed(*otherField) + "\"; use --sensor " +
               (other == TSensor::snALOS ? "alos" : "alos2") + ")";
  }
  return warning;
}

TSceneInfo ReadSceneInfo(const TInfoCommand& command) {
  TSceneInfo info;
  info.Sensor = command.Sensor;
  {
    const TInputFile leader(command.LeaderPath, LeaderRole);
    info.CalibrationFactor = ReadCalibrationFactor(leader, command.Sensor);
    info.Warning = SensorMismatchWarning(leader, command.Sensor);
  }
  if (command.SourcePath) {
    const TInputFile source(*command.SourcePath, SourceRole);
    info.Geometry = TCeosImageReader(source).ReadGeometry();
  }
  return info;
}

void PrintSceneInfo(const TSceneInfo& info, std::ostream& out) {
  out << "sensor: " << SensorName(info.Sensor) << '\n'
      << "calibration factor: " << FormatNumber(info.CalibrationFactor) << " dB (byte "
      << CalibrationFactorOffset(info.Sensor) << " of the leader)\n";
  if (info.Geometry) {
    out << "pixels: " << info.Geometry->Pixels << '\n'
        << "lines: " << info.Geometry->Lines << '\n'
        << "record length: " << info.Geometry->RecordLength << " bytes\n";
  }
}

std::string FormatNumber(double value) {
  std::array<char, 32> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), result.ptr);
}

}  // namespace sigma0::cli
