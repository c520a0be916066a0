// The routes of the demo installation: a route to add to and clear
// (DemoLine), two default routes sharing files with it (EUROPE1, USA1), and
// a folder of new content to install with batchadd.
#pragma once

#include <filesystem>
#include <string>

namespace demo {

// Writes bytes to a file, making its folders.
void Write(const std::filesystem::path& path, const std::string& bytes);

void WriteRoutes(const std::filesystem::path& drive_c);
void WriteContentToInstall(const std::filesystem::path& drive_c);

}  // namespace demo
