#include "route/shape.h"

#include <algorithm>

#include "core/error.h"
#include "platform/text.h"
#include "route/blocks.h"

namespace route {
namespace {

// Names are written as read. One whose last line leaves a quote open had
// that quote closed by a line break when it was read; the break goes back
// in, or the quote would hide the "(" that follows.
void AppendName(std::string& text, std::string_view name) {
  text.append(name);
  if (EndsInsideQuotes(name)) text.append("\r\n");
}

bool NeedsQuotes(std::string_view value) {
  return !value.empty() && (static_cast<unsigned char>(value.front()) < '.' ||
                            value.find_first_of(" ()") != std::string_view::npos);
}

void AppendValue(std::string& text, std::string_view rest) {
  std::string unquoted;
  if (rest.find('"') != std::string_view::npos) {
    std::copy_if(rest.begin(), rest.end(), std::back_inserter(unquoted), [](char c) { return c != '"'; });
    rest = unquoted;
  }
  if (!NeedsQuotes(rest)) {
    text.append(rest);
    return;
  }
  // A quoted run ends with its line, so every line is quoted on its own.
  for (;;) {
    size_t line_end = rest.find_first_of("\r\n");
    std::string_view line = rest.substr(0, line_end);
    if (!line.empty()) text.append(1, '"').append(line).append(1, '"');
    if (line_end == std::string_view::npos) return;
    text.append(1, rest[line_end]);
    rest.remove_prefix(line_end + 1);
  }
}

}  // namespace

bool NamesMatch(std::string_view a, std::string_view b) {
  // Property names are nearly always ASCII; folding them needs no tables.
  if (platform::IsAscii(a) && platform::IsAscii(b)) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return platform::AsciiLower(x) == platform::AsciiLower(y);
           });
  }
  return platform::EqualsIgnoreCase(a, b);
}

const std::string& Shape::GetValue(std::string_view name) const {
  static const std::string kNone;
  for (const Props& prop : PropList) {
    if (NamesMatch(prop.PropName, name)) return prop.PropValue;
  }
  return kNone;
}

void Shape::SetValue(const std::string& name, const std::string& value) {
  for (Props& prop : PropList) {
    if (NamesMatch(prop.PropName, name)) {
      prop.PropName = name;
      prop.PropValue = value;
      return;
    }
  }
  AddProp(name, value);
}

void Shape::AddProp(std::string name, std::string value) {
  PropList.push_back(Props{std::move(name), std::move(value)});
}

std::string Shape::ToRefText() const {
  std::string text;
  AppendRefText(text);
  return text;
}

void Shape::AppendRefText(std::string& text) const {
  AppendName(text, BlockType);
  text.append(" (");
  for (const Props& prop : PropList) {
    text.append("\r\n\t");
    AppendName(text, prop.PropName);
    text.append(" ( ");
    AppendValue(text, prop.PropValue);
    text.append(" )");
  }
  text.append("\r\n)\r\n");
}

void RefuseLineBreaks(const Shape& props, const core::Language& language) {
  for (const Props& prop : props.PropList) {
    if (prop.PropName.find_first_of("\r\n") != std::string::npos ||
        prop.PropValue.find_first_of("\r\n") != std::string::npos) {
      throw core::Error(language.Format(core::Msg::LineBreakInProperty, prop.PropName));
    }
  }
}

}  // namespace route
