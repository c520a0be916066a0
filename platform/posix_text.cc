// Text rules of a POSIX host: letter case by Unicode's simple mappings
// (utf8proc), and 8-bit text that is not UTF-8 read as Windows-1251, the
// ANSI code page of the Russian Windows the files come from.
#include <utf8proc.h>

#include <algorithm>

#include "platform/text.h"
#include "platform/utf8.h"

namespace platform {
namespace {

// Maps every code point of valid UTF-8 through `map`; bytes that do not
// start a valid sequence are copied unchanged.
template <typename Map>
std::string MapCodePoints(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  size_t pos = 0;
  while (pos < text.size()) {
    if (bytes[pos] < 0x80) {
      out += static_cast<char>(map(bytes[pos]));
      ++pos;
      continue;
    }
    char32_t c;
    size_t len = DecodeUtf8(bytes + pos, text.size() - pos, c);
    if (len == 0) {
      out += static_cast<char>(bytes[pos]);
      ++pos;
      continue;
    }
    utf8proc_uint8_t encoded[4];
    utf8proc_ssize_t encoded_length =
        utf8proc_encode_char(map(static_cast<utf8proc_int32_t>(c)), encoded);
    out.append(reinterpret_cast<const char*>(encoded), static_cast<size_t>(encoded_length));
    pos += len;
  }
  return out;
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
      continue;
    }
    const char32_t c = b < 0xC0 ? kCp1251High[b - 0x80] : char32_t{0x0410} + (b - 0xC0);
    utf8proc_uint8_t encoded[4];
    utf8proc_ssize_t length = utf8proc_encode_char(static_cast<utf8proc_int32_t>(c), encoded);
    out.append(reinterpret_cast<const char*>(encoded), static_cast<size_t>(length));
  }
  return out;
}

unsigned char AsciiUpper(unsigned char c) {
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool LessByUpperCase(std::string_view a, std::string_view b) {
  auto upper = [](std::string_view s) {
    return MapCodePoints(s, [](utf8proc_int32_t c) { return utf8proc_toupper(c); });
  };
  std::string ua = upper(a), ub = upper(b);
  if (ua != ub) return ua < ub;
  return a < b;
}

// Both mappings of ASCII text, which needs no tables.
std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

}  // namespace

std::string EightBitToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Cp1251ToUtf8(bytes);
}

std::string LowerCase(std::string_view text) {
  if (IsAscii(text)) return LowerAscii(text);
  return MapCodePoints(text, [](utf8proc_int32_t c) { return utf8proc_tolower(c); });
}

std::string FoldCase(std::string_view text) {
  if (IsAscii(text)) return LowerAscii(text);
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
  // before "a_b" ('B' < '_' < 'b'). Up to a byte beyond ASCII, those forms
  // are compared as they are read, without being made.
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if ((x | y) >= 0x80) return LessByUpperCase(a, b);
    const unsigned char upper_x = AsciiUpper(x), upper_y = AsciiUpper(y);
    if (upper_x != upper_y) return upper_x < upper_y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace platform
