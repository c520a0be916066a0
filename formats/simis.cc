#include "formats/simis.h"

#include <zlib.h>

#include <algorithm>

#include "platform/text.h"

namespace formats {
namespace {

constexpr std::string_view kMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kSignature = "SIMISA@@@@@@@@@@";
constexpr std::string_view kCompressed = "SIMISA@F";
constexpr std::string_view kWideSimis{"S\0I\0M\0I\0S\0A\0", 12};
constexpr std::string_view kWideJinx{"J\0I\0N\0X\0", 8};
// "JINX0s1b______" and CR LF.
constexpr size_t kTypeLine = 16;
constexpr size_t kTypeLetters = 14;
// "SIMISA@F", the body's length, "@@@@".
constexpr size_t kCompressedHeader = 16;

}  // namespace

bool IsUnicodeText(std::string_view bytes) {
  return bytes.starts_with(kMark) || bytes.starts_with(kWideSimis);
}

SimisFile::SimisFile(std::string_view bytes) : SimisFile(bytes, SIZE_MAX) {}

SimisFile::SimisFile(std::string_view bytes, size_t body_limit)
    : bytes_(bytes), end_(bytes.size()) {
  if (IsUnicodeText(bytes)) {
    form_ = Form::kUnicodeText;
    begin_ = bytes.starts_with(kMark) ? kMark.size() : 0;
  } else if (bytes.starts_with(kCompressed)) {
    compressed_ = true;
    Inflate(bytes, body_limit);
  } else if (bytes.starts_with(kSignature)) {
    ReadInner(bytes.substr(kSignature.size()), kSignature.size());
  }
}

std::string_view SimisFile::body() const {
  const std::string_view whole = compressed_ ? std::string_view(inflated_) : bytes_;
  return whole.substr(begin_, end_ - begin_);
}

std::string SimisFile::Text() const {
  std::string_view text = body();
  switch (form_) {
    case Form::kUnicodeText:
      return platform::Utf16LeToUtf8(text);
    case Form::kEightBitText:
    case Form::kPlain:
      // What a text editor may put before UTF-8 text.
      if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
      return platform::EightBitToUtf8(text);
    case Form::kTokens:
    case Form::kNoTypeLine:
    case Form::kDamaged:
      break;
  }
  return {};
}

void SimisFile::ReadInner(std::string_view inner, size_t offset) {
  if (!inner.starts_with("JINX0") || inner.size() < 8) {
    form_ = Form::kNoTypeLine;
    begin_ = offset;
    return;
  }
  type_ = inner.substr(0, std::min(inner.size(), kTypeLetters));
  if (type_[7] == 'b') {
    form_ = Form::kTokens;
    begin_ = offset + std::min(inner.size(), kTypeLine);
  } else {
    // A text keeps its first line: its readers expect it there.
    form_ = Form::kEightBitText;
    begin_ = 0;
  }
}

void SimisFile::Inflate(std::string_view bytes, size_t body_limit) {
  form_ = Form::kDamaged;
  end_ = 0;
  if (bytes.size() < kCompressedHeader || bytes.substr(12, 4) != "@@@@") {
    fault_ = Fault::kBadHeader;
    return;
  }
  uint64_t stated = 0;
  for (int i = 3; i >= 0; --i) stated = (stated << 8) | static_cast<unsigned char>(bytes[8 + i]);
  stated_ = stated;
  if (stated > kMaxBody) {
    fault_ = Fault::kLengthTooLarge;
    return;
  }
  const std::string_view input = bytes.substr(kCompressedHeader);
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) {
    fault_ = Fault::kStreamBroken;
    return;
  }
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  stream.avail_in = static_cast<uInt>(std::min<size_t>(input.size(), UINT32_MAX));
  // Room for what the stream may hold, as far as the bytes at hand can
  // make it; it grows when they make more, up to one byte past the stated
  // length, which tells a stream longer than stated.
  const bool partial = body_limit <= stated;
  const size_t limit = partial ? body_limit : static_cast<size_t>(stated) + 1;
  inflated_.resize(std::min(limit, input.size() * 8 + 4096));
  size_t done = 0;
  int result = Z_OK;
  while (result == Z_OK) {
    if (done == inflated_.size()) {
      if (done == limit) break;
      inflated_.resize(std::min(limit, done * 2));
    }
    stream.next_out = reinterpret_cast<Bytef*>(inflated_.data() + done);
    stream.avail_out = static_cast<uInt>(std::min<size_t>(inflated_.size() - done, UINT32_MAX));
    const uInt room = stream.avail_out;
    result = inflate(&stream, Z_NO_FLUSH);
    done += room - stream.avail_out;
    // A stream cut short has used up its input without ending.
    if (result == Z_BUF_ERROR || (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0))
      break;
  }
  inflateEnd(&stream);
  if (done > stated) {
    fault_ = Fault::kLongerThanStated;
  } else if (result != Z_STREAM_END && !(partial && done == limit)) {
    fault_ = result == Z_OK || result == Z_BUF_ERROR ? Fault::kStreamCut : Fault::kStreamBroken;
  }
  if (fault_ != Fault::kNone) {
    inflated_.clear();
    return;
  }
  inflated_.resize(done);
  const std::string_view body = inflated_;
  end_ = body.size();
  if (IsUnicodeText(body) || body.starts_with(kWideJinx)) {
    form_ = Form::kUnicodeText;
    begin_ = body.starts_with(kMark) ? kMark.size() : 0;
  } else if (body.starts_with(kSignature)) {
    ReadInner(body.substr(kSignature.size()), kSignature.size());
  } else {
    ReadInner(body, 0);
  }
}

}  // namespace formats
