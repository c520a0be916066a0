// TGA images, the texture tool's usual source: true colour (24 or 32 bits)
// or grey (8 bits), plain or run-length encoded, rows from the bottom
// unless the image says otherwise. Read where no other reader has them
// (the window's preview without Qt's TGA plugin, the stand-in tool).
#pragma once

#include <string_view>

#include "formats/ace.h"

namespace formats {

// False, `image` left empty, for a file of another kind, a damaged one or
// one cut short; never reads past the end of the bytes.
bool ReadTga(std::string_view bytes, RgbaImage& image);

}  // namespace formats
