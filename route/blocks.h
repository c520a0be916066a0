// MSTS text cut into name/value pairs, and the small helpers for lists and
// names that go with it. The block grammar itself is formats/text.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "route/shape.h"

namespace route {

// Appends each block of the text to the target as a property, its value as
// written. Text after the last block becomes a property with an empty name.
void ParseBlocks(std::string_view text, Shape& target);

// The pieces between one-character separators, empty ones too; the piece
// after the last separator only when it holds more than blanks.
std::vector<std::string> SplitList(std::string_view text, char separator);

// The part after the last separator ("\" or "/"), or the whole path.
std::string FileNameOf(std::string_view path);

}  // namespace route
