// Finding the routes of an installation and the classes a route uses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "route/route.h"

namespace route {

// Whether a name can be a route's: one plain folder name of ROUTES that
// Windows can hold, so that nothing outside that folder is reached. Not
// empty, no "\", "/", ":" or other character Windows forbids, no "..", and
// no trailing "." or blank, which Windows drops (so "." is out too).
bool IsRouteName(std::string_view name);

// The folders of MSTS root + "\ROUTES" that hold at least one .dat file and
// have a route name, in the order of the folder listing. Hidden and system
// folders are passed over, as the folder search leaves them out.
std::vector<std::string> FindRoutes(const platform::FileSystem& files, const std::string& msts_root);

// The non-empty Class values of the entries, each once in order of first
// appearance; values differing only in letter case count as one, the first
// one met stays.
std::vector<std::string> GatherClasses(const Route& route);

}  // namespace route
