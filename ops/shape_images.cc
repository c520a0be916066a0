#include "ops/shape_images.h"

namespace ops {

size_t ShapeImages::Bytes() const {
  size_t bytes = images.names.capacity() * sizeof(std::string);
  for (const std::string& image : images.names) bytes += image.size();
  return bytes;
}

std::unique_ptr<ReadAhead::Digest> DigestShape(const std::string& bytes) {
  auto digest = std::make_unique<ShapeImages>();
  digest->images = formats::ImageNames(formats::SimisFile(bytes));
  return digest;
}

std::vector<std::string> TakeImages(ReadAhead& ahead, SimisReader& reader, const std::string& path,
                                    ImagesUnread& why, std::string& reason) {
  why = ImagesUnread::kNone;
  ReadAhead::Read read = ahead.Take();
  if (!read.bytes) {
    why = read.too_large ? ImagesUnread::kTooLarge : ImagesUnread::kNotOpened;
    return {};
  }
  formats::ShapeImages& images = static_cast<ShapeImages&>(*read.digest).images;
  if (images.fault == formats::Fault::kNone) return std::move(images.names);
  const ReadAhead::Hold hold(ahead);
  const std::optional<std::string> text = reader.ThroughTool(path, images.fault, reason);
  if (!text) {
    why = ImagesUnread::kNotRead;
    return {};
  }
  return formats::ImageNames(formats::SimisFile(*text)).names;
}

}  // namespace ops
