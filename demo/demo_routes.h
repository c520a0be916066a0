// The routes of the demo installation: a route to add to and clear
// (DemoLine), two default routes sharing files with it (EUROPE1, USA1), and
// a folder of new content to install with batchadd.
#pragma once

#include <filesystem>

namespace demo {

void WriteRoutes(const std::filesystem::path& drive_c);
void WriteContentToInstall(const std::filesystem::path& drive_c);

}  // namespace demo
