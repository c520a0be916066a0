#include "route/shape.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/error.h"
#include "formats/text.h"
#include "platform/text.h"

namespace route {
namespace {

using formats::text::kClasses;
// What a character means for how a value is written: a value holding
// one of these is quoted, and one of these is written otherwise inside
// quotes than it stands.
constexpr uint8_t kNeedsQuotes = formats::text::kEndsWord;
constexpr uint8_t kUndone = formats::text::kInRun;

uint8_t ClassesOf(std::string_view text) {
  const auto* c = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* end = c + text.size();
  // Four at a time, as every value read passes here.
  uint8_t classes = 0;
  for (; end - c >= 4; c += 4) {
    classes |= kClasses[c[0]] | kClasses[c[1]] | kClasses[c[2]] | kClasses[c[3]];
  }
  for (; c < end; ++c) classes |= kClasses[*c];
  return classes;
}

// Given the classes of its characters.
bool NeedsQuotes(std::string_view value, uint8_t classes) {
  return !value.empty() &&
         (static_cast<unsigned char>(value.front()) < '.' || (classes & kNeedsQuotes) != 0);
}

bool NeedsQuotes(std::string_view value) { return NeedsQuotes(value, ClassesOf(value)); }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// What AppendRefValue writes otherwise than as it stands inside a run.
bool HasEscapesOrBreaks(std::string_view value) { return (ClassesOf(value) & kUndone) != 0; }

}  // namespace

std::optional<PlainValue> ReadPlainValue(std::string_view text, size_t pos) {
  const auto at = [text](size_t i) { return kClasses[static_cast<unsigned char>(text[i])]; };
  size_t end = pos;
  if (pos == text.size() || text[pos] != '"') {
    while (end < text.size() && at(end) == 0) ++end;
    // A bare value ends at a blank or ")".
    if (end == text.size() || !(static_cast<unsigned char>(text[end]) <= 32 || text[end] == ')')) {
      return std::nullopt;
    }
    const std::string_view value = text.substr(pos, end - pos);
    return PlainValue{value, value, !NeedsQuotes(value, 0)};
  }
  uint8_t classes = 0;
  for (++end; end < text.size() && (at(end) & kUndone) == 0; ++end) classes |= at(end);
  if (end == text.size() || text[end] != '"') return std::nullopt;
  const std::string_view inside = text.substr(pos + 1, end - pos - 1);
  // The program quotes a value only where it needs quotes.
  return PlainValue{text.substr(pos, end + 1 - pos), inside, NeedsQuotes(inside, classes)};
}

bool IsOwnForm(std::string_view value, std::string_view written) {
  if (!NeedsQuotes(value)) return written == value;
  if (!HasEscapesOrBreaks(value)) {
    return written.size() == value.size() + 2 && written.front() == '"' &&
           written.back() == '"' && written.substr(1, value.size()) == value;
  }
  std::string own;
  AppendRefValue(own, value);
  return own == written;
}

void AppendRefValue(std::string& text, std::string_view value) {
  if (!NeedsQuotes(value)) {
    text.append(value);
    return;
  }
  // A quoted run ends with its line, so every line is quoted on its own and
  // the line breaks stand between the runs.
  size_t i = 0;
  for (;;) {
    text += '"';
    for (; i < value.size() && !IsLineBreak(value[i]); ++i) {
      const char c = value[i];
      if (c == '"') {
        text += "\\\"";
      } else if (c == '\\' && (i + 1 == value.size() || value[i + 1] == '"' ||
                               value[i + 1] == '\\' || IsLineBreak(value[i + 1]))) {
        // Else it would escape the character after it or the closing quote.
        text += "\\\\";
      } else {
        text += c;
      }
    }
    text += '"';
    if (i == value.size()) return;
    const size_t break_size = value.compare(i, 2, "\r\n") == 0 ? 2 : 1;
    text.append(value.substr(i, break_size));
    i += break_size;
  }
}

bool NamesMatch(std::string_view a, std::string_view b) {
  // Property names are nearly always ASCII, and most differ in their first
  // letters: tables are needed only from a byte beyond ASCII on. Two
  // different ASCII letters, or one name going on where the other ends,
  // never fold to the same name.
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (static_cast<unsigned char>(a[i] | b[i]) >= 0x80) return platform::EqualsIgnoreCase(a, b);
    if (platform::AsciiLower(a[i]) != platform::AsciiLower(b[i])) return false;
  }
  return a.size() == b.size();
}

const std::string& Shape::GetValue(std::string_view name) const {
  static const std::string kNone;
  for (const Props& prop : props_) {
    if (NamesMatch(prop.PropName, name)) return prop.PropValue;
  }
  return kNone;
}

void Shape::Forget() {
  read_text_.reset();
  source_ = {};
}

void Shape::SetBlockType(std::string type) {
  Forget();
  block_type_ = std::move(type);
}

void Shape::SetValue(const std::string& name, const std::string& value) {
  for (Props& prop : props_) {
    if (NamesMatch(prop.PropName, name)) {
      Forget();
      if (prop.PropValue != value) prop.written_as.clear();
      prop.PropName = name;
      prop.PropValue = value;
      return;
    }
  }
  AddProp(name, value);
}

void Shape::AddProp(std::string name, std::string value) {
  Forget();
  props_.push_back(Props{std::move(name), std::move(value)});
}

std::string Shape::Text() const {
  std::string text;
  AppendText(text);
  return text;
}

void Shape::AppendText(std::string& text) const {
  if (AsRead()) {
    text.append(source_);
  } else {
    // The line break after it is text around it, as for an entry read.
    AppendRefText(text);
    text.resize(text.size() - 2);
  }
}

std::string Shape::ToRefText() const {
  std::string text;
  AppendRefText(text);
  return text;
}

void Shape::AppendRefText(std::string& text) const {
  text.append(block_type_).append(" (");
  for (const Props& prop : props_) {
    text.append("\r\n\t").append(prop.PropName).append(" ( ");
    if (prop.written_as.empty()) {
      AppendRefValue(text, prop.PropValue);
    } else {
      text.append(prop.written_as);
    }
    text.append(" )");
  }
  text.append("\r\n)\r\n");
}

void RefuseLineBreaks(const Shape& props, const core::Language& language) {
  for (const Props& prop : props.PropList()) {
    if (prop.PropName.find_first_of("\r\n") != std::string::npos ||
        prop.PropValue.find_first_of("\r\n") != std::string::npos) {
      throw core::Error(language.Format(core::Msg::LineBreakInProperty, prop.PropName));
    }
  }
}

}  // namespace route
