#include "tests/standin/three_ds.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

using Names = std::vector<std::string>;

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
  return out;
}

std::string Chunk(uint16_t id, const std::string& body) {
  return Le(id, 2) + Le(static_cast<uint32_t>(body.size() + 6), 4) + body;
}

TEST(ThreeDsTest, OnlyMaterialTextureMapsCount) {
  // A map file name outside a texture map, a bump map (0xA230) and a mesh
  // (0x4000) around the real map: only the texture map's name is read.
  std::string stray = Chunk(0xA300, std::string("stray.tga\0", 10));
  std::string bump = Chunk(0xA230, Chunk(0xA300, std::string("bump.tga\0", 9)));
  std::string map = Chunk(0xA200, Chunk(0xA351, Le(0, 2)) +
                                       Chunk(0xA300, std::string("wall.bmp\0junk", 13)));
  std::string mesh = Chunk(0x4000, std::string("Box01\0", 6));
  std::string editor = Chunk(0x3D3D, stray + mesh + Chunk(0xAFFF, bump + map));
  std::string file = Chunk(0x4D4D, editor) + "trailing";
  EXPECT_EQ(ReadTextureNames(file), Names{"wall.bmp"});
}

TEST(ThreeDsTest, RejectsWhatIsNotAChunkFile) {
  std::string good = Make3ds({"brick.tga"});
  EXPECT_EQ(ReadTextureNames(""), std::nullopt);
  EXPECT_EQ(ReadTextureNames(good.substr(0, good.size() - 1)), std::nullopt);
  // A sub-chunk claiming more than its parent holds.
  std::string overlong = Chunk(0x4D4D, Chunk(0x3D3D, "") + Le(0xA300, 2) + Le(100, 4));
  EXPECT_EQ(ReadTextureNames(overlong), std::nullopt);
  std::string too_short = Chunk(0x4D4D, Le(0x3D3D, 2) + Le(3, 4));
  EXPECT_EQ(ReadTextureNames(too_short), std::nullopt);
}

}  // namespace
}  // namespace standin
