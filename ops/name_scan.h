// Finding the FileName blocks of a world file's text. Nearly every unit of
// a world file is a digit, a letter or a blank; the scan marks the few
// that can open, close or quote a block, and where the keyword may begin,
// 16 at a time (SSE2 on x86-64), and looks one by one only at the blocks
// where a name may start or end. A processor with AVX2 takes 32 units at a
// time between names, where only the depth counts, and takes a plain
// "FileName ( name )" whole.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define RASTOLIN_SCAN_SSE2 1
#endif

// Not on Windows, where GCC does not align the stack for AVX registers.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#include <immintrin.h>
#define RASTOLIN_SCAN_AVX2 1
// The C library's record of the processor, made as every program starts:
// asking the processor again costs a program that runs for milliseconds a
// noticeable part of its time in a virtual machine, where each question
// traps.
#if __has_include(<sys/platform/x86.h>)
#include <sys/platform/x86.h>
#define RASTOLIN_CPU_FEATURES 1
#endif
#endif

// The per-block helpers run once per 16 units: a call costs as much as
// their work.
#if defined(__GNUC__)
#define RASTOLIN_SCAN_INLINE inline __attribute__((always_inline))
#else
#define RASTOLIN_SCAN_INLINE inline
#endif

namespace ops {
namespace name_scan {

// The code unit at `i` of a text whose units are Width bytes (1: UTF-8,
// 2: UTF-16LE).
template <size_t Width>
unsigned UnitAt(const unsigned char* bytes, size_t i) {
  if constexpr (Width == 1) {
    return bytes[i];
  } else if constexpr (std::endian::native == std::endian::little) {
    uint16_t unit;  // one load where the host's order is the text's
    std::memcpy(&unit, bytes + 2 * i, 2);
    return unit;
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
RASTOLIN_SCAN_INLINE Marks BlockMarks(const unsigned char* bytes) {
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

// What decides whether the 16 units from `block` on (fewer at the end of
// a text of `units` units) need a look one by one: their ( ) and " units,
// and where "filename" may start (an F at k and an E at k + 7, in any
// letter case).
struct Quick {
  uint32_t opens = 0;   // how many
  uint32_t closes = 0;  // how many
  uint32_t quote = 0;
  uint32_t keyword = 0;
};

template <size_t Width>
RASTOLIN_SCAN_INLINE Quick QuickMarks(const unsigned char* bytes, size_t block, size_t units) {
#ifdef RASTOLIN_SCAN_SSE2
  if (block + 16 + 7 <= units) {
    // 16 units as 16 bytes; a wide unit above 255 becomes 255 (saturated),
    // which matches none of the units looked for.
    auto load = [bytes](size_t at) {
      const auto* p = reinterpret_cast<const __m128i*>(bytes + at * Width);
      if constexpr (Width == 1) {
        return _mm_loadu_si128(p);
      } else {
        return _mm_packus_epi16(_mm_loadu_si128(p), _mm_loadu_si128(p + 1));
      }
    };
    const __m128i v = load(block);
    const __m128i later = load(block + 7);
    const __m128i lower = _mm_set1_epi8(0x20);
    auto mask = [](__m128i m) { return static_cast<uint32_t>(_mm_movemask_epi8(m)); };
    // Each ( weighs 1 and each ) 32, summed over the 16: both counts at
    // once, without a popcount instruction, which not every x86-64 has.
    const __m128i weights =
        _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('(')), _mm_set1_epi8(1)),
                     _mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(')')), _mm_set1_epi8(32)));
    const __m128i sums = _mm_sad_epu8(weights, _mm_setzero_si128());
    const auto total = static_cast<uint32_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
    return {total & 31, total >> 5, mask(_mm_cmpeq_epi8(v, _mm_set1_epi8('"'))),
            mask(_mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(v, lower), _mm_set1_epi8('f')),
                               _mm_cmpeq_epi8(_mm_or_si128(later, lower), _mm_set1_epi8('e'))))};
  }
#endif
  Quick quick;
  for (size_t k = 0; k < 16 && block + k < units; ++k) {
    const unsigned c = UnitAt<Width>(bytes, block + k);
    quick.opens += c == '(';
    quick.closes += c == ')';
    quick.quote |= static_cast<uint32_t>(c == '"') << k;
    quick.keyword |= static_cast<uint32_t>((c | 0x20) == 'f' && block + k + 7 < units &&
                                           (UnitAt<Width>(bytes, block + k + 7) | 0x20) == 'e')
                     << k;
  }
  return quick;
}

// Whether "filename", in any letter case, stands right before the "(" at
// unit `open`, blanks between.
template <size_t Width>
bool FileNameBefore(const unsigned char* bytes, size_t open) {
  constexpr std::string_view kKeyword = "filename";
  size_t end = open;
  while (end > 0 && UnitAt<Width>(bytes, end - 1) <= 32) --end;
  if (end < kKeyword.size()) return false;
#ifdef RASTOLIN_SCAN_SSE2
  if constexpr (Width == 2) {
    // The eight units at once, each with its case bit set, against the
    // keyword; a unit above 255 matches no letter of it.
    const __m128i units = _mm_or_si128(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * (end - kKeyword.size()))),
        _mm_set1_epi16(0x20));
    const __m128i keyword = _mm_setr_epi16('f', 'i', 'l', 'e', 'n', 'a', 'm', 'e');
    return _mm_movemask_epi8(_mm_cmpeq_epi16(units, keyword)) == 0xffff;
  }
#endif
  for (size_t k = kKeyword.size(); k-- > 0;) {
    const unsigned c = UnitAt<Width>(bytes, end - kKeyword.size() + k);
    if (c >= 0x80 || static_cast<char>(c | 0x20) != kKeyword[k]) return false;
  }
  return true;
}

#ifdef RASTOLIN_SCAN_AVX2
// Whether the processor has AVX2 and POPCNT, asked once.
inline bool HasAvx2() {
#ifdef RASTOLIN_CPU_FEATURES
  static const bool has = CPU_FEATURE_ACTIVE(AVX2) && CPU_FEATURE_ACTIVE(POPCNT);
#else
  static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
#endif
  return has;
}

// The helpers take and give vectors by reference: by value, a vector
// argument would change the calling convention of a function built without
// AVX.
#define RASTOLIN_AVX2 __attribute__((target("avx2,popcnt"), always_inline))

// 32 UTF-16 units from `at` as bytes, a unit above 255 saturated to 255,
// which matches none of the units looked for. The packing interleaves the
// halves of its 128-bit lanes: the bytes stand for units 0-7, 16-23, 8-15
// and 24-31, the same order for any `at`.
RASTOLIN_AVX2 inline void PackUnits(const unsigned char* bytes, size_t at, __m256i& packed) {
  const auto* p = reinterpret_cast<const __m256i*>(bytes + 2 * at);
  packed = _mm256_packus_epi16(_mm256_loadu_si256(p), _mm256_loadu_si256(p + 1));
}

// Bit k set for byte k of `packed` equal to byte k of `units`.
RASTOLIN_AVX2 inline uint32_t BytesEqual(const __m256i& packed, const __m256i& units) {
  return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(packed, units)));
}

// A mask of PackUnits' bytes put in unit order: bit k for unit k.
inline uint32_t InUnitOrder(uint32_t packed) {
  return (packed & 0xff0000ffu) | (packed & 0x0000ff00u) << 8 | (packed & 0x00ff0000u) >> 8;
}

// The end of the name that a FileName's "(" at unit `open` begins, when it
// is plain: its first ( ) or " unit, within 128 units, is its ")". Else 0,
// and the name is left to the look one mark at a time.
RASTOLIN_AVX2 inline size_t PlainNameEnd(const unsigned char* bytes, size_t open, size_t units) {
  for (size_t at = open + 1; at + 32 <= units && at <= open + 1 + 96; at += 32) {
    __m256i v;
    PackUnits(bytes, at, v);
    const uint32_t closes = BytesEqual(v, _mm256_set1_epi8(')'));
    const uint32_t marks =
        closes | BytesEqual(v, _mm256_set1_epi8('(')) | BytesEqual(v, _mm256_set1_epi8('"'));
    if (marks == 0) continue;
    const int first = std::countr_zero(InUnitOrder(marks));
    return (InUnitOrder(closes) >> first & 1) != 0 ? at + static_cast<size_t>(first) : 0;
  }
  return 0;
}

// Steps from `block` over UTF-16 text 32 units at a time, while only the
// depth and plain FileName blocks stand in the way: a span that holds no
// quote, no start of the keyword and no ")" that could close more than is
// open only counts towards `depth`, and a "FileName ( name )" whose name is
// plain (PlainNameEnd) goes to found(raw) without a look one mark at a
// time. Returns where it stopped: at a span that needs that look, or where
// fewer than 39 units are left (the keyword's "e" is looked for 7 units
// on).
template <typename Found>
__attribute__((target("avx2,popcnt"))) inline size_t SkipPlainUnits(const unsigned char* bytes,
                                                                    size_t block, size_t units,
                                                                    size_t& depth_in_out,
                                                                    Found& found) {
  const __m256i lower = _mm256_set1_epi8(0x20), f = _mm256_set1_epi8('f');
  const __m256i e = _mm256_set1_epi8('e'), quote = _mm256_set1_epi8('"');
  const __m256i open = _mm256_set1_epi8('('), close = _mm256_set1_epi8(')');
  size_t depth = depth_in_out;
  for (;;) {
    // The spans of nothing but depth, in a loop of their own, which keeps
    // its state in registers.
    __m256i v, later;
    uint32_t keywords, quotes;
    for (;; block += 32) {
      if (block + 32 + 7 > units) {
        depth_in_out = depth;
        return block;
      }
      // `later`, the units 7 on, packed in the same order, so that each of
      // its bytes meets the byte of its unit.
      PackUnits(bytes, block, v);
      PackUnits(bytes, block + 7, later);
      keywords =
          BytesEqual(_mm256_or_si256(v, lower), f) & BytesEqual(_mm256_or_si256(later, lower), e);
      quotes = BytesEqual(v, quote);
      if ((keywords | quotes) != 0) break;
      const auto closed = static_cast<size_t>(__builtin_popcount(BytesEqual(v, close)));
      if (closed > depth) {
        depth_in_out = depth;
        return block;
      }
      depth = depth - closed + static_cast<size_t>(__builtin_popcount(BytesEqual(v, open)));
    }
    keywords = InUnitOrder(keywords);
    quotes = InUnitOrder(quotes);
    const uint32_t opens = InUnitOrder(BytesEqual(v, open)),
                   closes = InUnitOrder(BytesEqual(v, close));
    for (;;) {
      // The units before the next start of the keyword, or all 32.
      const uint32_t before = keywords == 0 ? ~0u : (keywords & -keywords) - 1;
      const auto closed = static_cast<size_t>(__builtin_popcount(closes & before));
      if ((quotes & before) != 0 || closed > depth) {
        depth_in_out = depth;
        return block;
      }
      const auto opened = static_cast<size_t>(__builtin_popcount(opens & before));
      if (keywords == 0) {
        depth = depth - closed + opened;
        block += 32;
        break;
      }
      const size_t keyword = block + static_cast<size_t>(std::countr_zero(keywords));
      size_t paren = keyword + 8;
      while (paren < units && UnitAt<2>(bytes, paren) <= 32) ++paren;
      if (paren < units && UnitAt<2>(bytes, paren) == '(' && FileNameBefore<2>(bytes, paren)) {
        const size_t end = PlainNameEnd(bytes, paren, units);
        if (end == 0) {
          depth_in_out = depth;
          return block;
        }
        depth = depth - closed + opened;
        found(std::string_view(reinterpret_cast<const char*>(bytes) + 2 * (paren + 1),
                               2 * (end - paren - 1)));
        block = end + 1;
        break;
      }
      // Begins no FileName block: "filename" stands before no "(" that
      // follows this one.
      keywords &= keywords - 1;
    }
  }
}
#endif

}  // namespace name_scan

// Calls found(raw) with the text inside every "FileName ( ... )" of a text
// whose units are Width bytes, the keyword in any letter case (keywords of
// MSTS text files are not case-sensitive), in time linear in its length.
// Blocks are cut as the .ref reader cuts them: a quoted run hides
// parentheses up to its closing quote or its line end. False when the text
// ends inside a block: the file was cut short, and the names after the cut
// are lost. kWide: whether 32 units may be taken at a time where the
// processor can (false only to test the 16-unit path).
template <size_t Width, bool kWide = true, typename Found>
bool ScanFileNames(std::string_view text, Found found) {
  using name_scan::FileNameBefore;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t units = text.size() / Width;
  size_t depth = 0;
  bool quoted = false;
  size_t name_start = 0, name_depth = 0;  // name_depth 0: outside a FileName block
  // after_keyword: "filename" may stand before unit i, no other mark
  // between.
  auto visit = [&](size_t i, bool after_keyword) {
    const unsigned c = bytes[i * Width];
    if (quoted) {
      quoted = false;  // the units it is given inside a quoted run all end it
    } else if (c == '"') {
      quoted = true;
    } else if (c == '(') {
      ++depth;
      if (name_depth == 0 && after_keyword && FileNameBefore<Width>(bytes, i)) {
        // Nearly every name is plain and short: the next ( ) or " unit, in
        // the 16 after the "(", is its ")", which then closes an ordinary
        // block, and the blocks the name spans need no look one by one.
        const uint32_t next =
            i + 1 + 16 <= units ? name_scan::BlockMarks<Width>(bytes + (i + 1) * Width).outside : 0;
        const size_t end = i + 1 + static_cast<size_t>(std::countr_zero(next));
        if (next != 0 && bytes[end * Width] == ')') {
          found(text.substr((i + 1) * Width, (end - i - 1) * Width));
        } else {
          name_start = i + 1;
          name_depth = depth;
        }
      }
    } else if (c == ')' && depth > 0) {
      if (depth == name_depth) {
        found(text.substr(name_start * Width, (i - name_start) * Width));
        name_depth = 0;
      }
      --depth;
    }
  };
  // Most blocks of 16 units lie outside quotes and FileName blocks, hold no
  // quote, no start of the keyword and no ")" that could close more than
  // is open: of those only the depth counts, and the ( ) units give it.
  // The others go mark by mark, in order, with the marks of the state
  // after each one. A keyword may begin in one block and have its "(" in a
  // later one: keyword_open says one began after the last mark.
  bool keyword_open = false;
  for (size_t block = 0; block < units; block += 16) {
    name_scan::Quick quick = name_scan::QuickMarks<Width>(bytes, block, units);
    if (!quoted && name_depth == 0 && !keyword_open) {
#ifdef RASTOLIN_SCAN_AVX2
      if constexpr (Width == 2 && kWide) {
        if (name_scan::HasAvx2()) {
          const size_t skipped = name_scan::SkipPlainUnits(bytes, block, units, depth, found);
          if (skipped != block) {
            block = skipped;
            quick = name_scan::QuickMarks<Width>(bytes, block, units);
          }
        }
      }
#endif
      while ((quick.quote | quick.keyword) == 0 && quick.closes <= depth) {
        depth = depth + quick.opens - quick.closes;
        block += 16;
        if (block >= units) return depth == 0;
        quick = name_scan::QuickMarks<Width>(bytes, block, units);
      }
    }
    const name_scan::Marks marks =
        block + 16 <= units ? name_scan::BlockMarks<Width>(bytes + block * Width)
                            : name_scan::MarksOf<Width>(bytes + block * Width, units - block);
    uint32_t seen = 0;
    for (;;) {
      const uint32_t mask = (quoted ? marks.inside : marks.outside) & ~seen;
      if (mask == 0) break;
      const int bit = std::countr_zero(mask);
      const bool after_keyword =
          (quick.keyword & ~seen & ((1u << bit) - 1)) != 0 || (seen == 0 && keyword_open);
      seen = (2u << bit) - 1;
      visit(block + static_cast<size_t>(bit), after_keyword);
    }
    keyword_open = (quick.keyword & ~seen) != 0 || (seen == 0 && keyword_open);
  }
  return depth == 0;
}

}  // namespace ops
