// Letter case by Unicode's simple mappings (utf8proc), where the host has no
// case rules of its own to offer.
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

}  // namespace

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
