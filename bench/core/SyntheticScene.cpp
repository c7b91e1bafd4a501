#include "SyntheticScene.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace sigma0::bench {
namespace {

// xorshift64*: the same scene on every machine, unlike the standard distributions.
class TRandom {
 public:
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }

 private:
  std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

// Rayleigh quantiles: drawing an index is much cheaper than a log and a square root per pixel.
std::array<std::uint16_t, 4096> RayleighTable() {
  std::array<std::uint16_t, 4096> table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    const double u = (static_cast<double>(i) + 0.5) / static_cast<double>(table.size());
    const double amplitude = 1500.0 * std::sqrt(-std::log(1.0 - u));
    table[i] = static_cast<std::uint16_t>(std::min(amplitude, 65535.0));
  }
  return table;
}

void PutField(std::string& record, std::size_t offset, std::size_t width, long value) {
  char text[16];
  std::snprintf(text, sizeof text, "%*ld", static_cast<int>(width), value);
  record.replace(offset, width, text);
}

void Check(const std::ofstream& out, const std::filesystem::path& path) {
  if (!out) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

void WriteSyntheticCeosImage(const std::filesystem::path& path, TSceneSize size) {
  const std::int32_t recordLength = 192 + 2 * size.Pixels;
  std::string descriptor(720, ' ');
  PutField(descriptor, 180, 6, size.Lines);
  PutField(descriptor, 186, 6, recordLength);
  PutField(descriptor, 248, 8, size.Pixels);

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(descriptor.data(), static_cast<std::streamsize>(descriptor.size()));
  const auto table = RayleighTable();
  const std::int32_t margin = size.Pixels / 20;
  TRandom random;
  std::vector<unsigned char> record(static_cast<std::size_t>(recordLength), 0);
  for (std::int32_t k = 0; k < size.Lines; ++k) {
    const bool marginLine = k < size.Lines / 50 || k >= size.Lines - size.Lines / 50;
    for (std::int32_t j = 0; j < size.Pixels; ++j) {
      const bool inside = !marginLine && j >= margin && j < size.Pixels - margin;
      const std::uint16_t dn = inside ? table[random.Next() >> 52] : 0;
      record[192 + 2 * static_cast<std::size_t>(j)] = static_cast<unsigned char>(dn >> 8);
      record[193 + 2 * static_cast<std::size_t>(j)] = static_cast<unsigned char>(dn & 0xFF);
    }
    out.write(reinterpret_cast<const char*>(record.data()), recordLength);
  }
  out.flush();
  Check(out, path);
}

void WriteSyntheticLeader(const std::filesystem::path& path, const char* cfText) {
  std::string leader(27520 + 16, ' ');
  char field[17];
  std::snprintf(field, sizeof field, "%16s", cfText);
  leader.replace(19328, 16, field);
  leader.replace(27520, 16, field);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(leader.data(), static_cast<std::streamsize>(leader.size()));
  out.flush();
  Check(out, path);
}

}  // namespace sigma0::bench
