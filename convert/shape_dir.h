// Converting a folder of 3DS models: numbered models with a common stem
// (house1.3ds, house2.3ds ...) become one shape named after the stem.
#pragma once

#include <string>

#include "convert/announce.h"
#include "core/conv_main.h"

namespace convert {

// The folder becomes ShapeDir, the 3DS dialog's starting folder and the
// stored LASTDIR.
void SetShapeDir(core::ConvMain& main, const std::string& folder);
// The source folder's Browse button.
void ShDirClick(core::ConvMain& main);

// Converts each run of adjacent *.3ds files with one stem into
// folder\<stem>.s, in the folder itself; ShapeDir becomes the folder. A
// name Windows cannot hold is skipped with a log line.
void ShConvertDir(core::ConvMain& main, const std::string& folder, const Announce& announce = {});
// "Convert dir" / "with shapes..": converts a chosen folder, starting the
// choice at ShapeDir.
void Convert1Click(core::ConvMain& main);

}  // namespace convert
