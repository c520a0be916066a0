// Finding the FileName blocks of a world file's text. Nearly every unit of
// a world file is a digit, a letter or a blank; the scan marks the few
// that can open, close or quote a block 16 at a time (SSE2 on x86-64) and
// looks only at those.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define RASTOLIN_SCAN_SSE2 1
#endif

namespace ops {
namespace name_scan {

// The code unit at `i` of a text whose units are Width bytes (1: UTF-8,
// 2: UTF-16LE).
template <size_t Width>
unsigned UnitAt(const unsigned char* bytes, size_t i) {
  if constexpr (Width == 1) {
    return bytes[i];
  } else {
    return bytes[2 * i] | static_cast<unsigned>(bytes[2 * i + 1]) << 8;
  }
}

// The units that matter outside a quoted run, ( ) ", and inside one, the
// units that end it, " CR LF.
struct Marks {
  uint32_t outside = 0;
  uint32_t inside = 0;
};

// Bit k of each mark set for unit k of the `count` (at most 16) at `bytes`;
// a wide unit counts only with its high byte 0.
template <size_t Width>
Marks MarksOf(const unsigned char* bytes, size_t count) {
  Marks marks;
  for (size_t k = 0; k < count; ++k) {
    const unsigned c = UnitAt<Width>(bytes, k);
    marks.outside |= static_cast<uint32_t>(c == '(' || c == ')' || c == '"') << k;
    marks.inside |= static_cast<uint32_t>(c == '"' || c == '\r' || c == '\n') << k;
  }
  return marks;
}

// The same for 16 whole units.
template <size_t Width>
Marks BlockMarks(const unsigned char* bytes) {
#ifdef RASTOLIN_SCAN_SSE2
  if constexpr (Width == 1) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i quote = _mm_cmpeq_epi8(v, _mm_set1_epi8('"'));
    const __m128i paren =
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('(')), _mm_cmpeq_epi8(v, _mm_set1_epi8(')')));
    const __m128i line = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')),
                                      _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
    return {static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(paren, quote))),
            static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(line, quote)))};
  } else {
    // Whole 16-bit lanes compared, so a non-zero high byte never matches;
    // the two halves' lane results packed to one byte per unit.
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16));
    auto equal = [&](short unit) {
      const __m128i u = _mm_set1_epi16(unit);
      return _mm_packs_epi16(_mm_cmpeq_epi16(low, u), _mm_cmpeq_epi16(high, u));
    };
    const __m128i quote = equal('"');
    const __m128i paren = _mm_or_si128(equal('('), equal(')'));
    const __m128i line = _mm_or_si128(equal('\r'), equal('\n'));
    return {static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(paren, quote))),
            static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(line, quote)))};
  }
#else
  return MarksOf<Width>(bytes, 16);
#endif
}

// Whether "filename", in any letter case, stands right before the "(" at
// unit `open`, blanks between.
template <size_t Width>
bool FileNameBefore(const unsigned char* bytes, size_t open) {
  constexpr std::string_view kKeyword = "filename";
  size_t end = open;
  while (end > 0 && UnitAt<Width>(bytes, end - 1) <= 32) --end;
  if (end < kKeyword.size()) return false;
  for (size_t k = kKeyword.size(); k-- > 0;) {
    const unsigned c = UnitAt<Width>(bytes, end - kKeyword.size() + k);
    if (c >= 0x80 || static_cast<char>(c | 0x20) != kKeyword[k]) return false;
  }
  return true;
}

}  // namespace name_scan

// Calls found(raw) with the text inside every "FileName ( ... )" of a text
// whose units are Width bytes, the keyword in any letter case (keywords of
// MSTS text files are not case-sensitive), in time linear in its length.
// Blocks are cut as the .ref reader cuts them: a quoted run hides
// parentheses up to its closing quote or its line end. False when the text
// ends inside a block: the file was cut short, and the names after the cut
// are lost.
template <size_t Width, typename Found>
bool ScanFileNames(std::string_view text, Found found) {
  using name_scan::FileNameBefore;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t units = text.size() / Width;
  size_t depth = 0;
  bool quoted = false;
  size_t name_start = 0, name_depth = 0;  // name_depth 0: outside a FileName block
  auto visit = [&](size_t i) {
    const unsigned c = bytes[i * Width];
    if (quoted) {
      quoted = false;  // the units it is given inside a quoted run all end it
    } else if (c == '"') {
      quoted = true;
    } else if (c == '(') {
      ++depth;
      if (name_depth == 0 && FileNameBefore<Width>(bytes, i)) {
        name_start = i + 1;
        name_depth = depth;
      }
    } else if (c == ')' && depth > 0) {
      if (depth == name_depth) {
        found(text.substr(name_start * Width, (i - name_start) * Width));
        name_depth = 0;
      }
      --depth;
    }
  };
  // Each block's units in order, the marks of the state after each one.
  auto visit_block = [&](size_t block, const name_scan::Marks& marks) {
    uint32_t seen = 0;
    for (;;) {
      const uint32_t mask = (quoted ? marks.inside : marks.outside) & ~seen;
      if (mask == 0) return;
      const int bit = std::countr_zero(mask);
      seen = (2u << bit) - 1;
      visit(block + static_cast<size_t>(bit));
    }
  };
  size_t block = 0;
  for (; block + 16 <= units; block += 16) {
    visit_block(block, name_scan::BlockMarks<Width>(bytes + block * Width));
  }
  visit_block(block, name_scan::MarksOf<Width>(bytes + block * Width, units - block));
  return depth == 0;
}

}  // namespace ops
