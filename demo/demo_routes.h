// The routes of the demo installation: a route to add to and clear
// (DemoLine), two default routes sharing files with it (EUROPE1, USA1), and
// a folder of new content to install with batchadd.
#pragma once

#include <filesystem>
#include <string>

#include "formats/ace.h"
#include "demo/ace_writer.h"

namespace demo {

// The picture of a demo texture ("brick.ace", "SNOW\\roof.ace"), `side`
// pixels square: a look of its own for each name, changed by a seasonal
// folder.
formats::RgbaImage Picture(const std::string& name, int side);
// The texture itself, a real ACE: some with alpha, a mask, DXT1 or zlib.
std::string Texture(const std::string& name);

// Writes bytes to a file, making its folders.
void Write(const std::filesystem::path& path, const std::string& bytes);

void WriteRoutes(const std::filesystem::path& drive_c);
void WriteContentToInstall(const std::filesystem::path& drive_c);

}  // namespace demo
