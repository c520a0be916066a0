// The text of a route's .ref file: a header line, then one top-level block
// per entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "route/shape.h"

namespace route {

// The entries of a .ref text. The first line (the header, whatever it
// holds) is skipped; a trailing piece without "(" is not an entry. Values
// lose their double quotes and are trimmed.
std::vector<Shape> ParseRef(std::string_view text);

// The header, CR LF CR LF, then every entry's ToRefText.
std::string RefText(const std::vector<Shape>& entries);

// The .sd text of a shape: the header line, "Shape( " and the name, one
// line per property (values never quoted), ")".
std::string SdText(std::string_view shape_name, const Shape& sd_props);

}  // namespace route
