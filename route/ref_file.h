// The text of a route's .ref file: a header line, then top-level blocks,
// one per entry, with any text between them. Blocks named include,
// comment, skip or anything beginning with "_" (in any letter case) are
// part of the format rather than objects: they stay in the text around the
// entries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "route/shape.h"

namespace route {

// Why a .ref text is not read: writing entries over such a text would lose
// what it holds.
enum class RefFault {
  kNone,
  kNoHeader,       // it does not open with the SIMIS header
  kUnclosedBlock,  // a block does not close: the file was cut short or a quote swallowed a ")"
};

struct ParsedRef {
  // The SIMIS header that opens the first line, up to the first blank; the
  // program's own header for a text holding nothing but blanks. An entry on
  // the same line is an entry like any other.
  std::string header;
  // Each with its text and the text before it; empty unless fault is kNone.
  std::vector<Shape> entries;
  std::string tail;  // the text after the last entry
  RefFault fault = RefFault::kNone;
  size_t fault_line = 0;  // kUnclosedBlock: the line (from 1) where that block begins
  bool empty = false;     // the text held nothing but blanks
};

// The entries of a .ref text, each entry keeping the text it was read
// from, its keyword through its closing ")". A block's keyword is the word
// right before its "("; the text before that word is text around the
// entries, and so is the line break after an entry.
ParsedRef ParseRef(std::string text);

// The one entry a text holds, when the text is an entry's text exactly as
// ParseRef cuts it (its keyword through its closing ")"); else nothing.
std::optional<Shape> ParseEntry(std::string_view text);

// The program's own layout of these entries: the header, CR LF CR LF, then
// every entry's ToRefText.
std::string RefText(const std::vector<Shape>& entries);

// The .sd text of a shape: the header line, "Shape( " and the name, one
// line per property (values never quoted), ")".
std::string SdText(std::string_view shape_name, const Shape& sd_props);

}  // namespace route
