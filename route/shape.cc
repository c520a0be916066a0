#include "route/shape.h"

#include <algorithm>

#include "platform/text.h"

namespace route {
namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool NamesMatch(std::string_view a, std::string_view b) {
  // Property names are nearly always ASCII; folding them needs no tables.
  if (IsAscii(a) && IsAscii(b)) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
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
  text.append(BlockType).append(" (");
  for (const Props& prop : PropList) {
    text.append("\r\n\t").append(prop.PropName).append(" ( ");
    // Only a space makes the editor need quotes; tabs and quotes inside a
    // value are written as they are.
    if (prop.PropValue.find(' ') != std::string::npos) {
      text.append(1, '"').append(prop.PropValue).append(1, '"');
    } else {
      text.append(prop.PropValue);
    }
    text.append(" )");
  }
  text.append("\r\n)\r\n");
}

}  // namespace route
