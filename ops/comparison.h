// The comparison page: which shapes and textures of a route the default
// routes of the simulator already hold, under the same path, as a batch file
// of copy commands or as lists.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/conv_main.h"
#include "core/ui.h"
#include "ops/route_state.h"
#include "platform/file_system.h"

namespace ops {

// Appends the relative path (prefix + "\" + name, one level deeper per
// subfolder) of every entry of `folder` (ending with "\") and of all its
// subfolders whose name holds `fragment`, letter case and all. Entries come
// in the order of the folder listings; a folder is listed before its
// entries. Each folder is walked once, however many links lead to it, and
// a link out of `folder` is listed but not followed. A name Windows could
// not hold is left out, and given to `skipped`. With a progress window, it
// shows the folder being walked and the number of entries met.
void CollectRouteFiles(const platform::FileSystem& files, core::Ui& ui, const std::string& folder,
                       const std::string& prefix, const std::string& fragment,
                       std::vector<std::string>& list, core::Progress* progress = nullptr,
                       const std::function<void(const std::string&)>& skipped = {});

// Compares the route `name` of MSTSRoot with the default routes ticked on
// the page and fills CrOut as the chosen output asks. The batch output is
// appended to CrOut and then saved, every line ending in CR LF as Windows
// batch files want, to `batch_file`, or, without one, to the file the save
// dialog gives; an existing file is replaced only when the user says so,
// and one in a route being compared never. An empty name asks for a
// route; a name that is not a folder of ROUTES is refused. Throws
// core::Error when the batch file is refused or cannot be written; the
// lines stay in CrOut.
void CompareRoute(core::ConvMain& main, const std::string& name,
                  const std::optional<std::string>& batch_file = std::nullopt);

// The "Create" button: compares the route chosen in CrRoute.
void CrProcClick(core::ConvMain& main, const RouteState& routes);

}  // namespace ops
