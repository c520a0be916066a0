// The console's batchadd: installs a folder of converted content (shapes
// with their entries and .sd files, optionally textures and subfolders)
// into a route in one go.
#pragma once

#include <string>

#include "core/conv_main.h"
#include "route/route.h"

namespace ops {

// Opens the route for this one command (the window's current route is not
// touched), reads its .ref file and adds the folder. A route whose .ref
// file cannot be read raises core::Error before anything is added. Returns
// AddFolder's count.
int BatchAdd(core::ConvMain& main, const std::string& route_name, const std::string& folder,
             const std::string& class_name, bool sub, bool over, bool texs);

// Adds the folder's shapes (each with an entry of the class, "Rastolin"
// when none is given, and its own or a generated .sd file), then with texs
// its textures, then with sub each plain subfolder the same way. Without
// over, replacing a shape or a generated .sd file is asked first and other
// existing files are kept. Logs "Added shape "/"Skipped shape " and
// "Added texture "/"Skipped texture " with each name, and names a shape
// whose own .sd file could not be copied. A file or folder whose name
// Windows cannot hold is skipped with a log line. Returns how many shapes
// (and with texs textures) the folders held, added or not.
int AddFolder(core::ConvMain& main, route::Route& route, const std::string& folder,
              const std::string& class_name, bool sub, bool over, bool texs);

}  // namespace ops
