#include "CeosFiles.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <string_view>

#include "ConversionError.h"
#include "Files.h"
#include "TextFields.h"

namespace sigma0 {
namespace {

std::string_view FieldAt(std::span<const std::byte> record, std::size_t offset, std::size_t width) {
  return {reinterpret_cast<const char*>(record.data()) + offset, width};
}

[[noreturn]] void ThrowTooShort(const TInputFile& file, const std::string& what) {
  throw TConversionError(file.Role() + " " + QuotedPath(file.Path()) + " が短すぎます: " + what +
                         "（ファイルは " + std::to_string(file.Size()) + " バイト）");
}

}  // namespace

double ReadCalibrationFactor(const TInputFile& leader, TSensor sensor) {
  const std::int64_t offset = CalibrationFactorOffset(sensor);
  if (leader.Size() < offset + CalibrationFactorWidth) {
    ThrowTooShort(leader, std::string(sensor == TSensor::snALOS ? "ALOS" : "ALOS-2") +
                              " の CF の欄（" + std::to_string(offset) + "〜" +
                              std::to_string(offset + CalibrationFactorWidth - 1) +
                              " バイト目）がありません");
  }
  std::array<std::byte, CalibrationFactorWidth> field{};
  leader.ReadAt(offset, field);
  return ParseRealField(FieldAt(field, 0, field.size()));
}

void DecodeDnLine(const std::byte* bytes, std::size_t count, TByteOrder order, TDn* dest) {
  const bool swap = (order == TByteOrder::boBigEndian) != (std::endian::native == std::endian::big);
  if (static_cast<const void*>(bytes) != static_cast<const void*>(dest)) {
    std::memcpy(dest, bytes, 2 * count);
  }
  // In place, on values of one type, the loop vectorises.
  if (swap) {
    for (std::size_t n = 0; n < count; ++n) {
      dest[n] = static_cast<TDn>((dest[n] >> 8) | (dest[n] << 8));
    }
  }
}

TImageGeometry TCeosImageReader::ReadGeometry() {
  if (file_.Size() < CeosFileDescriptorLength) {
    ThrowTooShort(file_, "ファイルディスクリプタ（" + std::to_string(CeosFileDescriptorLength) +
                             " バイト）がありません");
  }
  std::array<std::byte, CeosFileDescriptorLength> descriptor{};
  file_.ReadAt(0, descriptor);
  geometry_.Lines = ParseIntegerField(FieldAt(descriptor, 180, 6));
  geometry_.RecordLength = ParseIntegerField(FieldAt(descriptor, 186, 6));
  geometry_.Pixels = ParseIntegerField(FieldAt(descriptor, 248, 8));
  return geometry_;
}

void TCeosImageReader::ReadLine(std::int32_t k, TDn* dest) const {
  const std::int64_t offset = CeosFirstPixelOffset + std::int64_t{k} * geometry_.RecordLength;
  const std::size_t count = static_cast<std::size_t>(geometry_.Pixels);
  auto* bytes = reinterpret_cast<std::byte*>(dest);
  file_.ReadAt(offset, {bytes, 2 * count});
  DecodeDnLine(bytes, count, TByteOrder::boBigEndian, dest);
}

std::int64_t TCeosImageReader::RequiredSize() const {
  return CeosFirstPixelOffset + std::int64_t{geometry_.Lines - 1} * geometry_.RecordLength +
         2 * std::int64_t{geometry_.Pixels};
}

}  // namespace sigma0
