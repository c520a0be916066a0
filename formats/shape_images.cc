#include "formats/shape_images.h"

#include <optional>

#include "formats/text.h"
#include "formats/tokens.h"
#include "platform/text.h"

namespace formats {
namespace {

std::vector<std::string> TextImages(std::string_view images) {
  std::vector<std::string> names;
  text::BlockReader reader(images);
  text::Block image;
  while (reader.Next(image)) {
    if (image.opened && text::KeywordIs(text::KeywordOf(image.name), "image"))
      names.push_back(text::NameOf(image.value));
  }
  return names;
}

std::vector<std::string> FromText(std::string_view text) {
  auto is_images = [](const text::Block& block) {
    return block.opened && text::KeywordIs(text::KeywordOf(block.name), "images");
  };
  text::BlockReader top(text);
  text::Block block;
  while (top.Next(block)) {
    if (!block.opened || text::IsFormatKeyword(text::KeywordOf(block.name))) continue;
    if (is_images(block)) return TextImages(block.value);
    text::BlockReader inner(block.value);
    text::Block child;
    while (inner.Next(child)) {
      if (is_images(child)) return TextImages(child.value);
    }
  }
  return {};
}

// The images block's content: a count, then the image blocks.
ShapeImages TokenImages(std::string_view images) {
  ShapeImages found;
  TokenReader reader(images);
  uint32_t count = 0;
  if (!reader.Number(count)) return {{}, reader.fault()};
  while (!reader.AtEnd()) {
    TokenBlock image;
    if (!reader.Block(image)) return {{}, reader.fault()};
    if (image.token != token::kImage) continue;
    TokenReader value(image.content);
    std::string_view units;
    if (!value.String(units)) return {{}, value.fault()};
    found.names.emplace_back(text::TrimView(platform::Utf16LeToUtf8(units)));
  }
  return found;
}

// The blocks of the top and those of each top-level block are all read,
// so that a count that runs past its block is found wherever it stands.
ShapeImages FromTokens(std::string_view body) {
  if (body.empty()) return {{}, Fault::kNotTokens};
  std::optional<std::string_view> images;
  TokenReader top(body);
  while (!top.AtEnd()) {
    TokenBlock block;
    if (!top.Block(block)) return {{}, top.fault()};
    if (block.token == token::kComment) continue;
    if (block.token == token::kImages) {
      if (!images) images = block.content;
      continue;
    }
    TokenReader inner(block.content);
    while (!inner.AtEnd()) {
      TokenBlock child;
      if (!inner.Block(child)) return {{}, inner.fault()};
      if (child.token == token::kImages && !images) images = child.content;
    }
  }
  if (!images) return {};
  return TokenImages(*images);
}

}  // namespace

ShapeImages ImageNames(const SimisFile& file) {
  switch (file.form()) {
    case Form::kUnicodeText:
    case Form::kEightBitText:
      return {FromText(file.Text())};
    case Form::kTokens:
      return FromTokens(file.body());
    case Form::kPlain:
      if (file.body().empty()) return {};
      break;
    case Form::kNoTypeLine:
      break;
    case Form::kDamaged:
      return {{}, file.fault()};
  }
  return {{}, Fault::kUnknownForm};
}

}  // namespace formats
