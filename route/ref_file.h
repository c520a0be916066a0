// The text of a route's .ref file: a header line, then one top-level block
// per entry.
#pragma once

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
  kUnclosedBlock,  // it ends inside an entry: the file was cut short
};

struct ParsedRef {
  std::vector<Shape> entries;  // empty unless fault is kNone
  RefFault fault = RefFault::kNone;
};

// The entries of a .ref text. The header line, which ends at the first CR or
// LF, is skipped; a text holding nothing but blanks has no entries. A
// trailing piece without "(" is not an entry. Values lose their double
// quotes and are trimmed.
ParsedRef ParseRef(std::string_view text);

// The header, CR LF CR LF, then every entry's ToRefText.
std::string RefText(const std::vector<Shape>& entries);

// The .sd text of a shape: the header line, "Shape( " and the name, one
// line per property (values never quoted), ")".
std::string SdText(std::string_view shape_name, const Shape& sd_props);

}  // namespace route
