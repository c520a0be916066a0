// Finding the FileName blocks of a world file's text, by the rules of
// formats/text.h. ScanFileNamesOneByOne reads the text one unit at a time
// and defines what is found; ScanFileNames finds the same, fast. Nearly
// every unit of a world file is a digit, a letter or a blank: the fast scan
// marks the few that can open, close or quote a block, and where the
// keyword may begin, 16 at a time (SSE2 on x86-64), and looks one by one
// only at the blocks where a name may start or end. A processor with AVX2
// takes 32 units at a time between names, where only the depth counts, and
// takes a plain "FileName ( name )" whole.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "formats/text.h"

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

namespace formats {
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
// units that end it, " CR LF, and the backslash that may escape a quote.
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
    marks.inside |= static_cast<uint32_t>(c == '"' || c == '\r' || c == '\n' || c == '\\') << k;
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
    const __m128i line = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
        _mm_cmpeq_epi8(v, _mm_set1_epi8('\\')));
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
    const __m128i line = _mm_or_si128(_mm_or_si128(equal('\r'), equal('\n')), equal('\\'));
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

// Whether the keyword "filename", in any letter case and whole (no part
// of a longer word), stands right before the "(" at unit `open`, blanks
// between. kWide: whether the eight units may be compared at once.
template <size_t Width, bool kWide = true>
bool FileNameBefore(const unsigned char* bytes, size_t open) {
  constexpr std::string_view kKeyword = "filename";
  size_t end = open;
  while (end > 0 && text::IsBlank(UnitAt<Width>(bytes, end - 1))) --end;
  if (end < kKeyword.size()) return false;
  const size_t start = end - kKeyword.size();
  if (start > 0 && text::InWord(UnitAt<Width>(bytes, start - 1))) return false;
#ifdef RASTOLIN_SCAN_SSE2
  if constexpr (Width == 2 && kWide) {
    // The eight units at once, each with its case bit set, against the
    // keyword; a unit above 255 matches no letter of it.
    const __m128i units =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * start)),
                     _mm_set1_epi16(0x20));
    const __m128i keyword = _mm_setr_epi16('f', 'i', 'l', 'e', 'n', 'a', 'm', 'e');
    return _mm_movemask_epi8(_mm_cmpeq_epi16(units, keyword)) == 0xffff;
  }
#endif
  for (size_t k = kKeyword.size(); k-- > 0;) {
    const unsigned c = UnitAt<Width>(bytes, start + k);
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
      while (paren < units && text::IsBlank(UnitAt<2>(bytes, paren))) ++paren;
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
// whose units are Width bytes (1: UTF-8, 2: UTF-16LE), one unit at a time:
// the rules the fast scan keeps. Blocks are cut by the parentheses outside
// quoted runs; the keyword counts only whole, outside runs and before a
// "(", in any letter case; a FileName block inside another one is part of its name. False when
// the text ends inside a block: the file was cut short, and the names after
// the cut are lost. A keyword inside a quoted run is text, even where the
// run ends at its line and a "(" follows.
template <size_t Width, typename Found>
bool ScanFileNamesOneByOne(std::string_view text, Found found) {
  using name_scan::UnitAt;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t units = text.size() / Width;
  size_t depth = 0;
  size_t name_start = 0, name_depth = 0;  // name_depth 0: outside a FileName block
  size_t outside = 0;  // where the last quoted run ended: a keyword begins after it
  for (size_t i = 0; i < units; ++i) {
    const unsigned c = UnitAt<Width>(bytes, i);
    if (c == '"') {
      while (++i < units) {
        const unsigned in_run = UnitAt<Width>(bytes, i);
        if (in_run == '\\' && i + 1 < units &&
            (UnitAt<Width>(bytes, i + 1) == '"' || UnitAt<Width>(bytes, i + 1) == '\\')) {
          ++i;
        } else if (in_run == '"' || in_run == '\r' || in_run == '\n') {
          break;
        }
      }
      outside = i + 1;
    } else if (c == '(') {
      ++depth;
      size_t keyword = i;
      while (keyword > 0 && text::IsBlank(UnitAt<Width>(bytes, keyword - 1))) --keyword;
      if (name_depth == 0 && keyword >= outside + 8 &&
          name_scan::FileNameBefore<Width, false>(bytes, i)) {
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
  }
  return depth == 0;
}

// The same names, found fast. kWide: whether 32 units may be taken at a
// time where the processor can (false only to test the 16-unit path).
template <size_t Width, bool kWide = true, typename Found>
bool ScanFileNames(std::string_view text, Found found) {
  using name_scan::FileNameBefore;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t units = text.size() / Width;
  size_t depth = 0;
  bool quoted = false;
  size_t escaped = SIZE_MAX;  // the unit after a backslash that escapes it in a run
  size_t name_start = 0, name_depth = 0;  // name_depth 0: outside a FileName block
  // after_keyword: "filename" may stand before unit i, no other mark
  // between.
  auto visit = [&](size_t i, bool after_keyword) {
    const unsigned c = bytes[i * Width];
    if (quoted) {
      // The units it is given inside a quoted run end it, but for a
      // backslash and the unit it escapes.
      if (i == escaped) return;
      if (c != '\\') {
        quoted = false;
      } else if (i + 1 < units && (name_scan::UnitAt<Width>(bytes, i + 1) == '"' ||
                                   name_scan::UnitAt<Width>(bytes, i + 1) == '\\')) {
        escaped = i + 1;
      }
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

// The keyword of the block that holds each FileName block a scan of the
// text found (a track piece's TrackObj, a Static), for a reader that needs
// it; nothing is read for it unless it is asked. Every line begins outside
// a quoted run, so a line read forwards tells its parentheses, which are
// then counted back from the name to the "(" of its block. Asked for the
// names in the order the scan gives them, it reads no text twice where
// names share a block.
template <size_t Width>
class EnclosingBlocks {
 public:
  explicit EnclosingBlocks(std::string_view text)
      : text_(text), bytes_(reinterpret_cast<const unsigned char*>(text.data())) {}

  // The keyword (its units, a piece of the text) of the block that holds
  // the FileName block whose name `raw` is, a piece of the text as the
  // scan gave it; nothing when that block stands at the top.
  std::string_view Of(std::string_view raw) {
    size_t keyword = static_cast<size_t>(raw.data() - text_.data()) / Width - 1;
    while (keyword > 0 && text::IsBlank(Unit(keyword - 1))) --keyword;
    keyword -= std::min<size_t>(keyword, 8);
    size_t depth = 0;  // blocks closed between here and the name
    size_t end = keyword;
    size_t floor = previous_ < keyword ? previous_ : 0;
    for (;;) {
      size_t start = end;
      while (start > floor && (text::ClassOf(Unit(start - 1)) & text::kLineBreak) == 0) --start;
      Parentheses(start, end);
      for (auto at = parentheses_.rbegin(); at != parentheses_.rend(); ++at) {
        if (Unit(*at) == ')') {
          ++depth;
        } else if (depth == 0) {
          return Remember(keyword, *at);
        } else {
          --depth;
        }
      }
      if (start == floor && floor == previous_ && depth == 0) return Remember(keyword, open_);
      if (start == 0) return Remember(keyword, kNone);
      // The block of the name before is closed by now: read on back.
      if (start == floor) floor = 0;
      end = start;
      if ((text::ClassOf(Unit(end - 1)) & text::kLineBreak) != 0) --end;
    }
  }

 private:
  static constexpr size_t kNone = SIZE_MAX;

  unsigned Unit(size_t i) const { return name_scan::UnitAt<Width>(bytes_, i); }

  // The parentheses of the units [start, end), which begin outside a
  // quoted run, that stand outside one.
  void Parentheses(size_t start, size_t end) {
    parentheses_.clear();
    for (size_t i = start; i < end; ++i) {
      const unsigned c = Unit(i);
      if (c == '(' || c == ')') {
        parentheses_.push_back(i);
      } else if (c == '"') {
        while (++i < end) {
          const unsigned in_run = Unit(i);
          if (in_run == '\\' && i + 1 < end && (Unit(i + 1) == '"' || Unit(i + 1) == '\\')) {
            ++i;
          } else if (in_run == '"' || in_run == '\r' || in_run == '\n') {
            break;
          }
        }
      }
    }
  }

  std::string_view Remember(size_t keyword, size_t open) {
    previous_ = keyword;
    open_ = open;
    if (open == kNone) return {};
    size_t end = open;
    while (end > 0 && text::IsBlank(Unit(end - 1))) --end;
    size_t start = end;
    while (start > 0 && text::InWord(Unit(start - 1))) --start;
    return text_.substr(start * Width, (end - start) * Width);
  }

  std::string_view text_;
  const unsigned char* bytes_;
  size_t previous_ = kNone;  // the keyword of the name asked about last
  size_t open_ = kNone;      // the "(" of its block
  std::vector<size_t> parentheses_;
};

}  // namespace formats
