// What the entry editor shows of one .ref entry: its block type and one
// row per property, numbered from 1 in their order on screen. The editor
// works on these rows; the entry itself changes only when they are applied
// after OK.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"

namespace core {

struct EntryRow {
  std::string name;
  std::string value;
};

struct EntryForm {
  // The block types the type box offers; any other text may be typed.
  static const std::vector<std::string>& BlockTypes();
  // The names the property-name chooser offers.
  static const std::vector<std::string>& PropertyNames();

  std::string block_type;
  std::vector<EntryRow> rows;

  // "Add": a new last row named "Property" with the value "Value", in the
  // language in force.
  void rfAddClick(const Language& texts);
  // A row's "X": the row goes, the rows below move up one number.
  void DeleteRow(size_t index);

  // Why the form cannot become an entry, naming the row at fault; empty
  // when it can. The block type and every property name must read back as
  // one word: none may be empty or hold a blank, a line break, a
  // parenthesis or a quote, and the block type may not be one the format
  // keeps for itself, or the entry would leave the list at the next read.
  // A value may hold anything.
  std::string Refusal(const Language& texts) const;
};

}  // namespace core
