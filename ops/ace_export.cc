#include "ops/ace_export.h"

#include <cstdio>
#include <optional>

#include "core/error.h"
#include "ops/user_file.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace ops {
namespace {

using core::Msg;
using formats::AceEncoding;
using formats::AceFault;
using formats::AceKind;

std::string Size(uint32_t width, uint32_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

// The texture at the path, or nothing after a failure line saying why.
struct Opened {
  std::string bytes;
  std::optional<formats::AceTexture> texture;
};

bool Open(core::ConvMain& main, const std::string& path, Opened& opened) {
  std::optional<std::string> bytes = main.files.ReadFile(path);
  if (!bytes) {
    const Msg why =
        platform::TooLargeToRead(main.files, path) ? Msg::CheckTooLarge : Msg::CheckNotOpened;
    main.log.AddFailure(main.language.Format(why, path));
    return false;
  }
  opened.bytes = std::move(*bytes);
  const formats::AceTexture& texture = opened.texture.emplace(opened.bytes);
  if (texture.fault() == AceFault::kNone) return true;
  main.log.AddFailure(path + ": " + AceFaultText(main.language, texture.fault(), texture.header()));
  return false;
}

}  // namespace

std::string AceFaultText(const core::Language& language, AceFault fault,
                         const formats::AceHeader& header) {
  switch (fault) {
    case AceFault::kNone:
      break;
    case AceFault::kNotAce:
      return language[Msg::AceNotTexture];
    case AceFault::kNotInflated:
      return language[Msg::AceNotInflated];
    case AceFault::kHeaderCut:
      return language[Msg::AceHeaderCut];
    case AceFault::kBadSize:
      return language.Format(Msg::AceBadSize, Size(header.width, header.height));
    case AceFault::kBadChannels:
      return language[Msg::AceBadChannels];
    case AceFault::kUnknownDxt: {
      char number[16];
      std::snprintf(number, sizeof number, "0x%X", header.surface_format);
      return language.Format(Msg::AceUnknownDxt, number);
    }
    case AceFault::kTableCut:
      return language[Msg::AceTableCut];
    case AceFault::kOffsetPastEnd:
      return language[Msg::AceOffsetPastEnd];
    case AceFault::kDataCut:
      return language[Msg::AceDataCut];
  }
  return {};
}

std::string AceDescription(const core::Language& language, const formats::AceTexture& texture) {
  const formats::AceHeader& header = texture.header();
  std::string form;
  switch (header.encoding) {
    case AceEncoding::kChannels:
      form = "RGB";
      break;
    case AceEncoding::kDxt1:
      form = "DXT1";
      break;
    case AceEncoding::kDxt3:
      form = "DXT3";
      break;
    case AceEncoding::kDxt5:
      form = "DXT5";
      break;
  }
  if (header.Has(AceKind::kAlpha)) form += language[Msg::AceWithAlpha];
  if (header.Has(AceKind::kMask)) form += language[Msg::AceWithMask];
  std::string text = Size(header.width, header.height) + ", " + form;
  if (texture.compressed()) text += ", " + language[Msg::AceCompressed];
  text +=
      ", " + (header.mip_maps() ? language.Format(Msg::AceMipMaps, std::to_string(header.levels()))
                                : language[Msg::AceNoMipMaps]);
  if (!header.creator.empty()) text += ", " + language.Format(Msg::AceCreator, header.creator);
  return text;
}

void AceInfo(core::ConvMain& main, const std::string& path) {
  Opened opened;
  if (Open(main, path, opened))
    main.log.Add(path + ": " + AceDescription(main.language, *opened.texture));
}

void AceToPng(core::ConvMain& main, const std::string& path) {
  Opened opened;
  if (!Open(main, path, opened)) return;
  const formats::RgbaImage image = opened.texture->Decode(0);
  std::string png;
  const auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
  };
  if (!stbi_write_png_to_func(append, &png, image.width, image.height, 4, image.pixels.data(),
                              image.width * 4)) {
    throw core::Error("Cannot create file " + path);
  }
  const size_t dot = path.find_last_of(".\\/");
  const std::string target =
      (dot != std::string::npos && path[dot] == '.' ? path.substr(0, dot) : path) + ".png";
  // An image beside a texture is no route file: no folder is guarded.
  if (ReplaceWhenAgreed(main, target, png, {}, Msg::InCheckedRoute)) {
    main.log.Add(main.language.Format(Msg::AceSavedAs, path, target));
  }
}

}  // namespace ops
