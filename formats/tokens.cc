#include "formats/tokens.h"

#include <array>

namespace formats {
namespace {

uint32_t Little(std::string_view bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

constexpr size_t kHeader = 8;  // token, flags, count

struct Named {
  uint16_t token;
  std::string_view name;
};
constexpr std::array<Named, 4> kCore = {
    {{token::kComment, "comment"}, {token::kImage, "image"}, {token::kImages, "images"},
     {token::kShape, "shape"}}};
constexpr std::array<Named, 6> kWorld = {{{token::kStatic, "Static"},
                                          {token::kTrackObj, "TrackObj"},
                                          {token::kForest, "Forest"},
                                          {token::kWorldFile, "Tr_Worldfile"},
                                          {token::kFileName, "FileName"},
                                          {token::kUiD, "UiD"}}};

}  // namespace

std::string_view TokenName(char table, uint16_t token) {
  auto find = [token](const auto& names) -> std::string_view {
    for (const Named& named : names) {
      if (named.token == token) return named.name;
    }
    return {};
  };
  return table == 'w' ? find(kWorld) : find(kCore);
}

bool TokenReader::Block(TokenBlock& block) {
  const size_t left = bytes_.size() - pos_;
  if (left < kHeader) return Fail(Fault::kBlockCut);
  const uint32_t count = Little(bytes_, pos_ + 4, 4);
  if (count > left - kHeader) return Fail(Fault::kBlockCut);
  if (count == 0) return Fail(Fault::kLabelCut);
  const size_t label = static_cast<size_t>(static_cast<unsigned char>(bytes_[pos_ + kHeader])) * 2;
  if (1 + label > count) return Fail(Fault::kLabelCut);
  block.token = static_cast<uint16_t>(Little(bytes_, pos_, 2));
  block.flags = static_cast<uint16_t>(Little(bytes_, pos_ + 2, 2));
  block.label = bytes_.substr(pos_ + kHeader + 1, label);
  block.content = bytes_.substr(pos_ + kHeader + 1 + label, count - 1 - label);
  pos_ += kHeader + count;
  return true;
}

bool TokenReader::String(std::string_view& units) {
  const size_t left = bytes_.size() - pos_;
  if (left < 2) return Fail(Fault::kValueCut);
  const size_t size = size_t{Little(bytes_, pos_, 2)} * 2;
  if (size > left - 2) return Fail(Fault::kValueCut);
  units = bytes_.substr(pos_ + 2, size);
  pos_ += 2 + size;
  return true;
}

bool TokenReader::Number(uint32_t& value) {
  if (bytes_.size() - pos_ < 4) return Fail(Fault::kValueCut);
  value = Little(bytes_, pos_, 4);
  pos_ += 4;
  return true;
}

bool TokenReader::BlockBegins(uint16_t flags) const {
  const size_t left = bytes_.size() - pos_;
  if (left < kHeader + 1 || Little(bytes_, pos_ + 2, 2) != flags) return false;
  const uint32_t count = Little(bytes_, pos_ + 4, 4);
  return count != 0 && count <= left - kHeader &&
         1 + size_t{static_cast<unsigned char>(bytes_[pos_ + kHeader])} * 2 <= count;
}

size_t NestedBlocksAt(std::string_view content, uint16_t flags) {
  auto begins = [&](size_t at) {
    if (flags == 0) return TokenReader(content.substr(at)).BlockBegins(flags);
    return content.size() >= at + kHeader && Little(content, at + 2, 2) == flags;
  };
  if (begins(0)) return 0;
  if (content.size() > 4 && begins(4)) return 4;
  return std::string_view::npos;
}

}  // namespace formats
