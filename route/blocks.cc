#include "route/blocks.h"

#include <algorithm>

#include "core/strings.h"

namespace route {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string StripQuotes(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  std::copy_if(value.begin(), value.end(), std::back_inserter(out), [](char c) { return c != '"'; });
  return core::Trim(out);
}

}  // namespace

bool BlockReader::Next(Block& block) {
  if (pos_ >= text_.size()) return false;
  size_t open = no_more_open_ ? std::string_view::npos : text_.find('(', pos_);
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
  size_t end = start;
  for (; end < text_.size(); ++end) {
    if (text_[end] == '(') {
      ++depth;
    } else if (text_[end] == ')' && --depth == 0) {
      break;
    }
  }
  block.value = TrimView(text_.substr(start, end - start));
  pos_ = end < text_.size() ? end + 1 : text_.size();
  return true;
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
