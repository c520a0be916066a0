#include "ops/shape_images.h"

#include "route/route.h"

namespace ops {

size_t ShapeImages::Bytes() const {
  size_t bytes = images.capacity() * sizeof(std::string);
  for (const std::string& image : images) bytes += image.size();
  return bytes;
}

std::unique_ptr<ReadAhead::Digest> DigestShape(const std::string& bytes) {
  auto digest = std::make_unique<ShapeImages>();
  SimisContent content = DecodeSimis(bytes);
  digest->form = content.form;
  if (content.form == SimisContent::kText) digest->images = route::ImageNames(content.text);
  return digest;
}

std::vector<std::string> TakeImages(ReadAhead& ahead, SimisReader& reader,
                                    const platform::FileSystem& files, const std::string& path,
                                    ImagesUnread& why) {
  why = ImagesUnread::kNone;
  ReadAhead::Read read = ahead.Take();
  if (!read.bytes) {
    why = read.too_large ? ImagesUnread::kTooLarge : ImagesUnread::kNotOpened;
    return {};
  }
  auto& digest = static_cast<ShapeImages&>(*read.digest);
  switch (digest.form) {
    case SimisContent::kText:
      return std::move(digest.images);
    case SimisContent::kDamaged:
      why = ImagesUnread::kNotText;
      return {};
    case SimisContent::kBinary:
      break;
  }
  const ReadAhead::Hold hold(ahead);
  if (!files.FileExists(reader.ToolPath())) {
    why = ImagesUnread::kNeedsTool;
    return {};
  }
  const std::optional<std::string> text = reader.TextOf(path, *read.bytes);
  if (!text) {
    why = ImagesUnread::kBinaryUnread;
    return {};
  }
  return route::ImageNames(*text);
}

}  // namespace ops
