#include "platform/text.h"

#include <utf8proc.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

// Maps every code point of valid UTF-8 through `map`; bytes that do not
// start a valid sequence are copied unchanged.
template <typename Map>
std::string MapCodePoints(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  utf8proc_ssize_t pos = 0;
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  while (pos < size) {
    unsigned char first = bytes[pos];
    if (first < 0x80) {
      out += static_cast<char>(map(first));
      ++pos;
      continue;
    }
    utf8proc_int32_t c;
    utf8proc_ssize_t len = utf8proc_iterate(bytes + pos, size - pos, &c);
    if (len <= 0) {
      out += static_cast<char>(first);
      ++pos;
      continue;
    }
    AppendUtf8(out, static_cast<char32_t>(map(c)));
    pos += len;
  }
  return out;
}

// ED A0..BF 80..BF: a surrogate code in three bytes, which UTF-8 forbids
// and a text read from UTF-16 uses for a lone one.
bool IsLoneSurrogate(const unsigned char* bytes, ptrdiff_t left) {
  return left >= 3 && bytes[0] == 0xED && (bytes[1] & 0xE0) == 0xA0 && (bytes[2] & 0xC0) == 0x80;
}

uint16_t SurrogateAt(const unsigned char* bytes) {
  return static_cast<uint16_t>(0xD000 | ((bytes[1] & 0x3F) << 6) | (bytes[2] & 0x3F));
}

bool IsValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  for (utf8proc_ssize_t pos = 0; pos < size;) {
    if (bytes[pos] < 0x80) {
      ++pos;
      continue;
    }
    utf8proc_int32_t c;
    utf8proc_ssize_t len = utf8proc_iterate(bytes + pos, size - pos, &c);
    if (len <= 0) return false;
    pos += len;
  }
  return true;
}

// Windows-1251 from 0x80 to 0xBF; 0xC0..0xFF are U+0410..U+044F in order.
// 0x98 has no character and keeps its own code, as Windows maps it.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char byte : bytes) {
    unsigned char b = static_cast<unsigned char>(byte);
    if (b < 0x80) {
      out += byte;
    } else {
      AppendUtf8(out, b < 0xC0 ? kCp1251High[b - 0x80] : char32_t{0x0410} + (b - 0xC0));
    }
  }
  return out;
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
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  utf8proc_ssize_t pos = 0;
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  while (pos < size) {
    if (bytes[pos] < 0x80) {
      put(bytes[pos]);
      ++pos;
      continue;
    }
    if (IsLoneSurrogate(bytes + pos, size - pos)) {
      put(SurrogateAt(bytes + pos));
      pos += 3;
      continue;
    }
    utf8proc_int32_t c;
    utf8proc_ssize_t len = utf8proc_iterate(bytes + pos, size - pos, &c);
    if (len <= 0) {
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

std::string EightBitToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Cp1251ToUtf8(bytes);
}

std::string LowerCase(std::string_view text) {
  return MapCodePoints(text, [](utf8proc_int32_t c) { return utf8proc_tolower(c); });
}

std::string FoldCase(std::string_view text) {
  // Simple folding: upper then lower, so that title-case and final forms
  // meet their lower-case letters too.
  return MapCodePoints(text, [](utf8proc_int32_t c) {
    return utf8proc_tolower(utf8proc_toupper(c));
  });
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin())) return true;
  return FoldCase(a) == FoldCase(b);
}

bool LessIgnoreCase(std::string_view a, std::string_view b) {
  // NTFS keeps names in the order of their upper-case forms, so "ab" comes
  // before "a_b" ('B' < '_' < 'b').
  auto upper = [](std::string_view s) {
    return MapCodePoints(s, [](utf8proc_int32_t c) { return utf8proc_toupper(c); });
  };
  std::string ua = upper(a), ub = upper(b);
  if (ua != ub) return ua < ub;
  return a < b;
}

}  // namespace platform
