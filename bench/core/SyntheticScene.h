// Scenes of real PALSAR-2 size written fast: speckle-like DN with zero margins.
#pragma once

#include <cstdint>
#include <filesystem>

namespace sigma0::bench {

struct TSceneSize {
  std::int32_t Pixels = 12870;
  std::int32_t Lines = 13161;
};

// A CEOS image file of the given size (192-byte prefixes, tight records), DN drawn from a
// Rayleigh distribution like the amplitude of fully developed speckle, with zero margins left
// and right and at the top and bottom, as a geocoded scene has.
void WriteSyntheticCeosImage(const std::filesystem::path& path, TSceneSize size);

// A leader holding CF at both sensors' offsets.
void WriteSyntheticLeader(const std::filesystem::path& path, const char* cfText);

}  // namespace sigma0::bench
