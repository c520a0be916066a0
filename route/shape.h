// A .ref entry: a block keyword and an ordered list of name/value pairs.
// The same type serves as a plain pair list wherever one is needed (the
// .sd properties, the blocks of a file while it is read).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"

namespace route {

struct Props {
  std::string PropName;   // in the letter case it was read or set in
  std::string PropValue;

  bool operator==(const Props&) const = default;
};

// Property names are compared without regard to letter case, so
// "FileName", "Filename" and "filename" name the same property.
bool NamesMatch(std::string_view a, std::string_view b);

class Shape {
 public:
  std::string BlockType = "Static";
  // In file order. Duplicate names read from a file stay separate.
  std::vector<Props> PropList;

  int PropCount() const { return static_cast<int>(PropList.size()); }

  // The value of the first property of that name; empty when none.
  const std::string& GetValue(std::string_view name) const;
  // Replaces name and value of the first property of that name, or appends
  // the pair when there is none.
  void SetValue(const std::string& name, const std::string& value);
  // Appends the pair without looking for the name.
  void AddProp(std::string name, std::string value);

  // The entry as a .ref file holds it: "Type (", one line per property,
  // ")", each line ended by CR LF. A value is quoted when it holds a space
  // or a parenthesis or begins with a character below "." (which other
  // readers drop from a bare value); its own double quotes, which reading
  // drops anyway, are left out.
  std::string ToRefText() const;
  // The same, appended to a text that is being built.
  void AppendRefText(std::string& text) const;

  bool operator==(const Shape&) const = default;
};

// Refuses (core::Error naming the property) a name or value that holds a
// line break: typed into an entry or an .sd file, it would end the line
// that its block needs.
void RefuseLineBreaks(const Shape& props, const core::Language& language);

}  // namespace route
