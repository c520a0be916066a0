// Decoding UTF-8 one code point at a time, the same on every host.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// The code point that starts `bytes` (at most `left` of them) and the count
// of bytes it takes; 0 when they do not start a valid sequence (a stray or
// cut byte, an overlong form, a surrogate, a code above U+10FFFF).
inline size_t DecodeUtf8(const unsigned char* bytes, size_t left, char32_t& c) {
  if (left == 0) return 0;
  const unsigned char first = bytes[0];
  if (first < 0x80) {
    c = first;
    return 1;
  }
  size_t length;
  char32_t minimum;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
    minimum = 0x80;
    c = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    minimum = 0x800;
    c = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    minimum = 0x10000;
    c = first & 0x07;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (bytes[i] & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

inline bool IsValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  char32_t c;
  for (size_t pos = 0; pos < text.size();) {
    size_t len = DecodeUtf8(bytes + pos, text.size() - pos, c);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

}  // namespace platform
