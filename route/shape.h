// A .ref entry: a block keyword and an ordered list of name/value pairs.
// The same type serves as a plain pair list wherever one is needed (the
// .sd properties, the blocks of a file while it is read).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"

namespace route {

struct Props {
  std::string PropName;   // in the letter case it was read or set in
  std::string PropValue;
  // The value's text as the file held it, kept while the value stays, where
  // the program would write the value otherwise: numbers standing bare
  // side by side, a block of its own, strings joined by "+".
  std::string written_as = {};

  // Names and values; how a value was written does not count.
  bool operator==(const Props& other) const {
    return PropName == other.PropName && PropValue == other.PropValue;
  }
};

// Property names are compared without regard to letter case, so
// "FileName", "Filename" and "filename" name the same property.
bool NamesMatch(std::string_view a, std::string_view b);

class Shape {
 public:
  const std::string& BlockType() const { return block_type_; }
  // In file order. Duplicate names read from a file stay separate.
  const std::vector<Props>& PropList() const { return props_; }
  int PropCount() const { return static_cast<int>(props_.size()); }

  // The value of the first property of that name; empty when none.
  const std::string& GetValue(std::string_view name) const;

  // Every change below drops the text the entry was read from: from then
  // on the entry is written in the program's own layout.
  void SetBlockType(std::string type);
  // Replaces name and value of the first property of that name, or appends
  // the pair when there is none.
  void SetValue(const std::string& name, const std::string& value);
  // Appends the pair without looking for the name.
  void AddProp(std::string name, std::string value);

  // The entry's text in a .ref file, its keyword through its closing ")":
  // the text it was read from, character for character, as long as nothing
  // changed it; else ToRefText() without its last line break.
  std::string Text() const;
  void AppendText(std::string& text) const;
  // Whether Text() is the text the entry was read from.
  bool AsRead() const { return !source_.empty(); }

  // The entry in the program's own layout: "Type (", one line per
  // property, ")", each line ended by CR LF. A value is quoted when it holds
  // a blank, a control character, a parenthesis or a quote (escaped as \"),
  // or begins with a character below "." (which other readers drop from a
  // bare value); each of its lines is quoted on its own. A value left as it
  // was read keeps the form it was read in.
  std::string ToRefText() const;
  void AppendRefText(std::string& text) const;

  // Same block type and properties, however they were written.
  bool operator==(const Shape& other) const {
    return block_type_ == other.block_type_ && props_ == other.props_;
  }

 private:
  // Reading gives an entry its text; the route keeps the text around it.
  friend class RefReader;
  friend class Route;
  friend class Timeline;

  // Drops the text the entry was read from.
  void Forget();

  std::string block_type_ = "Static";
  std::vector<Props> props_;
  // The entry's text as read: from its keyword through its closing ")".
  // Empty for an entry made or changed since. It is
  // a piece of the text the entries read with it share, which saves a
  // large route an allocation per entry.
  std::shared_ptr<const std::string> read_text_;
  std::string_view source_;
  // The text between the entry before it (or the header line) and it, as
  // read: blank lines, comment lines, blocks that are no entries.
  std::string before_;
};

// Refuses (core::Error naming the property) a name or value that holds a
// line break: typed into an entry or an .sd file, it would end the line
// that its block needs.
void RefuseLineBreaks(const Shape& props, const core::Language& language);

// Appends a value as the program writes it (see Shape::ToRefText).
void AppendRefValue(std::string& text, std::string_view value);
// Whether AppendRefValue writes the value so.
bool IsOwnForm(std::string_view value, std::string_view written);

// A value as nearly every value read is written: a bare run of characters
// that need no quotes, or one quoted run with nothing to undo.
struct PlainValue {
  std::string_view written;  // as the text holds it
  std::string_view value;    // ValueOf(written), a piece of it
  bool own_form;             // IsOwnForm(value, written)
};
// The plain value written from pos on, up to a blank or ")"; nothing when
// the text holds any other form there.
std::optional<PlainValue> ReadPlainValue(std::string_view text, size_t pos);

}  // namespace route
