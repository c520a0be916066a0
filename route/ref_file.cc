#include "route/ref_file.h"

#include <algorithm>

#include "formats/text.h"
#include "route/text_file.h"

namespace route {
namespace {

using formats::text::EndsInsideQuotes;
using formats::text::FindClose;
using formats::text::FindOpen;
using formats::text::FindParenthesis;
using formats::text::TrimView;
using formats::text::ValueOf;

bool IsBlank(char c) { return formats::text::IsBlank(static_cast<unsigned char>(c)); }
// A block keyword ends at a blank, a parenthesis or a quote.
bool InWord(char c) { return formats::text::InWord(static_cast<unsigned char>(c)); }

// The line (from 1) that holds the character at offset: CR LF, CR and LF
// each end a line.
size_t LineOf(std::string_view text, size_t offset) {
  size_t line = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && text.substr(i + 1, 1) != "\n")) ++line;
  }
  return line;
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

size_t WordEnd(std::string_view text, size_t pos) {
  while (pos < text.size() && InWord(text[pos])) ++pos;
  return pos;
}

// A property in the layout nearly every entry has: a word, "(", a plain
// value, ")", with blanks between, read from pos on in one pass. Returns
// where its ")" stands, or npos for any other text, which the block grammar
// reads.
size_t ReadSimpleProp(std::string_view text, size_t pos, std::string_view& name,
                      std::optional<PlainValue>& value) {
  size_t i = SkipBlanks(text, pos);
  const size_t name_start = i;
  i = WordEnd(text, i);
  if (i == name_start) return std::string_view::npos;
  name = text.substr(name_start, i - name_start);
  i = SkipBlanks(text, i);
  if (i == text.size() || text[i] != '(') return std::string_view::npos;
  i = SkipBlanks(text, i + 1);
  value = ReadPlainValue(text, i);
  if (!value) return std::string_view::npos;
  i = SkipBlanks(text, i + value->written.size());
  if (i == text.size() || text[i] != ')') return std::string_view::npos;
  return i;
}

}  // namespace

class RefReader {
 public:
  // Cuts the text from `from` on (after the header line) into entries, the
  // text before each and the tail, in one pass. Returns where, from `from`
  // on, the block that does not close begins, or npos.
  static size_t ReadBody(const std::shared_ptr<const std::string>& text, size_t from,
                         ParsedRef& ref) {
    const std::string_view body = std::string_view(*text).substr(from);
    // Room for entries of a few lines each: grown once or never, where
    // doubling would copy every entry read so far. Pages never reached
    // cost nothing.
    ref.entries.reserve(body.size() / 64);
    size_t done = 0;      // the text up to here belongs to an entry or stands before one
    size_t previous = 0;  // the end of the block before
    std::vector<PropText> found;
    for (size_t open = FindOpen(body, 0); open != std::string_view::npos;
         open = FindOpen(body, previous)) {
      size_t word_end = open;
      while (word_end > previous && IsBlank(body[word_end - 1])) --word_end;
      size_t word_start = word_end;
      while (word_start > previous && InWord(body[word_start - 1])) --word_start;
      const size_t start = word_start == word_end ? open : word_start;
      const std::string_view keyword = body.substr(word_start, word_end - word_start);
      if (formats::text::IsFormatKeyword(keyword)) {
        const size_t close = FindClose(body, open + 1);
        if (close == std::string_view::npos) return start;
        previous = close + 1;
        continue;
      }
      const size_t close = ReadProps(body, open + 1, found);
      if (close == std::string_view::npos) return start;
      previous = close + 1;
      Shape& entry = ref.entries.emplace_back();
      MakeProps(found, entry.props_);
      entry.block_type_ = keyword;
      entry.before_ = body.substr(done, start - done);
      entry.read_text_ = text;
      entry.source_ = body.substr(start, previous - start);
      done = previous;
    }
    ref.tail = body.substr(done);
    return std::string_view::npos;
  }

  static std::optional<Shape> ReadEntry(std::string_view text) {
    ParsedRef ref;
    if (ReadBody(std::make_shared<const std::string>(text), 0, ref) != std::string_view::npos ||
        ref.entries.size() != 1 || ref.entries.front().source_.size() != text.size()) {
      return std::nullopt;
    }
    return std::move(ref.entries.front());
  }

 private:
  // A property as the entry's text holds it.
  struct PropText {
    std::string_view name;
    std::string_view written;
    std::optional<PlainValue> plain;  // when it is written so
  };

  // Finds the properties of the entry whose "(" stands just before pos,
  // and returns where its ")" stands, or npos when the text ends first.
  static size_t ReadProps(std::string_view body, size_t pos, std::vector<PropText>& found) {
    found.clear();
    for (;;) {
      PropText simple;
      const size_t simple_end = ReadSimpleProp(body, pos, simple.name, simple.plain);
      if (simple_end != std::string_view::npos) {
        simple.written = simple.plain->written;
        found.push_back(simple);
        pos = simple_end + 1;
        continue;
      }
      const size_t mark = FindParenthesis(body, pos);
      if (mark == std::string_view::npos) return mark;
      const std::string_view before = TrimView(body.substr(pos, mark - pos));
      if (body[mark] == ')') {
        // Free text after the last property is one without a name.
        if (!before.empty()) found.push_back({{}, before, {}});
        return mark;
      }
      const size_t close = FindClose(body, mark + 1);
      if (close == std::string_view::npos) return close;
      found.push_back({before, TrimView(body.substr(mark + 1, close - mark - 1)), {}});
      pos = close + 1;
    }
  }

  // Each property made once, in place, in a list allocated at its size.
  static void MakeProps(const std::vector<PropText>& found, std::vector<Props>& props) {
    props.reserve(found.size());
    for (const PropText& text : found) {
      Props& prop = props.emplace_back();
      prop.PropName.assign(text.name);
      bool keep_form;
      if (text.plain) {
        prop.PropValue.assign(text.plain->value);
        keep_form = !text.plain->own_form;
      } else {
        prop.PropValue = ValueOf(text.written);
        // A form whose quote is left open needs the line break that ended it.
        keep_form = !IsOwnForm(prop.PropValue, text.written) && !EndsInsideQuotes(text.written);
      }
      if (keep_form) prop.written_as.assign(text.written);
    }
  }
};

ParsedRef ParseRef(std::string text) {
  ParsedRef ref;
  if (!text.starts_with(kSimisOpening)) {
    // Only an empty file, or blank lines, hold nothing that writing could
    // lose; NULs or other control characters are no route file.
    if (text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
      ref.fault = RefFault::kNoHeader;
    } else {
      // Nothing that writing could lose: a new file.
      ref.header = kSimisHeader;
      ref.tail = "\r\n\r\n";
      ref.empty = true;
    }
    return ref;
  }
  size_t header_end = 0;
  while (header_end < text.size() && static_cast<unsigned char>(text[header_end]) > 32) ++header_end;
  ref.header = text.substr(0, header_end);
  const auto shared = std::make_shared<const std::string>(std::move(text));
  const size_t unclosed = RefReader::ReadBody(shared, header_end, ref);
  if (unclosed != std::string_view::npos) {
    ref.entries.clear();
    ref.fault = RefFault::kUnclosedBlock;
    ref.fault_line = LineOf(*shared, header_end + unclosed);
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
