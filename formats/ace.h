// ACE textures. After the SIMIS signature (plain, or inside a compressed
// body) an .ace holds little-endian fields: 1, flags (kAceMipMaps,
// kAceDxt), width, height, the surface format, the channel count, one more
// number, 16 bytes of text, 64 bytes naming the maker (the creator line),
// 44 more bytes; then per channel two 64-bit numbers, its bits per pixel
// (1 or 8) and its kind (AceKind). Offsets count from the first field.
//   - Channel images: one 32-bit offset per row of every mip level, then
//     the rows, each holding every channel's values in turn (8-bit ones a
//     byte a pixel, 1-bit ones packed from the high bit).
//   - DXT images: one 32-bit offset per level, and at each a 32-bit byte
//     count and the level's 4x4 blocks, row by row.
// Widths and heights are powers of two up to 4096; each mip level halves
// both, down to 1x1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/simis.h"

namespace formats {

// An image to show: 4 bytes a pixel (red, green, blue, alpha), rows from
// the top.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

inline constexpr uint32_t kAceMipMaps = 0x01;
inline constexpr uint32_t kAceDxt = 0x10;
// Surface formats, Direct3D's numbers.
inline constexpr uint32_t kAceRgb = 0x0E;
inline constexpr uint32_t kAceRgbMask = 0x10;
inline constexpr uint32_t kAceRgba = 0x11;
inline constexpr uint32_t kAceDxt1 = 0x12;
inline constexpr uint32_t kAceDxt3 = 0x13;
inline constexpr uint32_t kAceDxt5 = 0x14;
// The header before the channel table, and each channel's entry.
inline constexpr size_t kAceHeaderBytes = 152;
inline constexpr size_t kAceChannelBytes = 16;
inline constexpr uint32_t kAceLargestSide = 4096;

enum class AceKind : uint64_t { kMask = 2, kRed = 3, kGreen = 4, kBlue = 5, kAlpha = 6 };

struct AceChannel {
  uint64_t bits = 0;
  uint64_t kind = 0;
};

enum class AceEncoding { kChannels, kDxt1, kDxt3, kDxt5 };

// Why a texture cannot be read.
enum class AceFault {
  kNone,
  kNotAce,         // no SIMIS file of a texture
  kNotInflated,    // a compressed file that does not inflate (SimisFile::fault says why)
  kHeaderCut,      // the file ends within the header or the channel table
  kBadSize,        // a side that is no power of two, or above 4096
  kBadChannels,    // no channel, more than 16, or one of neither 1 nor 8 bits
  kUnknownDxt,     // DXT images in a surface format that is none of DXT1, DXT3, DXT5
  kTableCut,       // the table of row or image offsets runs past the end
  kOffsetPastEnd,  // an offset points past the end
  kDataCut,        // a row or image runs past the end: the file is cut short
};

struct AceHeader {
  uint32_t flags = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t surface_format = 0;
  AceEncoding encoding = AceEncoding::kChannels;
  std::vector<AceChannel> channels;
  std::string creator;

  bool mip_maps() const { return flags & kAceMipMaps; }
  bool Has(AceKind kind) const;
  int levels() const;
  uint32_t LevelWidth(int level) const;
  uint32_t LevelHeight(int level) const;
};

// A whole .ace file, its header and tables checked against its length when
// it is opened, so that any level decodes without a look past the end.
class AceTexture {
 public:
  // The bytes must outlive this.
  explicit AceTexture(std::string_view bytes);

  AceFault fault() const { return fault_; }
  bool compressed() const { return file_.compressed(); }
  const AceHeader& header() const { return header_; }

  // The smallest level whose longer side is at least `side` pixels; the
  // largest level when none is.
  int LevelFor(uint32_t side) const;
  // One level as RGBA; empty when the texture is damaged or has no such
  // level. A 1-bit channel gives 0 or 255; without alpha or mask, 255.
  RgbaImage Decode(int level) const;

 private:
  AceFault Check();

  SimisFile file_;
  AceHeader header_;
  AceFault fault_ = AceFault::kNone;
};

// How many bytes of a file CheckAceHead needs at most: its header, its
// channel table and, compressed, the stream that holds them.
inline constexpr size_t kAceHeadBytes = 4096;

// Whether a texture's header is sound and its file as long as the header
// and channels require, from the file's first bytes (kAceHeadBytes, or
// the whole file when shorter) and its length, without its pixels. A
// compressed file is measured by the length it states for its body.
AceFault CheckAceHead(std::string_view head, uint64_t file_length, AceHeader* header = nullptr);

}  // namespace formats
