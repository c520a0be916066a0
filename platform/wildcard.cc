#include "platform/wildcard.h"

#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/utf8.h"

namespace platform {
namespace {

// The code points of UTF-8 text. A byte that does not start a valid sequence
// stands for itself, kept apart from every real code point.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  size_t pos = 0;
  while (pos < text.size()) {
    char32_t c;
    size_t len = DecodeUtf8(bytes + pos, text.size() - pos, c);
    if (len == 0) {
      out.push_back(0x110000 + bytes[pos]);
      ++pos;
      continue;
    }
    out.push_back(c);
    pos += len;
  }
  return out;
}

// * and ? over two sequences of already folded units; the usual linear
// backtracking to the last star.
template <typename Sequence>
bool Match(const Sequence& pattern, const Sequence& name) {
  const size_t none = static_cast<size_t>(-1);
  size_t p = 0, n = 0, star = none, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (star != none) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  if (IsAscii(pattern) && IsAscii(name)) {
    // ASCII folds to ASCII lower case; only non-ASCII text (the Kelvin sign,
    // the long s) can fold onto ASCII letters, so this path loses nothing.
    std::string p(pattern), n(name);
    for (char& c : p) c = AsciiLower(c);
    for (char& c : n) c = AsciiLower(c);
    return Match(p, n);
  }
  return Match(CodePoints(FoldCase(pattern)), CodePoints(FoldCase(name)));
}

}  // namespace platform
