#include "formats/ace.h"

#include <gtest/gtest.h>

#include "demo/ace_writer.h"
#include "tests/support/msts_text.h"

namespace formats {
namespace {

using standin::AceOptions;
using standin::MakeImage;
using standin::WriteAce;

constexpr uint32_t kRed = 0xFF0000FF, kBlue = 0x0000FFFF, kGreen = 0x00FF00FF, kClear = 0x00000000;

// Quarters of red, blue, green and, mostly transparent, grey: each 4x4
// block of an 8x8 image one colour, each colour one that DXT1 holds
// exactly.
uint32_t Quarters(int x, int y) {
  const uint32_t quarters[4] = {kRed, kBlue, kGreen, 0x84828440};
  return quarters[(y / 4) * 2 + x / 4];
}

// 0xRRGGBBAA of a decoded pixel.
uint32_t At(const RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
  return (uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// The file offset of a body offset in a plain file.
constexpr size_t kBody = 16;

// One red 4x4 block whose DXT1 colour block follows the given alpha block,
// the surface format telling which form it is.
std::string RedBlockWithAlpha(uint32_t form, const char (&alpha)[9]) {
  AceOptions options;
  options.dxt = true;
  options.mip_maps = false;
  std::string file = WriteAce(MakeImage(4, 4, [](int, int) { return kRed; }), options);
  const std::string colour = file.substr(file.size() - 8);
  file.resize(file.size() - 8);
  Put32(file, file.size() - 4, 16);
  Put32(file, kBody + 16, form);
  return file + std::string(alpha, 8) + colour;
}

TEST(AceTextureTest, EveryFormDecodesToItsPixels) {
  AceOptions plain;
  plain.mip_maps = false;
  AceOptions alpha = plain, mask = plain, dxt = plain, dxt_mask = plain, compressed;
  alpha.alpha = mask.alpha = dxt_mask.alpha = AceOptions::kAlpha;
  mask.alpha = dxt_mask.alpha = AceOptions::kMask;
  dxt.dxt = dxt_mask.dxt = true;
  compressed.alpha = AceOptions::kAlpha;
  compressed.compressed = true;
  const RgbaImage quarters = MakeImage(8, 8, Quarters);
  // A 1-bit mask keeps alpha at or above 128, and nothing else; DXT1 makes
  // the rest transparent black.
  const auto masked = [](int x, int y) {
    const uint32_t p = Quarters(x, y);
    return (p & 0xFF) >= 128 ? p | 0xFF : p & 0xFFFFFF00;
  };
  const auto dxt_masked = [](int x, int y) {
    const uint32_t p = Quarters(x, y);
    return (p & 0xFF) >= 128 ? p | 0xFF : kClear;
  };
  const auto opaque = [](int x, int y) { return Quarters(x, y) | 0xFF; };
  struct Case {
    const char* name;
    AceOptions options;
    int level;
    uint32_t (*expected)(int x, int y);
    int size;  // of the level
    std::string file = "";  // when not written from the options
  };
  const Case cases[] = {
      {"RGB", plain, 0, +opaque, 8},
      {"RGB and alpha", alpha, 0, Quarters, 8},
      {"RGB and mask", mask, 0, +masked, 8},
      {"DXT1", dxt, 0, +opaque, 8},
      {"DXT1 with its transparent colour", dxt_mask, 0, +dxt_masked, 8},
      {"compressed, with mip-maps: the image", compressed, 0, Quarters, 8},
      // Each 2x2 of the level below is one colour of a quarter.
      {"compressed, with mip-maps: the second level", compressed, 1,
       [](int x, int y) { return Quarters(2 * x, 2 * y); }, 4},
      {"compressed, with mip-maps: the last level", compressed, 3,
       [](int, int) { return 0x616061CFu; }, 1},
      // DXT3: four bits of alpha a pixel; DXT5: the two ends and six between.
      {"DXT3", dxt, 0, [](int x, int y) { return 0xFF000000u + (y * 4 + x) * 17u; }, 4,
       RedBlockWithAlpha(kAceDxt3, "\x10\x32\x54\x76\x98\xBA\xDC\xFE")},
      {"DXT5", dxt, 0, [](int x, int y) { return x + y == 0 ? 0xFF0000DAu : 0xFF0000FFu; }, 4,
       RedBlockWithAlpha(kAceDxt5, "\xFF\x00\x02\x00\x00\x00\x00\x00")},
  };
  for (const Case& c : cases) {
    const std::string file = c.file.empty() ? WriteAce(quarters, c.options) : c.file;
    const AceTexture texture(file);
    ASSERT_EQ(texture.fault(), AceFault::kNone) << c.name;
    EXPECT_EQ(texture.compressed(), c.options.compressed) << c.name;
    EXPECT_EQ(texture.header().levels(), c.options.mip_maps ? 4 : 1) << c.name;
    const RgbaImage image = texture.Decode(c.level);
    ASSERT_EQ(image.width, c.size) << c.name;
    ASSERT_EQ(image.height, c.size) << c.name;
    for (int y = 0; y < c.size; ++y) {
      for (int x = 0; x < c.size; ++x) {
        ASSERT_EQ(At(image, x, y), c.expected(x, y)) << c.name << " at " << x << "," << y;
      }
    }
  }
}

TEST(AceTextureTest, DamagedFilesAreRefusedWithTheirReason) {
  AceOptions options;
  options.alpha = AceOptions::kMask;
  const std::string good = WriteAce(MakeImage(8, 4, Quarters), options);
  const auto patched = [&](size_t at, uint32_t value) {
    std::string file = good;
    Put32(file, kBody + at, value);
    return file;
  };
  AceOptions dxt = options;
  dxt.dxt = true;
  std::string dxt_count = WriteAce(MakeImage(8, 8, Quarters), dxt);
  // The count of the first image, after the header, 4 channels and 4 offsets.
  Put32(dxt_count, kBody + kAceHeaderBytes + 4 * kAceChannelBytes + 16, 0x7FFFFFF0);
  const size_t table = kBody + kAceHeaderBytes + 4 * kAceChannelBytes;
  struct Case {
    const char* name;
    std::string file;
    AceFault fault;
    bool in_header = true;  // whether CheckAceHead sees it too
  };
  const Case cases[] = {
      {"a side not a power of two", WriteAce(MakeImage(6, 4, Quarters), options),
       AceFault::kBadSize},
      {"a side above 4096", patched(8, 8192), AceFault::kBadSize},
      {"a side of gigapixels", patched(12, 0x80000000), AceFault::kBadSize},
      {"a side of 0", patched(8, 0), AceFault::kBadSize},
      {"a height whose rows the table cannot hold", patched(12, 4096), AceFault::kTableCut},
      {"a huge channel count", patched(20, 0xFFFFFFFF), AceFault::kBadChannels},
      {"more channels than the file holds", patched(20, 16), AceFault::kHeaderCut},
      {"a channel of 4 bits", patched(kAceHeaderBytes, 4), AceFault::kBadChannels},
      {"an offset past the end", patched(table - kBody + 8, 0x7FFFFFFF), AceFault::kOffsetPastEnd,
       false},
      {"the last row cut short", good.substr(0, good.size() - 1), AceFault::kDataCut},
      {"a DXT byte count past the end", dxt_count, AceFault::kDataCut, false},
      {"no texture", "SIMISA@@@@@@@@@@JINX0s1t______\r\n", AceFault::kNotAce},
      {"a compressed file that does not inflate", "SIMISA@F\x10\0\0\0@@@@garbage",
       AceFault::kNotInflated},
      {"a DXT form of no known kind", RedBlockWithAlpha(0x15, "\0\0\0\0\0\0\0\0"),
       AceFault::kUnknownDxt, false},
  };
  for (const Case& c : cases) {
    const AceTexture texture(c.file);
    EXPECT_EQ(texture.fault(), c.fault) << c.name;
    EXPECT_TRUE(texture.Decode(0).pixels.empty()) << c.name;
    const size_t head = std::min(c.file.size(), kAceHeadBytes);
    if (c.in_header) {
      EXPECT_EQ(CheckAceHead(std::string_view(c.file).substr(0, head), c.file.size()), c.fault)
          << c.name << ", from the header";
    }
  }
  // Cut anywhere, plain or compressed, a texture is refused and never read
  // past its end (the sanitizers watch).
  for (const bool compressed : {false, true}) {
    options.compressed = compressed;
    const std::string file = WriteAce(MakeImage(4, 4, Quarters), options);
    for (size_t size = 0; size < file.size(); ++size) {
      const std::string cut = file.substr(0, size);
      EXPECT_NE(AceTexture(cut).fault(), AceFault::kNone) << compressed << " " << size;
      if (!compressed) {
        EXPECT_NE(CheckAceHead(cut, cut.size()), AceFault::kNone) << size;
      }
    }
  }
}

TEST(AceTextureTest, TheHeaderCheckMeasuresTheFileWithoutItsPixels) {
  AceOptions options;
  const RgbaImage shades = MakeImage(256, 256, [](int x, int y) { return uint32_t(x << 16 | y); });
  const std::string plain = WriteAce(shades, options);
  options.compressed = true;
  std::string compressed = WriteAce(shades, options);
  AceHeader header;
  EXPECT_EQ(CheckAceHead(std::string_view(plain).substr(0, kAceHeadBytes), plain.size(), &header),
            AceFault::kNone);
  EXPECT_EQ(header.levels(), 9);
  EXPECT_EQ(CheckAceHead(std::string_view(compressed).substr(0, kAceHeadBytes), compressed.size()),
            AceFault::kNone);
  Put32(compressed, 8, static_cast<uint32_t>(plain.size() - 17));
  EXPECT_EQ(CheckAceHead(compressed, compressed.size()), AceFault::kDataCut);
}

}  // namespace
}  // namespace formats
