// What each of the window's eight conversion buttons starts and asks for.
#pragma once

#include <array>
#include <string_view>

#include "Types.h"

namespace sigma0 {

struct TConversionButton {
  int Number;  // of the control ButtonN
  TConversionVariant Variant;
  const char* LeaderTitle;
  const char* SourceTitle;
};

inline constexpr const char* OutputPromptTitle = "保存先ファイル名を指定する";

namespace buttons {
using enum TSensor;
using enum TSourceKind;
using enum TOutputDepth;
inline constexpr const char* AlosLeader = "PALSARリーダファイルを開く";
inline constexpr const char* Alos2Leader = "PALSAR-2(ALOS-2)リーダファイルを開く";
}  // namespace buttons

// In the order of the buttons' numbers, as ConversionVariants. The two raw ALOS-2 source titles
// differ by one blank; users know the prompts by them, so they stay as they are.
inline constexpr std::array<TConversionButton, 8> ConversionButtons{{
    {1,
     {buttons::snALOS, buttons::skCeosImage, buttons::odFloat32},
     buttons::AlosLeader,
     "PALSAR1.5イメージファイルを開く"},
    {3,
     {buttons::snALOS, buttons::skRawInteger, buttons::odFloat32},
     buttons::AlosLeader,
     "PALSAR RAW(Integer)ファイルを開く"},
    {4,
     {buttons::snALOS2, buttons::skCeosImage, buttons::odFloat32},
     buttons::Alos2Leader,
     "PALSAR-2 1.5(ALOS-2)イメージファイルを開く"},
    {5,
     {buttons::snALOS2, buttons::skRawInteger, buttons::odFloat32},
     buttons::Alos2Leader,
     "PALSAR-2  RAW(Integer)ファイルを開く"},
    {6,
     {buttons::snALOS, buttons::skCeosImage, buttons::odUInt16},
     buttons::AlosLeader,
     "PALSAR1.5イメージファイルを開く"},
    {7,
     {buttons::snALOS2, buttons::skCeosImage, buttons::odUInt16},
     buttons::Alos2Leader,
     "PALSAR-2 1.5(ALOS-2)イメージファイルを開く"},
    {8,
     {buttons::snALOS, buttons::skRawInteger, buttons::odUInt16},
     buttons::AlosLeader,
     "PALSAR RAW(Integer)ファイルを開く"},
    {9,
     {buttons::snALOS2, buttons::skRawInteger, buttons::odUInt16},
     buttons::Alos2Leader,
     "PALSAR-2 RAW(Integer)ファイルを開く"},
}};

// The CEOS 32-bit conversions read their source big-endian and write floats: the byte-order box
// means nothing to them.
constexpr bool ReadsByteOrderBox(const TConversionVariant& v) {
  return v.Source == TSourceKind::skRawInteger || v.Depth == TOutputDepth::odUInt16;
}

}  // namespace sigma0
