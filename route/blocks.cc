#include "route/blocks.h"

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

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

bool Escaped(std::string_view text, size_t backslash) {
  return backslash + 1 < text.size() && (text[backslash + 1] == '"' || text[backslash + 1] == '\\');
}

struct Run {
  size_t end;   // just past the closing quote, or where the line or text ends
  bool closed;  // false when the line or the text ended it
};

// The quoted run whose opening quote stands at pos.
Run RunAt(std::string_view text, size_t pos) {
  for (size_t i = pos + 1; i < text.size(); ++i) {
    switch (text[i]) {
      case '"':
        return {i + 1, true};
      case '\r':
      case '\n':
        return {i, false};
      case '\\':
        if (Escaped(text, i)) ++i;
        break;
      default:
        break;
    }
  }
  return {text.size(), false};
}

}  // namespace

size_t BlockReader::FindOpen() const {
  for (size_t i = pos_; i < text_.size();) {
    if (text_[i] == '"') {
      i = RunAt(text_, i).end;
    } else if (text_[i] == '(') {
      return i;
    } else {
      ++i;
    }
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
    block.open = pos_;
    start = pos_;
  } else {
    block.name = TrimView(text_.substr(pos_, open - pos_));
    block.opened = true;
    block.open = open;
    start = open + 1;
  }
  int depth = 1;
  size_t end = start;
  while (end < text_.size()) {
    const char c = text_[end];
    if (c == '"') {
      end = RunAt(text_, end).end;
      continue;
    }
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      break;
    }
    ++end;
  }
  block.value = TrimView(text_.substr(start, end - start));
  block.closed = end < text_.size();
  block.end = block.closed ? end + 1 : text_.size();
  pos_ = block.end;
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
  if (quote == 0 && written.size() >= 2 && written.back() == '"' &&
      written.find_first_of("\"\\\r\n", 1) == written.size() - 1) {
    return std::string(written.substr(1, written.size() - 2));
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

void ParseBlocks(std::string_view text, Shape& target, bool unquote) {
  BlockReader reader(text);
  Block block;
  while (reader.Next(block)) {
    target.AddProp(std::string(block.name),
                   unquote ? ValueOf(block.value) : std::string(block.value));
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
