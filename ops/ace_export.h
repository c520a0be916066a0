// What the console tells of textures and makes of them: aceinfo and
// acetopng, and the words every other reader of textures shares.
#pragma once

#include <string>

#include "core/conv_main.h"
#include "formats/ace.h"

namespace ops {

// Why a texture cannot be read, in the language in force.
std::string AceFaultText(const core::Language& language, formats::AceFault fault,
                         const formats::AceHeader& header);

// Its size, form, mip-maps and creator line:
// 256x256, RGB with 8-bit alpha, zlib-compressed, 9 mip-map levels, creator "...".
std::string AceDescription(const core::Language& language, const formats::AceTexture& texture);

// aceinfo: a log line of the texture's path and description; a texture that
// cannot be read, with why, as a failure.
void AceInfo(core::ConvMain& main, const std::string& path);

// acetopng: the texture's largest level written as a PNG image beside it
// (a.ace gives a.png), asking before it replaces a file. A texture that
// cannot be read, or an image that cannot be written, is a failure.
void AceToPng(core::ConvMain& main, const std::string& path);

}  // namespace ops
