// The shapes page: 3DS models into one MSTS shape file through conv3ds, then
// optionally the shape text edit, Unicode text (txt2uni) and compressed
// binary form (ffeditc_unicode).
#pragma once

#include <string>

#include "core/conv_main.h"

namespace convert {

// Converts the models named in ShInput (bare names in ShapeDir) into
// ShOutput. Each step is judged by the file it must leave; a step that left
// nothing logs why, and the steps that need its file do not run. With
// ShMipMap on, a ShMipMapV that is not a number is refused before anything
// runs.
void ConvertShape(core::ConvMain& main);
// The page's Run button.
void ShProcClick(core::ConvMain& main);

// The models' Browse button: the picked files' names, each after one blank.
void ShIBrowseClick(core::ConvMain& main);
// The output's Browse button.
void ShBrowseClick(core::ConvMain& main);
// The binary switch is usable only with the Unicode one; its check mark stays.
void ShUnicodeClick(core::ConvMain& main);
// The bias value shows only with mip-mapping on.
void ShMipMapClick(core::ConvMain& main);

// A name for the editor tool's work copy of `name` in `folder` that names no
// file or folder there yet: the name itself, else name_1, name_2 ... before
// its extension.
std::string WorkCopyName(const platform::FileSystem& files, const std::string& folder,
                         const std::string& name);

}  // namespace convert
