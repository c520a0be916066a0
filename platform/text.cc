#include "platform/text.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

size_t Utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

uint16_t UnitAt(const unsigned char* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Eight bytes as one word, the first in its low byte.
uint64_t WordAt(const unsigned char* bytes) {
  static_assert(std::endian::native == std::endian::little);
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Four UTF-16LE units in a word are ASCII when no bit above the low seven
// of each is set.
constexpr uint64_t kNotAsciiUnits = 0xFF80FF80FF80FF80;
// The same for eight bytes of UTF-8.
constexpr uint64_t kNotAsciiBytes = 0x8080808080808080;

// The low bytes of four ASCII units, in order.
uint32_t PackUnits(uint64_t units) {
  units = (units | (units >> 8)) & 0x0000FFFF0000FFFF;
  return static_cast<uint32_t>(units | (units >> 16));
}

// Eight units, 16 bytes, from `from` on are ASCII: their UTF-8 is their low
// bytes.
bool EightAsciiUnits(const unsigned char* from, const unsigned char* end, uint64_t& bytes) {
  if (end - from < 16) return false;
  const uint64_t low = WordAt(from), high = WordAt(from + 8);
  if (((low | high) & kNotAsciiUnits) != 0) return false;
  bytes = PackUnits(low) | (uint64_t{PackUnits(high)} << 32);
  return true;
}

// The character whose units start at `from` (a surrogate pair makes one)
// and the count of bytes its units take.
char32_t CharAt(const unsigned char* from, const unsigned char* end, size_t& used) {
  const uint16_t unit = UnitAt(from);
  used = 2;
  if (unit >= 0xD800 && unit <= 0xDBFF && end - from >= 4) {
    const uint16_t trail = UnitAt(from + 2);
    if (trail >= 0xDC00 && trail <= 0xDFFF) {
      used = 4;
      return 0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00);
    }
  }
  return unit;
}

size_t Utf8Size(const unsigned char* from, const unsigned char* end) {
  size_t size = 0;
  uint64_t ascii;
  while (from < end) {
    if (EightAsciiUnits(from, end, ascii)) {
      size += 8;
      from += 16;
      continue;
    }
    size_t used;
    size += Utf8Length(CharAt(from, end, used));
    from += used;
  }
  return size;
}

// Writes the UTF-8 of the units in [from, end) at `to` and returns where it
// ends. In place, `to` lies at or before `from` in the same buffer, and the
// conversion stops, `from` showing where, before its output would reach
// units not yet read.
template <bool kInPlace>
char* PutUtf16Le(const unsigned char*& from, const unsigned char* end, char* to) {
  uint64_t ascii;
  while (from < end) {
    // Eight ASCII units at a time: nearly all of an MSTS file.
    if (EightAsciiUnits(from, end, ascii)) {
      std::memcpy(to, &ascii, sizeof ascii);
      to += sizeof ascii;
      from += 16;
      continue;
    }
    size_t used;
    const char32_t c = CharAt(from, end, used);
    if (kInPlace && to + Utf8Length(c) > reinterpret_cast<const char*>(from) + used) return to;
    to = PutUtf8(to, c);
    from += used;
  }
  return to;
}

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes) {
  const auto* from = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* end = from + bytes.size() / 2 * 2;
  std::string out(Utf8Size(from, end), '\0');
  PutUtf16Le<false>(from, end, out.data());
  return out;
}

void Utf16LeToUtf8InPlace(std::string& bytes, size_t from) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data()) + from;
  const unsigned char* end = in + (bytes.size() - from) / 2 * 2;
  const size_t done = PutUtf16Le<true>(in, end, bytes.data()) - bytes.data();
  if (in == end) {
    bytes.resize(done);
    return;
  }
  // Characters from U+0800 on take more bytes than their unit: where they
  // gather before enough ASCII made room, the rest is converted apart.
  const std::string rest = Utf16LeToUtf8(
      std::string_view(reinterpret_cast<const char*>(in), static_cast<size_t>(end - in)));
  bytes.resize(done);
  bytes += rest;
}

void AppendUtf16Le(std::string& out, std::string_view text) {
  const size_t start = out.size();
  // Every byte of UTF-8 gives at most two bytes of UTF-16LE, and ASCII
  // exactly two: the output is sized once.
  out.resize(start + text.size() * 2);
  char* to = out.data() + start;
  auto put = [&](uint16_t unit) {
    *to++ = static_cast<char>(unit & 0xFF);
    *to++ = static_cast<char>(unit >> 8);
  };
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  size_t pos = 0;
  const size_t size = text.size();
  while (pos < size) {
    if (size - pos >= 8) {
      const uint64_t word = WordAt(bytes + pos);
      if ((word & kNotAsciiBytes) == 0) {
        // Each byte spread into the low half of a unit.
        for (const uint64_t half : {word & 0xFFFFFFFF, word >> 32}) {
          uint64_t units = (half | (half << 16)) & 0x0000FFFF0000FFFF;
          units = (units | (units << 8)) & 0x00FF00FF00FF00FF;
          std::memcpy(to, &units, sizeof units);
          to += sizeof units;
        }
        pos += 8;
        continue;
      }
    }
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
  out.resize(static_cast<size_t>(to - out.data()));
}

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  AppendUtf16Le(out, text);
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
