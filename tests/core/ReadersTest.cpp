#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "CeosFiles.h"
#include "ConversionError.h"
#include "Files.h"
#include "RawSource.h"
#include "SceneFixtures.h"

namespace sigma0 {
namespace {

using namespace sigma0::testing;

class Readers : public ::testing::Test {
 protected:
  TTempDir dir;
};

TEST_F(Readers, CalibrationFactorIsReadAtTheSensorsOffset) {
  // One file holding a CF at each offset tells which offset was read.
  std::string bytes(27520 + 16, '\0');
  bytes.replace(19328, 16, CfField("-83.25"));
  bytes.replace(27520, 16, CfField("-80.5"));
  WriteBytes(dir / "leader", bytes);
  const TInputFile leader(dir / "leader", "リーダファイル");
  EXPECT_EQ(ReadCalibrationFactor(leader, TSensor::snALOS), -83.25);
  EXPECT_EQ(ReadCalibrationFactor(leader, TSensor::snALOS2), -80.5);
}

TEST_F(Readers, CalibrationFactorFieldEndsAtItsWidthInTheFile) {
  WriteLeader(dir / "leader", TSensor::snALOS2, "-83.000000000000", "E5");
  const TInputFile leader(dir / "leader", "リーダファイル");
  EXPECT_EQ(ReadCalibrationFactor(leader, TSensor::snALOS2), -83.0);
}

TEST_F(Readers, LeaderEndingInsideTheFieldIsRefusedNamingTheFile) {
  WriteLeader(dir / "leader", TSensor::snALOS, "-83.0");  // 11 of 16 bytes
  const TInputFile leader(dir / "leader", "リーダファイル");
  try {
    ReadCalibrationFactor(leader, TSensor::snALOS);
    FAIL() << "a short leader was read";
  } catch (const TConversionError& error) {
    EXPECT_NE(std::string(error.what()).find((dir / "leader").string()), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("19328"), std::string::npos) << error.what();
  }
}

struct TDecodeCase {
  std::array<unsigned char, 2> bytes;
  TDn bigEndian;
  TDn littleEndian;
};

TEST(DecodeDnLine, DecodesEitherByteOrderAlsoInPlace) {
  for (const TDecodeCase& c :
       {TDecodeCase{{0x12, 0x34}, 4660, 13330}, TDecodeCase{{0x34, 0x12}, 13330, 4660},
        TDecodeCase{{0xFF, 0xFF}, 65535, 65535}, TDecodeCase{{0x00, 0x00}, 0, 0}}) {
    const auto* bytes = reinterpret_cast<const std::byte*>(c.bytes.data());
    TDn big = 0;
    TDn little = 0;
    DecodeDnLine(bytes, 1, TByteOrder::boBigEndian, &big);
    DecodeDnLine(bytes, 1, TByteOrder::boLittleEndian, &little);
    EXPECT_EQ(big, c.bigEndian);
    EXPECT_EQ(little, c.littleEndian);
  }
  std::array<TDn, 2> shared{};
  std::memcpy(shared.data(), "\x12\x34\xAB\xCD", 4);
  DecodeDnLine(reinterpret_cast<const std::byte*>(shared.data()), 2, TByteOrder::boBigEndian,
               shared.data());
  EXPECT_EQ(shared, (std::array<TDn, 2>{0x1234, 0xABCD}));
}

TEST_F(Readers, CeosGeometryAndLinesComeFromDescriptorAndRecords) {
  // Record length 20192 for 10000 pixels: line 1's DN start at 912 + 20192 = 21104.
  WriteCeosImage(
      dir / "img", 10000, 2, [](int k, int j) { return TDn(k * 40000 + j); }, 20192);
  const TInputFile file(dir / "img", "イメージファイル");
  TCeosImageReader reader(file);
  EXPECT_EQ(reader.ReadGeometry(), (TImageGeometry{10000, 2, 20192}));
  EXPECT_EQ(reader.RequiredSize(), 21104 + 20000);

  std::vector<TDn> line(10000);
  for (int k : {1, 0, 1}) {  // any order, any number of times
    reader.ReadLine(k, line.data());
    EXPECT_EQ(line.front(), TDn(k * 40000));
    EXPECT_EQ(line.back(), TDn(k * 40000 + 9999));
  }
}

TEST_F(Readers, CeosDescriptorFieldsStopAtTheirWidth) {
  // Lines "004000" directly followed by the record length field's digits.
  std::string descriptor = CeosDescriptor(0, 0, 0);
  descriptor.replace(180, 12, "004000000392");
  descriptor.replace(248, 8, "12 345  ");
  WriteBytes(dir / "img", descriptor);
  const TInputFile file(dir / "img", "イメージファイル");
  EXPECT_EQ(TCeosImageReader(file).ReadGeometry(), (TImageGeometry{12, 4000, 392}));
}

TEST_F(Readers, CeosFileShorterThanItsDescriptorIsRefused) {
  WriteBytes(dir / "img", CeosDescriptor(3, 198, 3).substr(0, 719));
  const TInputFile file(dir / "img", "イメージファイル");
  TCeosImageReader reader(file);
  EXPECT_THROW(reader.ReadGeometry(), TConversionError);
}

TEST_F(Readers, RawLinesFollowEachOtherInTheJobsByteOrder) {
  WriteBytes(dir / "raw", std::string("\x34\x12\0\0\xFF\xFF\x01\x02"
                                      "ABCDEFGH"
                                      "\x00\x01",
                                      18));
  const TInputFile file(dir / "raw", "RAWファイル");
  TRawIntegerReader little(file, {4, 2, 0}, TByteOrder::boLittleEndian);
  const TRawIntegerReader big(file, {4, 2, 0}, TByteOrder::boBigEndian);
  EXPECT_EQ(little.ReadGeometry(), (TImageGeometry{4, 2, 8}));
  EXPECT_EQ(little.RequiredSize(), 16);

  std::array<TDn, 4> line{};
  little.ReadLine(0, line.data());
  EXPECT_EQ(line, (std::array<TDn, 4>{4660, 0, 65535, 0x0201}));
  big.ReadLine(0, line.data());
  EXPECT_EQ(line, (std::array<TDn, 4>{13330, 0, 65535, 0x0102}));
  big.ReadLine(1, line.data());  // bytes 8..15; the two bytes behind the geometry are not read
  EXPECT_EQ(line, (std::array<TDn, 4>{0x4142, 0x4344, 0x4546, 0x4748}));
}

TEST_F(Readers, MissingFileOrFolderIsRefusedNamingIt) {
  std::filesystem::create_directory(dir / "folder");
  for (const char* name : {"missing", "folder"}) {
    try {
      TInputFile file(dir / name, "リーダファイル");
      FAIL() << name << " was opened";
    } catch (const TConversionError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("リーダファイル '" + (dir / name).string() + "'"), std::string::npos)
          << message;
    }
  }
}

}  // namespace
}  // namespace sigma0
