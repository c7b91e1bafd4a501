// What the run needs of a source image, whichever its format.
#pragma once

#include <cstdint>

#include "Types.h"

namespace sigma0 {

class TSourceReader {
 public:
  virtual ~TSourceReader() = default;
  // Called once, before any line.
  virtual TImageGeometry ReadGeometry() = 0;
  // Fills dest[0 .. Pixels-1] with line k (0-based); positions the file itself on every call.
  virtual void ReadLine(std::int32_t k, TDn* dest) const = 0;
  // Length of file the geometry needs, so that a short source is refused before the run.
  virtual std::int64_t RequiredSize() const = 0;
};

}  // namespace sigma0
