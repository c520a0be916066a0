#include "route/blocks.h"

#include <algorithm>

#include "core/strings.h"
#include "platform/text.h"

namespace route {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether c counts for the block structure, keeping track of quoted runs.
// Quotes themselves and everything inside a run are text.
bool Structural(char c, bool& quoted) {
  if (quoted) {
    if (c == '"' || c == '\r' || c == '\n') quoted = false;
    return false;
  }
  if (c == '"') {
    quoted = true;
    return false;
  }
  return true;
}

std::string StripQuotes(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  std::copy_if(value.begin(), value.end(), std::back_inserter(out), [](char c) { return c != '"'; });
  // Surrogates that a quote kept apart now meet.
  platform::JoinSurrogatePairs(out);
  return core::Trim(out);
}

}  // namespace

size_t BlockReader::FindOpen() const {
  bool quoted = false;
  for (size_t i = pos_; i < text_.size(); ++i) {
    if (Structural(text_[i], quoted) && text_[i] == '(') return i;
  }
  return std::string_view::npos;
}

bool BlockReader::Next(Block& block) {
  if (pos_ >= text_.size()) return false;
  size_t open = no_more_open_ ? std::string_view::npos : FindOpen();
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
  int depth = 1;
  bool quoted = false;
  size_t end = start;
  for (; end < text_.size(); ++end) {
    if (!Structural(text_[end], quoted)) continue;
    if (text_[end] == '(') {
      ++depth;
    } else if (text_[end] == ')' && --depth == 0) {
      break;
    }
  }
  block.value = TrimView(text_.substr(start, end - start));
  block.closed = end < text_.size();
  pos_ = block.closed ? end + 1 : text_.size();
  return true;
}

bool EndsInsideQuotes(std::string_view text) {
  bool quoted = false;
  for (char c : text) Structural(c, quoted);
  return quoted;
}

void ParseBlocks(std::string_view text, Shape& target, bool strip_quotes) {
  BlockReader reader(text);
  Block block;
  while (reader.Next(block)) {
    target.AddProp(std::string(block.name),
                   strip_quotes ? StripQuotes(block.value) : std::string(block.value));
  }
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  return core::SplitText(text, separator);
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace route
