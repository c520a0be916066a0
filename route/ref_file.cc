#include "route/ref_file.h"

#include <algorithm>

#include "route/blocks.h"
#include "route/text_file.h"

namespace route {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// What a block keyword is made of: a word ends at a blank, a parenthesis or
// a quote.
bool InWord(char c) { return !IsBlank(c) && c != '(' && c != ')' && c != '"'; }

bool IsFormatBlock(std::string_view keyword) {
  return keyword.starts_with('_') || NamesMatch(keyword, "include") ||
         NamesMatch(keyword, "comment") || NamesMatch(keyword, "skip");
}

// The line (from 1) that holds the character at offset: CR LF, CR and LF
// each end a line.
size_t LineOf(std::string_view text, size_t offset) {
  size_t line = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && text.substr(i + 1, 1) != "\n")) ++line;
  }
  return line;
}

// Where an entry's text ends, given the end of its ")": past the line break
// that ends the line when nothing but blanks follows on it.
size_t EntryEnd(std::string_view text, size_t end) {
  size_t i = end;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (text.substr(i, 2) == "\r\n") return i + 2;
  if (i < text.size() && (text[i] == '\r' || text[i] == '\n')) return i + 1;
  return end;
}

}  // namespace

class RefReader {
 public:
  // Cuts the text after the header line into entries, the text before each
  // and the tail. Returns where the block that does not close begins, or
  // npos.
  static size_t ReadBody(std::string_view body, ParsedRef& ref) {
    BlockReader reader(body);
    Block block;
    size_t done = 0;      // the text up to here belongs to an entry or stands before one
    size_t previous = 0;  // the end of the block before
    std::string scratch;
    while (reader.Next(block)) {
      if (!block.opened) continue;
      size_t word_end = block.open;
      while (word_end > previous && IsBlank(body[word_end - 1])) --word_end;
      size_t word_start = word_end;
      while (word_start > previous && InWord(body[word_start - 1])) --word_start;
      const size_t start = word_start == word_end ? block.open : word_start;
      if (!block.closed) return start;
      previous = block.end;
      const std::string_view keyword = body.substr(word_start, word_end - word_start);
      if (IsFormatBlock(keyword)) continue;
      const size_t end = EntryEnd(body, block.end);
      Shape& entry = ref.entries.emplace_back();
      entry.block_type_ = keyword;
      entry.before_ = body.substr(done, start - done);
      entry.source_ = body.substr(start, end - start);
      ReadProps(block.value, entry, scratch);
      done = end;
    }
    ref.tail = body.substr(done);
    return std::string_view::npos;
  }

  static std::optional<Shape> ReadEntry(std::string_view text) {
    ParsedRef ref;
    if (ReadBody(text, ref) != std::string_view::npos || ref.entries.size() != 1 ||
        ref.entries.front().source_.size() != text.size()) {
      return std::nullopt;
    }
    return std::move(ref.entries.front());
  }

 private:
  static void ReadProps(std::string_view body, Shape& entry, std::string& scratch) {
    BlockReader reader(body);
    Block block;
    while (reader.Next(block)) {
      Props& prop = entry.props_.emplace_back();
      prop.PropName = block.name;
      prop.PropValue = ValueOf(block.value);
      scratch.clear();
      AppendRefValue(scratch, prop.PropValue);
      // A form whose quote is left open needs the line break that ended it.
      if (scratch != block.value && !EndsInsideQuotes(block.value)) prop.written_as = block.value;
    }
  }
};

ParsedRef ParseRef(std::string_view text) {
  ParsedRef ref;
  if (!text.starts_with(kSimisOpening)) {
    if (std::any_of(text.begin(), text.end(), [](char c) { return !IsBlank(c); })) {
      ref.fault = RefFault::kNoHeader;
    } else {
      // Nothing that writing could lose: a new file.
      ref.header = kSimisHeader;
      ref.tail = "\r\n\r\n";
    }
    return ref;
  }
  const size_t header_end = std::min(text.find_first_of("\r\n"), text.size());
  ref.header = text.substr(0, header_end);
  const size_t unclosed = RefReader::ReadBody(text.substr(header_end), ref);
  if (unclosed != std::string_view::npos) {
    ref.entries.clear();
    ref.fault = RefFault::kUnclosedBlock;
    ref.fault_line = LineOf(text, header_end + unclosed);
  }
  return ref;
}

std::optional<Shape> ParseEntry(std::string_view text) { return RefReader::ReadEntry(text); }

std::string RefText(const std::vector<Shape>& entries) {
  // Sized first: a large route is written in one allocation.
  size_t size = kSimisHeader.size() + 4;
  for (const Shape& entry : entries) {
    size += entry.BlockType().size() + 8;
    for (const Props& prop : entry.PropList()) size += prop.PropName.size() + prop.PropValue.size() + 12;
  }
  std::string text;
  text.reserve(size);
  text.append(kSimisHeader).append("\r\n\r\n");
  for (const Shape& entry : entries) entry.AppendRefText(text);
  return text;
}

std::string SdText(std::string_view shape_name, const Shape& sd_props) {
  std::string text(kSimisHeader);
  text += "\r\nShape( ";
  text += shape_name;
  for (const Props& prop : sd_props.PropList()) {
    text += "\r\n\t" + prop.PropName + " ( " + prop.PropValue + " ) ";
  }
  text += "\r\n)\r\n";
  return text;
}

}  // namespace route
