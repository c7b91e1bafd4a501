// Headerless raw file of 16-bit DN whose geometry and byte order come from the job.
#pragma once

#include <cstdint>

#include "SourceReader.h"
#include "Types.h"

namespace sigma0 {

class TInputFile;

class TRawIntegerReader final : public TSourceReader {
 public:
  // rawGeometry: Pixels and Lines as the user gave them; its RecordLength is not used.
  TRawIntegerReader(const TInputFile& file, TImageGeometry rawGeometry, TByteOrder order);
  // {Pixels, Lines, 2·Pixels}; reads nothing.
  TImageGeometry ReadGeometry() override { return geometry_; }
  void ReadLine(std::int32_t k, TDn* dest) const override;
  std::int64_t RequiredSize() const override;

 private:
  const TInputFile& file_;
  TImageGeometry geometry_;
  TByteOrder order_;
};

}  // namespace sigma0
