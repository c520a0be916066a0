#include "platform/text.h"

#include <utf8proc.h>

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUnit(std::string& out, uint16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
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

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2 + bytes.size() / 8);
  const size_t units = bytes.size() / 2;
  auto unit_at = [&](size_t i) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  };
  for (size_t i = 0; i < units; ++i) {
    uint16_t u = unit_at(i);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units &&
               unit_at(i + 1) >= 0xDC00 && unit_at(i + 1) <= 0xDFFF) {
      char32_t c = 0x10000 + ((u - 0xD800) << 10) + (unit_at(i + 1) - 0xDC00);
      AppendUtf8(out, c);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  utf8proc_ssize_t pos = 0;
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  while (pos < size) {
    if (bytes[pos] < 0x80) {
      AppendUnit(out, bytes[pos]);
      ++pos;
      continue;
    }
    utf8proc_int32_t c;
    utf8proc_ssize_t len = utf8proc_iterate(bytes + pos, size - pos, &c);
    if (len <= 0) {
      AppendUnit(out, static_cast<uint16_t>(kReplacement));
      ++pos;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      AppendUnit(out, static_cast<uint16_t>(0xD800 + (c >> 10)));
      AppendUnit(out, static_cast<uint16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      AppendUnit(out, static_cast<uint16_t>(c));
    }
    pos += len;
  }
  return out;
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
