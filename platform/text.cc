#include "platform/text.h"

#include <cstdint>

#include "platform/utf8.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Writes the UTF-8 form of c (one to four bytes) and returns the end.
char* PutUtf8(char* to, char32_t c) {
  if (c < 0x80) {
    *to++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *to++ = static_cast<char>(0xC0 | (c >> 6));
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *to++ = static_cast<char>(0xE0 | (c >> 12));
    *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *to++ = static_cast<char>(0xF0 | (c >> 18));
    *to++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return to;
}

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes) {
  // Route files run to megabytes: the output is sized once for the worst
  // case (three bytes per unit) and written through a pointer.
  const size_t units = bytes.size() / 2;
  std::string out(units * 3, '\0');
  char* to = out.data();
  auto unit_at = [&](size_t i) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  };
  auto put = [&](char32_t c) { to = PutUtf8(to, c); };
  for (size_t i = 0; i < units; ++i) {
    uint16_t u = unit_at(i);
    if (u < 0x80) {
      *to++ = static_cast<char>(u);
    } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units &&
               unit_at(i + 1) >= 0xDC00 && unit_at(i + 1) <= 0xDFFF) {
      put(0x10000 + ((u - 0xD800) << 10) + (unit_at(i + 1) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      put(kReplacement);
    } else {
      put(u);
    }
  }
  out.resize(to - out.data());
  return out;
}

std::string Utf8ToUtf16Le(std::string_view text) {
  // Every byte of UTF-8 gives at most two bytes of UTF-16LE.
  std::string out(text.size() * 2, '\0');
  char* to = out.data();
  auto put = [&](uint16_t unit) {
    *to++ = static_cast<char>(unit & 0xFF);
    *to++ = static_cast<char>(unit >> 8);
  };
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  size_t pos = 0;
  const size_t size = text.size();
  while (pos < size) {
    if (bytes[pos] < 0x80) {
      put(bytes[pos]);
      ++pos;
      continue;
    }
    char32_t c;
    size_t len = DecodeUtf8(bytes + pos, size - pos, c);
    if (len == 0) {
      put(static_cast<uint16_t>(kReplacement));
      ++pos;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      put(static_cast<uint16_t>(0xD800 + (c >> 10)));
      put(static_cast<uint16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      put(static_cast<uint16_t>(c));
    }
    pos += len;
  }
  out.resize(to - out.data());
  return out;
}

}  // namespace platform
