#include "formats/tga.h"

#include <gtest/gtest.h>

namespace formats {
namespace {

// A TGA header: type, size, bits a pixel and descriptor (0x20: rows from
// the top).
std::string Header(int type, int width, int height, int bits, int descriptor) {
  std::string header(18, '\0');
  header[2] = static_cast<char>(type);
  header[12] = static_cast<char>(width);
  header[14] = static_cast<char>(height);
  header[16] = static_cast<char>(bits);
  header[17] = static_cast<char>(descriptor);
  return header;
}

TEST(ReadTgaTest, PlainAndRunLengthImagesComeOutTopRowFirst) {
  // 2x2: blue, green in the stored first row, then red, white.
  const std::string bgr("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12);
  const std::vector<uint8_t> bottom_up = {255, 0, 0,   255, 255, 255, 255, 255,
                                          0,   0, 255, 255, 0,   255, 0,   255};
  struct Case {
    const char* name;
    std::string file;
    std::vector<uint8_t> pixels;
  };
  const Case cases[] = {
      {"24 bits, from the bottom", Header(2, 2, 2, 24, 0) + bgr, bottom_up},
      // A run of three half-transparent red pixels, then one raw black one.
      {"32 bits run-length encoded",
       Header(10, 2, 2, 32, 0x20) + std::string("\x82\0\0\xFF\x80\x00\0\0\0\xFF", 10),
       {255, 0, 0, 128, 255, 0, 0, 128, 255, 0, 0, 128, 0, 0, 0, 255}},
      {"grey", Header(3, 1, 2, 8, 0x20) + "\x10\x20", {16, 16, 16, 255, 32, 32, 32, 255}},
  };
  for (const Case& c : cases) {
    RgbaImage image;
    ASSERT_TRUE(ReadTga(c.file, image)) << c.name;
    EXPECT_EQ(image.pixels, c.pixels) << c.name;
    // Cut anywhere, it is refused, never read past its end.
    for (size_t size = 0; size < c.file.size(); ++size) {
      EXPECT_FALSE(ReadTga(c.file.substr(0, size), image)) << c.name << " cut at " << size;
    }
  }
  RgbaImage image;
  EXPECT_FALSE(ReadTga(Header(1, 2, 2, 8, 0) + std::string(100, '\0'), image)) << "colour-mapped";
  EXPECT_FALSE(ReadTga(Header(10, 2, 2, 24, 0) + "\xFF\0\0\xFF", image)) << "a run past the image";
}

}  // namespace
}  // namespace formats
