#include "formats/ace.h"

#include <algorithm>
#include <bit>

namespace formats {
namespace {

constexpr size_t kMostChannels = 16;

uint32_t U32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

uint64_t U64(std::string_view bytes, size_t at) {
  return U32(bytes, at) | (uint64_t{U32(bytes, at + 4)} << 32);
}

bool SoundSide(uint32_t side) {
  return side != 0 && side <= kAceLargestSide && std::has_single_bit(side);
}

size_t BlockBytes(AceEncoding encoding) { return encoding == AceEncoding::kDxt1 ? 8 : 16; }

// The bytes of one row of a level of channel images.
uint64_t RowBytes(const AceHeader& header, uint32_t width) {
  uint64_t bytes = 0;
  for (const AceChannel& channel : header.channels)
    bytes += channel.bits == 8 ? width : (width + 7) / 8;
  return bytes;
}

uint64_t DxtBytes(const AceHeader& header, int level) {
  const uint64_t across = (header.LevelWidth(level) + 3) / 4;
  const uint64_t down = (header.LevelHeight(level) + 3) / 4;
  return across * down * BlockBytes(header.encoding);
}

size_t TableStart(const AceHeader& header) {
  return kAceHeaderBytes + header.channels.size() * kAceChannelBytes;
}

// Rows of channel images, or images of DXT ones, before a level.
uint64_t EntriesBefore(const AceHeader& header, int level) {
  if (header.encoding != AceEncoding::kChannels) return static_cast<uint64_t>(level);
  uint64_t rows = 0;
  for (int n = 0; n < level; ++n) rows += header.LevelHeight(n);
  return rows;
}

uint64_t TableBytes(const AceHeader& header) { return 4 * EntriesBefore(header, header.levels()); }

// The body's length the header and channels require: the tables and every
// level's data.
uint64_t RequiredLength(const AceHeader& header) {
  uint64_t length = TableStart(header) + TableBytes(header);
  for (int level = 0; level < header.levels(); ++level) {
    length += header.encoding == AceEncoding::kChannels
                  ? RowBytes(header, header.LevelWidth(level)) * header.LevelHeight(level)
                  : 4 + DxtBytes(header, level);
  }
  return length;
}

// The header and channel table of a body that may hold only its start.
AceFault ReadHeader(std::string_view body, AceHeader& header) {
  if (body.size() < kAceHeaderBytes) return AceFault::kHeaderCut;
  header.flags = U32(body, 4);
  header.width = U32(body, 8);
  header.height = U32(body, 12);
  header.surface_format = U32(body, 16);
  const uint32_t count = U32(body, 20);
  const std::string_view creator = body.substr(44, 64);
  header.creator = creator.substr(0, creator.find('\0'));
  if (!SoundSide(header.width) || !SoundSide(header.height)) return AceFault::kBadSize;
  header.encoding = AceEncoding::kChannels;
  if (header.flags & kAceDxt) {
    switch (header.surface_format) {
      case kAceDxt1:
        header.encoding = AceEncoding::kDxt1;
        break;
      case kAceDxt3:
        header.encoding = AceEncoding::kDxt3;
        break;
      case kAceDxt5:
        header.encoding = AceEncoding::kDxt5;
        break;
      default:
        return AceFault::kUnknownDxt;
    }
  }
  const bool dxt = header.encoding != AceEncoding::kChannels;
  if (count > kMostChannels || (count == 0 && !dxt)) return AceFault::kBadChannels;
  if (body.size() < kAceHeaderBytes + count * kAceChannelBytes) return AceFault::kHeaderCut;
  header.channels.clear();
  for (size_t n = 0; n < count; ++n) {
    const size_t at = kAceHeaderBytes + n * kAceChannelBytes;
    AceChannel& channel =
        header.channels.emplace_back(AceChannel{U64(body, at), U64(body, at + 8)});
    if (channel.bits != 1 && channel.bits != 8) return AceFault::kBadChannels;
  }
  return AceFault::kNone;
}

uint8_t Expand(uint32_t value, int bits) {
  return static_cast<uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

// The four colours of a DXT colour block; in DXT1's three-colour form the
// fourth is transparent black.
void BlockColours(std::string_view block, bool may_be_transparent, uint8_t colours[4][4]) {
  const uint32_t ends[2] = {U32(block, 0) & 0xFFFF, U32(block, 0) >> 16};
  for (int n = 0; n < 2; ++n) {
    colours[n][0] = Expand(ends[n] >> 11, 5);
    colours[n][1] = Expand((ends[n] >> 5) & 0x3F, 6);
    colours[n][2] = Expand(ends[n] & 0x1F, 5);
    colours[n][3] = 255;
  }
  const bool four = !may_be_transparent || ends[0] > ends[1];
  for (int c = 0; c < 3; ++c) {
    colours[2][c] = static_cast<uint8_t>(four ? (2 * colours[0][c] + colours[1][c]) / 3
                                              : (colours[0][c] + colours[1][c]) / 2);
    colours[3][c] = static_cast<uint8_t>(four ? (colours[0][c] + 2 * colours[1][c]) / 3 : 0);
  }
  colours[2][3] = 255;
  colours[3][3] = four ? 255 : 0;
}

// The sixteen alpha values of a DXT3 or DXT5 alpha block.
void BlockAlphas(std::string_view block, AceEncoding encoding, uint8_t alphas[16]) {
  const uint64_t bits = U64(block, 0);
  if (encoding == AceEncoding::kDxt3) {
    for (int n = 0; n < 16; ++n) alphas[n] = static_cast<uint8_t>(((bits >> (4 * n)) & 0xF) * 17);
    return;
  }
  const int a0 = static_cast<uint8_t>(block[0]);
  const int a1 = static_cast<uint8_t>(block[1]);
  int values[8] = {a0, a1};
  if (a0 > a1) {
    for (int n = 1; n < 7; ++n) values[n + 1] = ((7 - n) * a0 + n * a1) / 7;
  } else {
    for (int n = 1; n < 5; ++n) values[n + 1] = ((5 - n) * a0 + n * a1) / 5;
    values[6] = 0;
    values[7] = 255;
  }
  for (int n = 0; n < 16; ++n) alphas[n] = static_cast<uint8_t>(values[(bits >> (16 + 3 * n)) & 7]);
}

void DecodeDxt(std::string_view data, AceEncoding encoding, RgbaImage& image) {
  const size_t block_bytes = BlockBytes(encoding);
  const int across = std::max(1, (image.width + 3) / 4);
  const int down = std::max(1, (image.height + 3) / 4);
  for (int by = 0; by < down; ++by) {
    for (int bx = 0; bx < across; ++bx) {
      const std::string_view block =
          data.substr((static_cast<size_t>(by) * across + bx) * block_bytes, block_bytes);
      const std::string_view colour = block.substr(block_bytes - 8);
      uint8_t colours[4][4];
      BlockColours(colour, encoding == AceEncoding::kDxt1, colours);
      uint8_t alphas[16];
      if (encoding != AceEncoding::kDxt1) BlockAlphas(block, encoding, alphas);
      const uint32_t indices = U32(colour, 4);
      for (int n = 0; n < 16; ++n) {
        const int x = bx * 4 + n % 4;
        const int y = by * 4 + n / 4;
        if (x >= image.width || y >= image.height) continue;
        uint8_t* pixel = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
        std::copy_n(colours[(indices >> (2 * n)) & 3], 4, pixel);
        if (encoding != AceEncoding::kDxt1) pixel[3] = alphas[n];
      }
    }
  }
}

// The pixel byte a channel of a kind fills: red, green, blue or alpha.
int Component(uint64_t kind) {
  switch (static_cast<AceKind>(kind)) {
    case AceKind::kRed:
      return 0;
    case AceKind::kGreen:
      return 1;
    case AceKind::kBlue:
      return 2;
    case AceKind::kMask:
    case AceKind::kAlpha:
      return 3;
  }
  return -1;
}

void DecodeRow(std::string_view row, const AceHeader& header, uint8_t* pixels, int width) {
  size_t at = 0;
  for (const AceChannel& channel : header.channels) {
    const int component = Component(channel.kind);
    const size_t bytes = channel.bits == 8 ? width : (width + 7) / 8;
    if (component >= 0) {
      for (int x = 0; x < width; ++x) {
        const uint8_t value = static_cast<uint8_t>(row[at + (channel.bits == 8 ? x : x / 8)]);
        pixels[4 * x + component] =
            channel.bits == 8 ? value : ((value >> (7 - x % 8)) & 1 ? 255 : 0);
      }
    }
    at += bytes;
  }
}

// Whether the container holds a texture's body.
AceFault BodyFault(const SimisFile& file) {
  if (file.form() == Form::kDamaged) return AceFault::kNotInflated;
  return file.form() == Form::kNoTypeLine ? AceFault::kNone : AceFault::kNotAce;
}

}  // namespace

bool AceHeader::Has(AceKind kind) const {
  return std::any_of(channels.begin(), channels.end(),
                     [kind](const AceChannel& c) { return c.kind == static_cast<uint64_t>(kind); });
}

int AceHeader::levels() const {
  if (!mip_maps()) return 1;
  return std::bit_width(std::max(width, height));
}

uint32_t AceHeader::LevelWidth(int level) const { return std::max(1u, width >> level); }
uint32_t AceHeader::LevelHeight(int level) const { return std::max(1u, height >> level); }

AceTexture::AceTexture(std::string_view bytes) : file_(bytes) { fault_ = Check(); }

AceFault AceTexture::Check() {
  if (const AceFault fault = BodyFault(file_); fault != AceFault::kNone) return fault;
  const std::string_view body = file_.body();
  const AceHeader& header = header_;
  if (const AceFault fault = ReadHeader(body, header_); fault != AceFault::kNone) return fault;
  const size_t table = TableStart(header);
  if (body.size() - table < TableBytes(header)) return AceFault::kTableCut;
  const bool channels = header.encoding == AceEncoding::kChannels;
  size_t entry = table;
  for (int level = 0; level < header.levels(); ++level) {
    const uint64_t row = channels ? RowBytes(header, header.LevelWidth(level)) : 0;
    const uint32_t entries = channels ? header.LevelHeight(level) : 1;
    for (uint32_t n = 0; n < entries; ++n, entry += 4) {
      const uint64_t offset = U32(body, entry);
      if (offset >= body.size()) return AceFault::kOffsetPastEnd;
      const uint64_t length = channels ? row : 4 + DxtBytes(header, level);
      // A DXT image's byte count too must stay within the file.
      if (body.size() - offset < length ||
          (!channels && U32(body, offset) > body.size() - offset - 4)) {
        return AceFault::kDataCut;
      }
    }
  }
  return AceFault::kNone;
}

int AceTexture::LevelFor(uint32_t side) const {
  int level = 0;
  while (level + 1 < header_.levels() &&
         std::max(header_.LevelWidth(level + 1), header_.LevelHeight(level + 1)) >= side) {
    ++level;
  }
  return level;
}

RgbaImage AceTexture::Decode(int level) const {
  RgbaImage image;
  if (fault_ != AceFault::kNone || level < 0 || level >= header_.levels()) return image;
  image.width = static_cast<int>(header_.LevelWidth(level));
  image.height = static_cast<int>(header_.LevelHeight(level));
  image.pixels.assign(static_cast<size_t>(image.width) * image.height * 4, 0);
  const std::string_view body = file_.body();
  const size_t entry = TableStart(header_) + 4 * EntriesBefore(header_, level);
  if (header_.encoding != AceEncoding::kChannels) {
    DecodeDxt(body.substr(U32(body, entry) + 4), header_.encoding, image);
    return image;
  }
  for (size_t n = 3; n < image.pixels.size(); n += 4) image.pixels[n] = 255;
  for (int y = 0; y < image.height; ++y) {
    DecodeRow(body.substr(U32(body, entry + 4 * y)), header_,
              &image.pixels[static_cast<size_t>(y) * image.width * 4], image.width);
  }
  return image;
}

AceFault CheckAceHead(std::string_view head, uint64_t file_length, AceHeader* header) {
  // The header and the largest channel table, with room to spare.
  constexpr size_t kBody = kAceHeaderBytes + kMostChannels * kAceChannelBytes + 64;
  const SimisFile file(head, kBody);
  if (const AceFault fault = BodyFault(file); fault != AceFault::kNone) return fault;
  const std::string_view body = file.body();
  const uint64_t length = file.compressed()           ? file.stated_length()
                          : file_length > head.size() ? file_length - (head.size() - body.size())
                                                      : body.size();
  AceHeader read;
  AceHeader& into = header ? *header : read;
  if (const AceFault fault = ReadHeader(body, into); fault != AceFault::kNone) return fault;
  if (length < TableStart(into) + TableBytes(into)) return AceFault::kTableCut;
  return length < RequiredLength(into) ? AceFault::kDataCut : AceFault::kNone;
}

}  // namespace formats
