// The textures a shape names: the names of its images block,
// "images ( count image ( name ) ... )", in order, duplicates kept, each as
// text::NameOf reads it. The block stands at the top of the file or inside
// a top-level block (the shape's own) other than a comment; the first one
// counts. In the token form each image holds a string, whose value is the
// name (trimmed, as its text form reads back).
#pragma once

#include <string>
#include <vector>

#include "formats/simis.h"

namespace formats {

struct ShapeImages {
  std::vector<std::string> names;
  Fault fault = Fault::kNone;  // the shape could not be read; no names then
};

ShapeImages ImageNames(const SimisFile& file);

}  // namespace formats
