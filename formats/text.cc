#include "formats/text.h"

#include <algorithm>

#include "platform/text.h"

namespace formats::text {
namespace {

bool Is(char c, uint8_t classes) {
  return (kClasses[static_cast<unsigned char>(c)] & classes) != 0;
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && Is(text[pos], kBlank)) ++pos;
  return pos;
}

// The characters the scans outside quoted runs stop at.
constexpr uint8_t kOutside = kParenthesis | kQuote;

template <bool kAlsoClose>
size_t Find(std::string_view text, size_t pos) {
  while (pos < text.size()) {
    const char c = text[pos];
    if (!Is(c, kOutside)) {
      ++pos;
    } else if (c == '"') {
      pos = RunAt(text, pos).end;
    } else if (c == '(' || kAlsoClose) {
      return pos;
    } else {
      ++pos;
    }
  }
  return std::string_view::npos;
}

}  // namespace

bool Escapes(std::string_view text, size_t pos) {
  return pos + 1 < text.size() && (text[pos + 1] == '"' || text[pos + 1] == '\\');
}

Run RunAt(std::string_view text, size_t quote) {
  for (size_t i = quote + 1; i < text.size(); ++i) {
    if (!Is(text[i], kInRun)) continue;
    switch (text[i]) {
      case '"':
        return {i + 1, true};
      case '\r':
      case '\n':
        return {i, false};
      default:
        if (Escapes(text, i)) ++i;
        break;
    }
  }
  return {text.size(), false};
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && Is(text.front(), kBlank)) text.remove_prefix(1);
  while (!text.empty() && Is(text.back(), kBlank)) text.remove_suffix(1);
  return text;
}

size_t FindOpen(std::string_view text, size_t pos) { return Find<false>(text, pos); }

size_t FindParenthesis(std::string_view text, size_t pos) { return Find<true>(text, pos); }

size_t FindClose(std::string_view text, size_t pos) {
  int depth = 1;
  while (pos < text.size()) {
    const char c = text[pos];
    if (!Is(c, kOutside)) {
      ++pos;
      continue;
    }
    if (c == '"') {
      pos = RunAt(text, pos).end;
      continue;
    }
    if (c == '(') {
      ++depth;
    } else if (--depth == 0) {
      return pos;
    }
    ++pos;
  }
  return std::string_view::npos;
}

bool BlockReader::Next(Block& block) {
  if (pos_ >= text_.size()) return false;
  const size_t open = no_more_open_ ? std::string_view::npos : FindOpen(text_, pos_);
  size_t start;
  if (open == std::string_view::npos) {
    // Remembered, so that a long tail without "(" is not searched again for
    // every piece cut from it.
    no_more_open_ = true;
    block.name = {};
    block.opened = false;
    start = pos_;
  } else {
    block.name = TrimView(text_.substr(pos_, open - pos_));
    block.opened = true;
    start = open + 1;
  }
  const size_t close = FindClose(text_, start);
  block.closed = close != std::string_view::npos;
  block.value = TrimView(text_.substr(start, (block.closed ? close : text_.size()) - start));
  pos_ = block.closed ? close + 1 : text_.size();
  return true;
}

bool EndsInsideQuotes(std::string_view text) {
  for (size_t i = text.find('"'); i != std::string_view::npos; i = text.find('"', i)) {
    const Run run = RunAt(text, i);
    if (!run.closed && run.end == text.size()) return true;
    i = run.end;
  }
  return false;
}

std::string ValueOf(std::string_view written) {
  const size_t quote = written.find('"');
  if (quote == std::string_view::npos) return std::string(written);
  // The common form: one run with nothing to undo.
  const std::string_view inside = written.substr(1, written.size() >= 2 ? written.size() - 2 : 0);
  if (quote == 0 && written.size() >= 2 && written.back() == '"' &&
      std::none_of(inside.begin(), inside.end(), [](char c) { return Is(c, kInRun); })) {
    return std::string(inside);
  }
  std::string value;
  value.reserve(written.size());
  for (size_t i = 0; i < written.size();) {
    const char c = written[i];
    if (c == '(') return std::string(written);
    if (c != '"') {
      value += c;
      ++i;
      continue;
    }
    const Run run = RunAt(written, i);
    const std::string_view content =
        written.substr(i + 1, (run.closed ? run.end - 1 : run.end) - i - 1);
    for (size_t j = 0; j < content.size(); ++j) {
      if (content[j] == '\\' && Escapes(content, j)) ++j;
      value += content[j];
    }
    i = run.end;
    if (!run.closed) continue;
    size_t next = SkipBlanks(written, i);
    if (next < written.size() && written[next] == '+') {
      next = SkipBlanks(written, next + 1);
      if (next < written.size() && written[next] == '"') i = next;
    }
  }
  // Surrogates that a quote kept apart now meet.
  platform::JoinSurrogatePairs(value);
  return value;
}

std::string NameOf(std::string_view written) {
  return std::string(TrimView(ValueOf(TrimView(written))));
}

bool KeywordIs(std::string_view word, std::string_view keyword) {
  return word.size() == keyword.size() &&
         std::equal(word.begin(), word.end(), keyword.begin(), [](char a, char b) {
           return platform::AsciiLower(a) == platform::AsciiLower(b);
         });
}

bool IsFormatKeyword(std::string_view keyword) {
  return keyword.starts_with('_') || KeywordIs(keyword, "skip") || KeywordIs(keyword, "include") ||
         KeywordIs(keyword, "comment");
}

std::string_view KeywordOf(std::string_view block_name) {
  size_t start = block_name.size();
  while (start > 0 && InWord(static_cast<unsigned char>(block_name[start - 1]))) --start;
  return block_name.substr(start);
}

}  // namespace formats::text
