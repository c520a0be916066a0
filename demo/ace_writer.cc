#include "demo/ace_writer.h"

#include <algorithm>
#include <vector>

#include "demo/little_endian.h"
#include "tests/support/msts_text.h"

namespace standin {
namespace {

using formats::AceKind;
using formats::RgbaImage;

void Put32At(std::string& out, size_t at, uint64_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

const uint8_t* PixelAt(const RgbaImage& image, int x, int y) {
  return &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
}

RgbaImage Halved(const RgbaImage& image) {
  RgbaImage half{std::max(1, image.width / 2), std::max(1, image.height / 2), {}};
  for (int y = 0; y < half.height; ++y) {
    for (int x = 0; x < half.width; ++x) {
      for (int c = 0; c < 4; ++c) {
        int sum = 0, count = 0;
        for (int dy = 0; dy < 2; ++dy) {
          for (int dx = 0; dx < 2; ++dx) {
            const int sx = 2 * x + dx, sy = 2 * y + dy;
            if (sx < image.width && sy < image.height) {
              sum += PixelAt(image, sx, sy)[c];
              ++count;
            }
          }
        }
        half.pixels.push_back(static_cast<uint8_t>((sum + count / 2) / count));
      }
    }
  }
  return half;
}

bool Opaque(const uint8_t* pixel, const AceOptions& options) {
  return options.alpha == AceOptions::kNoAlpha || pixel[3] >= 128;
}

uint32_t To565(const uint8_t* pixel) {
  return ((pixel[0] >> 3) << 11) | ((pixel[1] >> 2) << 5) | (pixel[2] >> 3);
}

void From565(uint32_t colour, int out[3]) {
  const int r = colour >> 11, g = (colour >> 5) & 0x3F, b = colour & 0x1F;
  out[0] = (r << 3) | (r >> 2);
  out[1] = (g << 2) | (g >> 4);
  out[2] = (b << 3) | (b >> 2);
}

int Distance(const int* a, const uint8_t* b) {
  int sum = 0;
  for (int c = 0; c < 3; ++c) sum += (a[c] - b[c]) * (a[c] - b[c]);
  return sum;
}

// One DXT1 block: the two opaque colours farthest apart as its ends, each
// pixel the nearest of the palette, a transparent one the fourth entry.
void DxtBlock(const RgbaImage& image, int bx, int by, const AceOptions& options, std::string& out) {
  std::vector<const uint8_t*> opaque;
  bool transparent = false;
  for (int n = 0; n < 16; ++n) {
    const int x = bx * 4 + n % 4, y = by * 4 + n / 4;
    if (x >= image.width || y >= image.height) continue;
    const uint8_t* pixel = PixelAt(image, x, y);
    if (Opaque(pixel, options)) {
      opaque.push_back(pixel);
    } else {
      transparent = true;
    }
  }
  uint32_t ends[2] = {0, 0};
  int widest = -1;
  for (const uint8_t* a : opaque) {
    for (const uint8_t* b : opaque) {
      int wa[3] = {a[0], a[1], a[2]};
      if (const int d = Distance(wa, b); d > widest) {
        widest = d;
        ends[0] = To565(a);
        ends[1] = To565(b);
      }
    }
  }
  // Four colours need the first end above the second; three and
  // transparency, not.
  if ((ends[0] < ends[1]) != transparent) std::swap(ends[0], ends[1]);
  const bool four = ends[0] > ends[1];
  int palette[4][3];
  From565(ends[0], palette[0]);
  From565(ends[1], palette[1]);
  for (int c = 0; c < 3; ++c) {
    palette[2][c] =
        four ? (2 * palette[0][c] + palette[1][c]) / 3 : (palette[0][c] + palette[1][c]) / 2;
    palette[3][c] = four ? (palette[0][c] + 2 * palette[1][c]) / 3 : 0;
  }
  uint32_t indices = 0;
  for (int n = 0; n < 16; ++n) {
    const int x = bx * 4 + n % 4, y = by * 4 + n / 4;
    if (x >= image.width || y >= image.height) continue;
    const uint8_t* pixel = PixelAt(image, x, y);
    uint32_t index = 3;
    if (Opaque(pixel, options)) {
      int best = -1;
      for (uint32_t i = 0; i < (four ? 4u : 3u); ++i) {
        if (const int d = Distance(palette[i], pixel); best < 0 || d < best) {
          best = d;
          index = i;
        }
      }
    }
    indices |= index << (2 * n);
  }
  PutLe(out, ends[0] | (ends[1] << 16), 4);
  PutLe(out, indices, 4);
}

void ChannelRow(const RgbaImage& image, int y, const AceOptions& options, std::string& out) {
  for (int c = 0; c < 3; ++c) {
    for (int x = 0; x < image.width; ++x) out += static_cast<char>(PixelAt(image, x, y)[c]);
  }
  if (options.alpha == AceOptions::kAlpha) {
    for (int x = 0; x < image.width; ++x) out += static_cast<char>(PixelAt(image, x, y)[3]);
  } else if (options.alpha == AceOptions::kMask) {
    for (int x = 0; x < image.width; x += 8) {
      uint8_t bits = 0;
      for (int b = 0; b < 8 && x + b < image.width; ++b) {
        if (Opaque(PixelAt(image, x + b, y), options)) bits |= 0x80 >> b;
      }
      out += static_cast<char>(bits);
    }
  }
}

}  // namespace

std::string WriteAce(const RgbaImage& image, const AceOptions& options) {
  std::vector<RgbaImage> levels = {image};
  while (options.mip_maps && (levels.back().width > 1 || levels.back().height > 1))
    levels.push_back(Halved(levels.back()));

  std::vector<AceKind> kinds = {AceKind::kRed, AceKind::kGreen, AceKind::kBlue};
  if (options.alpha == AceOptions::kMask) kinds.push_back(AceKind::kMask);
  if (options.alpha == AceOptions::kAlpha) kinds.push_back(AceKind::kAlpha);
  const uint32_t format = options.dxt                           ? formats::kAceDxt1
                          : options.alpha == AceOptions::kMask  ? formats::kAceRgbMask
                          : options.alpha == AceOptions::kAlpha ? formats::kAceRgba
                                                                : formats::kAceRgb;
  std::string body;
  PutLe(body, 1, 4);
  PutLe(body, (options.mip_maps ? formats::kAceMipMaps : 0) | (options.dxt ? formats::kAceDxt : 0),
        4);
  PutLe(body, image.width, 4);
  PutLe(body, image.height, 4);
  PutLe(body, format, 4);
  PutLe(body, kinds.size(), 4);
  PutLe(body, 0, 4);
  body.append(16, '\0');
  body += options.creator.substr(0, 63);
  body.resize(formats::kAceHeaderBytes, '\0');
  for (AceKind kind : kinds) {
    const uint64_t bits = kind == AceKind::kMask ? 1 : 8;
    PutLe(body, bits, 4);
    PutLe(body, 0, 4);
    PutLe(body, static_cast<uint64_t>(kind), 4);
    PutLe(body, 0, 4);
  }
  size_t entries = 0;
  for (const RgbaImage& level : levels) entries += options.dxt ? 1 : level.height;
  size_t table = body.size();
  body.append(4 * entries, '\0');
  for (const RgbaImage& level : levels) {
    if (options.dxt) {
      Put32At(body, table, body.size());
      table += 4;
      const size_t count = body.size();
      PutLe(body, 0, 4);
      for (int by = 0; by < (level.height + 3) / 4; ++by) {
        for (int bx = 0; bx < (level.width + 3) / 4; ++bx) DxtBlock(level, bx, by, options, body);
      }
      Put32At(body, count, body.size() - count - 4);
      continue;
    }
    for (int y = 0; y < level.height; ++y) {
      Put32At(body, table, body.size());
      table += 4;
      ChannelRow(level, y, options, body);
    }
  }
  return options.compressed ? test_support::Compressed(body) : "SIMISA@@@@@@@@@@" + body;
}

}  // namespace standin
