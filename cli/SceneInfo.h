// What sigma0 info shows of a scene, and the check that a leader suits the chosen sensor.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "Types.h"

namespace sigma0 {
class TInputFile;
}

namespace sigma0::cli {

struct TInfoCommand;

// Roles under which the files appear in the core's messages.
inline constexpr const char* LeaderRole = "リーダファイル";
inline constexpr const char* SourceRole = "イメージファイル";
inline constexpr const char* RawSourceRole = "RAWファイル";

// A leader of the other sensor holds blanks where this sensor's CF would be, so CF silently
// reads 0.0 and every sigma-nought value comes out tens of dB too high. Returns the warning to
// show then, or nothing when the field is not blank or cannot be read (the run reports that).
std::optional<std::string> SensorMismatchWarning(const TInputFile& leader, TSensor sensor);

struct TSceneInfo {
  TSensor Sensor = TSensor::snALOS;
  double CalibrationFactor = 0.0;
  std::optional<std::string> Warning;
  std::optional<TImageGeometry> Geometry;  // with a CEOS image file only
};

// Reads CF and, when asked, the descriptor of the image file; throws TConversionError as a run
// would for a file that cannot be read.
TSceneInfo ReadSceneInfo(const TInfoCommand& command);

void PrintSceneInfo(const TSceneInfo& info, std::ostream& out);

// Shortest text that reads back as the same double: "-83", "-12.25".
std::string FormatNumber(double value);

const char* SensorName(TSensor sensor);

}  // namespace sigma0::cli
