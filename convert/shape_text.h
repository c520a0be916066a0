// Editing the shape text the shape tool has just written (8-bit lines):
// the mip-map bias of every texture entry and the check of every image
// entry's texture file against the source folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/conv_main.h"

namespace convert {

// One pass over ShOutput: with ShMipMap, the third value of every
// "\ttexture " line becomes ShMipMapV as typed; with ShCheckTex, every
// "\timage " name missing from ShapeDir is reported with a question, and a
// Yes opens the replacement dialog. The file is written back whole, every
// line ending in CR LF. Throws core::Error when it cannot be read or written.
void ShPostProcess(core::ConvMain& main);

// Whether a text is a mip-map bias MSTS reads: a decimal number with an
// optional sign, such as -2, 0.5 or .5; no blanks, no exponent.
bool IsMipMapBias(std::string_view text);

// The bias edit of one texture entry; false (line unchanged) when fewer
// than three blanks follow its "(".
bool SetMipMapBias(std::string& line, const std::string& value);

// The name between the parentheses of an image entry, trimmed: the text
// from just after "(" up to, not including, the character before ")".
// Nothing when a parenthesis is missing or ")" comes too early.
std::optional<std::string> ImageName(const std::string& line);
// Puts " <name>.ace" in place of that text.
void ReplaceImageName(std::string& line, const std::string& name);

}  // namespace convert
