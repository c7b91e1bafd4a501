// A 3x3 neighbourhood as a three-pixel-wide window, so that pixel 1 is the one computed.
#pragma once

#include <array>
#include <vector>

#include "Types.h"

namespace sigma0::testing {

struct TNeighbourhood {
  // Row by row: Above, Centre, Below, each left to right.
  std::array<TDn, 9> Dn{};
  std::vector<TDn> Above = {Dn[0], Dn[1], Dn[2]};
  std::vector<TDn> Centre = {Dn[3], Dn[4], Dn[5]};
  std::vector<TDn> Below = {Dn[6], Dn[7], Dn[8]};

  TLineWindow Window() const { return {Above, Centre, Below}; }

  static TNeighbourhood Uniform(TDn dn) { return {{dn, dn, dn, dn, dn, dn, dn, dn, dn}}; }
  static TNeighbourhood Single(int place, TDn dn) {
    std::array<TDn, 9> values{};
    values[static_cast<std::size_t>(place)] = dn;
    return {values};
  }
};

}  // namespace sigma0::testing
