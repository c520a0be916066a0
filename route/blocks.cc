#include "route/blocks.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/strings.h"
#include "platform/text.h"

namespace route {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

bool Escaped(std::string_view text, size_t backslash) {
  return backslash + 1 < text.size() && (text[backslash + 1] == '"' || text[backslash + 1] == '\\');
}

// The characters the scans stop at: outside quoted runs the parentheses and
// the quote, inside them the quote, the backslash and the line breaks.
constexpr uint8_t kOutsideStop = 1;
constexpr uint8_t kInsideStop = 2;
constexpr std::array<uint8_t, 256> kStops = [] {
  std::array<uint8_t, 256> stops{};
  stops['('] = stops[')'] = kOutsideStop;
  stops['"'] = kOutsideStop | kInsideStop;
  stops['\\'] = stops['\r'] = stops['\n'] = kInsideStop;
  return stops;
}();

bool Stops(char c, uint8_t where) { return (kStops[static_cast<unsigned char>(c)] & where) != 0; }

struct Run {
  size_t end;   // just past the closing quote, or where the line or text ends
  bool closed;  // false when the line or the text ended it
};

// The quoted run whose opening quote stands at pos.
Run RunAt(std::string_view text, size_t pos) {
  for (size_t i = pos + 1; i < text.size(); ++i) {
    if (!Stops(text[i], kInsideStop)) continue;
    switch (text[i]) {
      case '"':
        return {i + 1, true};
      case '\r':
      case '\n':
        return {i, false};
      default:
        if (Escaped(text, i)) ++i;
        break;
    }
  }
  return {text.size(), false};
}

template <bool kAlsoClose>
size_t Find(std::string_view text, size_t pos) {
  while (pos < text.size()) {
    const char c = text[pos];
    if (!Stops(c, kOutsideStop)) {
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

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

size_t FindOpen(std::string_view text, size_t pos) { return Find<false>(text, pos); }

size_t FindParenthesis(std::string_view text, size_t pos) { return Find<true>(text, pos); }

size_t FindClose(std::string_view text, size_t pos) {
  int depth = 1;
  while (pos < text.size()) {
    const char c = text[pos];
    if (!Stops(c, kOutsideStop)) {
      ++pos;
      continue;
    }
    if (c == '"') {
      pos = RunAt(text, pos).end;
      continue;
    }
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
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
      std::none_of(inside.begin(), inside.end(),
                   [](char c) { return c == '"' || c == '\\' || c == '\r' || c == '\n'; })) {
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
      if (content[j] == '\\' && Escaped(content, j)) ++j;
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

void ParseBlocks(std::string_view text, Shape& target) {
  BlockReader reader(text);
  Block block;
  while (reader.Next(block)) target.AddProp(std::string(block.name), std::string(block.value));
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  return core::SplitText(text, separator);
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace route
