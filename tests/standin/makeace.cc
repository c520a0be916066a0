// Stand-in for the SDK's makeace.exe:
//   makeace.exe <source> "<output>" [-trans] [-bmp -width:(W) -height:(H)] [-zlib] [-dxt]
// run in the source's folder. It writes a real ACE texture of its TGA or
// BMP source, with mip-maps: 8-bit colour channels, with -trans an alpha
// channel (a 1-bit mask when the source's alpha is only ever 0 or 255),
// DXT1 with -dxt, compressed with -zlib. The size options are taken and
// not used.
#include <string>
#include <string_view>

#include "formats/tga.h"
#include "demo/ace_writer.h"
#include "demo/little_endian.h"
#include "tests/standin/standin_tool.h"

namespace {

bool IsSizeOption(const std::string& arg, std::string_view name) {
  return arg.size() >= name.size() + 1 && arg.compare(0, name.size(), name) == 0 &&
         arg.back() == ')';
}

// A Windows bitmap of 24 or 32 bits a pixel, uncompressed.
bool ReadBmp(std::string_view bytes, formats::RgbaImage& image) {
  if (bytes.size() < 54 || !bytes.starts_with("BM")) return false;
  const uint32_t pixels_at = standin::GetLe(bytes, 10, 4);
  const int32_t width = static_cast<int32_t>(standin::GetLe(bytes, 18, 4));
  const int32_t stated_height = static_cast<int32_t>(standin::GetLe(bytes, 22, 4));
  const uint32_t bits = standin::GetLe(bytes, 28, 2);
  const uint32_t compression = standin::GetLe(bytes, 30, 4);
  const bool from_top = stated_height < 0;
  const int64_t height = from_top ? -int64_t{stated_height} : stated_height;
  if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3)) return false;
  if (width <= 0 || width > 16384 || height <= 0 || height > 16384) return false;
  const size_t row = (static_cast<size_t>(width) * bits / 8 + 3) & ~size_t{3};
  if (pixels_at > bytes.size() || (bytes.size() - pixels_at) / row < static_cast<size_t>(height))
    return false;
  image = {width, static_cast<int>(height), {}};
  for (int64_t y = 0; y < height; ++y) {
    const size_t at = pixels_at + row * static_cast<size_t>(from_top ? y : height - 1 - y);
    for (int32_t x = 0; x < width; ++x) {
      const size_t p = at + static_cast<size_t>(x) * bits / 8;
      image.pixels.insert(image.pixels.end(),
                          {static_cast<uint8_t>(bytes[p + 2]), static_cast<uint8_t>(bytes[p + 1]),
                           static_cast<uint8_t>(bytes[p]),
                           bits == 32 ? static_cast<uint8_t>(bytes[p + 3]) : uint8_t{255}});
    }
  }
  return true;
}

bool OnlyOnOrOff(const formats::RgbaImage& image) {
  for (size_t n = 3; n < image.pixels.size(); n += 4) {
    if (image.pixels[n] != 0 && image.pixels[n] != 255) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  standin::Tool tool("makeace", argc, argv);
  const std::vector<std::string>& args = tool.args();
  if (args.size() < 2) return tool.Fail(2, "usage: makeace <source> <output> [options]");

  // The options come in this order, each at most once.
  size_t next = 2;
  auto take = [&](std::string_view option) {
    if (next < args.size() && args[next] == option) {
      ++next;
      return true;
    }
    return false;
  };
  standin::AceOptions options;
  const bool trans = take("-trans");
  if (take("-bmp")) {
    if (next + 1 >= args.size() || !IsSizeOption(args[next], "-width:(") ||
        !IsSizeOption(args[next + 1], "-height:("))
      return tool.Fail(2, "-bmp needs -width:(W) -height:(H)");
    next += 2;
  }
  options.compressed = take("-zlib");
  options.dxt = take("-dxt");
  if (next < args.size()) return tool.Fail(2, "unknown option " + args[next]);

  if (!tool.ready()) return tool.Fail(1, "the working folder lies on no drive");
  std::optional<std::string> source = tool.files().ReadFile(args[0]);
  if (!source) return tool.Fail(1, "cannot read " + args[0]);
  formats::RgbaImage image;
  if (!ReadBmp(*source, image) && !formats::ReadTga(*source, image))
    return tool.Fail(1, args[0] + " is neither a TGA nor a BMP image");
  // DXT1 holds no more than a mask.
  if (trans) options.alpha = options.dxt || OnlyOnOrOff(image) ? options.kMask : options.kAlpha;

  if (!tool.files().ReplaceFile(args[1], standin::WriteAce(image, options)))
    return tool.Fail(1, "cannot write " + args[1]);
  return 0;
}
