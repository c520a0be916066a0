#include "formats/tga.h"

#include <algorithm>
#include <cstdint>

namespace formats {
namespace {

constexpr size_t kHeader = 18;
// Larger than any texture source; a larger side is a damaged file.
constexpr int kLargestSide = 16384;

int U16(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// One pixel of `depth` bytes (blue, green, red, alpha; or grey) as RGBA.
void AppendPixel(std::string_view bytes, size_t at, int depth, std::vector<uint8_t>& out) {
  const auto byte = [&](int n) { return static_cast<uint8_t>(bytes[at + n]); };
  if (depth == 1) {
    out.insert(out.end(), {byte(0), byte(0), byte(0), 255});
  } else {
    out.insert(out.end(), {byte(2), byte(1), byte(0), depth == 4 ? byte(3) : uint8_t{255}});
  }
}

}  // namespace

bool ReadTga(std::string_view bytes, RgbaImage& image) {
  image = {};
  if (bytes.size() < kHeader) return false;
  const int type = static_cast<uint8_t>(bytes[2]);
  const bool colour_map = bytes[1] != 0;
  const int width = U16(bytes, 12);
  const int height = U16(bytes, 14);
  const int bits = static_cast<uint8_t>(bytes[16]);
  const bool from_top = bytes[17] & 0x20;
  const bool grey = type == 3 || type == 11;
  const bool rle = type == 10 || type == 11;
  if ((type != 2 && type != 3 && type != 10 && type != 11) || colour_map) return false;
  if ((grey && bits != 8) || (!grey && bits != 24 && bits != 32)) return false;
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) return false;
  const int depth = bits / 8;
  const size_t count = static_cast<size_t>(width) * height;
  size_t at = kHeader + static_cast<uint8_t>(bytes[0]);
  // Grown as the bytes give pixels, never by the size the header states.
  std::vector<uint8_t> pixels;
  if (!rle && (at > bytes.size() || (bytes.size() - at) / depth < count)) return false;
  while (pixels.size() / 4 < count) {
    size_t run = count;
    bool repeat = false;
    if (rle) {
      if (at >= bytes.size()) return false;
      const uint8_t packet = static_cast<uint8_t>(bytes[at++]);
      run = (packet & 0x7F) + 1u;
      repeat = packet & 0x80;
      if (run > count - pixels.size() / 4) return false;
    }
    const size_t stored = repeat ? 1 : run;
    if (at > bytes.size() || (bytes.size() - at) / depth < stored) return false;
    for (size_t n = 0; n < run; ++n)
      AppendPixel(bytes, at + (repeat ? 0 : n * depth), depth, pixels);
    at += stored * depth;
  }
  image.width = width;
  image.height = height;
  image.pixels.resize(pixels.size());
  const size_t row = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    const size_t source = from_top ? y : height - 1 - y;
    std::copy_n(&pixels[source * row], row, &image.pixels[static_cast<size_t>(y) * row]);
  }
  return true;
}

}  // namespace formats
