#include "platform/text.h"

#include <cstddef>
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

void AppendUtf8(std::string& out, char32_t c) {
  char encoded[4];
  out.append(encoded, PutUtf8(encoded, c) - encoded);
}

// ED A0..BF 80..BF: a surrogate code in three bytes, which UTF-8 forbids
// and a text read from UTF-16 uses for a lone one.
bool IsLoneSurrogate(const unsigned char* bytes, ptrdiff_t left) {
  return left >= 3 && bytes[0] == 0xED && (bytes[1] & 0xE0) == 0xA0 && (bytes[2] & 0xC0) == 0x80;
}

uint16_t SurrogateAt(const unsigned char* bytes) {
  return static_cast<uint16_t>(0xD000 | ((bytes[1] & 0x3F) << 6) | (bytes[2] & 0x3F));
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
    if (IsLoneSurrogate(bytes + pos, static_cast<ptrdiff_t>(size - pos))) {
      put(SurrogateAt(bytes + pos));
      pos += 3;
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

void JoinSurrogatePairs(std::string& text) {
  size_t lead = text.find("\xED");
  if (lead == std::string::npos) return;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const auto size = static_cast<ptrdiff_t>(text.size());
  std::string out(text, 0, lead);
  for (ptrdiff_t pos = static_cast<ptrdiff_t>(lead); pos < size;) {
    if (IsLoneSurrogate(bytes + pos, size - pos) && IsLoneSurrogate(bytes + pos + 3, size - pos - 3)) {
      uint16_t high = SurrogateAt(bytes + pos), low = SurrogateAt(bytes + pos + 3);
      if (high <= 0xDBFF && low >= 0xDC00) {
        AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
        pos += 6;
        continue;
      }
    }
    out += static_cast<char>(bytes[pos++]);
  }
  text = std::move(out);
}

}  // namespace platform
