// Writes ACE textures as the SDK's makeace does, for the stand-in tool, the
// demo installation and the tests' fixtures.
#pragma once

#include <cstdint>
#include <string>

#include "formats/ace.h"

namespace standin {

struct AceOptions {
  enum Alpha { kNoAlpha, kMask, kAlpha } alpha = kNoAlpha;
  bool mip_maps = true;
  bool dxt = false;  // DXT1; a mask becomes its transparent colour
  bool compressed = false;
  std::string creator = "Rastolin stand-in makeace";
};

// The file of an image of any size: each mip level is the one above halved
// by averaging. A 1-bit mask is set where alpha is at least 128.
std::string WriteAce(const formats::RgbaImage& image, const AceOptions& options);

// An image of a pixel function f(x, y) giving 0xRRGGBBAA.
template <typename Pixel>
formats::RgbaImage MakeImage(int width, int height, Pixel pixel) {
  formats::RgbaImage image{width, height, {}};
  image.pixels.reserve(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t rgba = pixel(x, y);
      for (int shift = 24; shift >= 0; shift -= 8)
        image.pixels.push_back(static_cast<uint8_t>(rgba >> shift));
    }
  }
  return image;
}

}  // namespace standin
