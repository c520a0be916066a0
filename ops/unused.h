// Finding shapes that no world tile uses and shape files that no entry
// names, and the two buttons that offer them for clearing, each recorded
// in the route's journal as a clearing job.
#pragma once

#include <string>
#include <vector>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "ops/simis_reader.h"

namespace ops {

// The shapes a route uses outside its world files: those of carspawn.dat
// and speedpost.dat, and telepole.s, teleshad.s and yard.s. A missing list
// names no shapes; one that cannot be read as text raises core::Error.
std::vector<std::string> CollectSpecialShapes(core::ConvMain& main, const route::Route& route,
                                              SimisReader& reader);

// The Static entries (lower-case file names, one per entry) whose shape
// neither a world file nor a special list names. Names are compared as the
// paths they open from SHAPES\ ("." and doubled separators, a leading
// "SHAPES\" and ".." resolved); a name that keeps a folder part compares
// whole. Raises core::Error, with nothing listed, for a route without
// world files, a WORLD folder that cannot be listed and a world file that
// cannot be read as text, is cut short or is larger than can be read.
// Reports each world file on the progress window, whose range is 500.
std::vector<std::string> FindUnused(core::ConvMain& main, const route::Route& route,
                                    SimisReader& reader, core::Progress& progress);

// The .s files of SHAPES\ (as named on disk) that neither an entry nor a
// special list names. A name Windows could not hold is logged and left
// out: as a path it would name another file. Raises core::Error when
// SHAPES\ cannot be listed.
std::vector<std::string> FindNotInRef(core::ConvMain& main, const route::Route& route,
                                      SimisReader& reader);

// Backs up the .ref file, appends one Static entry per name (FileName and
// Description the name, Class "Rastolin") and writes the .ref file.
void AddNamesToRef(const core::ConvMain& main, route::Route& route,
                   const std::vector<std::string>& names);

// "Delete unused": the search under a progress window, the choice list;
// on OK a backup of the .ref file, the two questions and the selected
// shapes' files taken out. Their entries stay, so the .ref file is not
// written. The rows are shown again after OK and Cancel.
void ClUnusedClick(core::ConvMain& main, RouteState& routes);

// "Delete objects not in ref": the choice list with "Add" (AddNamesToRef);
// on OK the two questions and the selected shapes' files taken out under a
// progress window. The .ref file is not written here.
void ClDelUnnamedClick(core::ConvMain& main, RouteState& routes);

}  // namespace ops
