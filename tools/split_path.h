// Cutting a path into drive letter, folder and file name, the way a tool run
// needs them: the tool starts in the folder of its input and is given the
// bare name.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace tools {

struct SplitResult {
  char drive = 0;      // the drive letter, or 0 for a network path
  std::string folder;  // "\models\tex", or "\" for a drive's root
  std::string file;    // the last name, empty when the path names a folder

  // "C:\models\tex": the folder with its drive, as a tool's working folder.
  // A network path keeps its share in the folder part and has no letter.
  std::string DriveFolder() const {
    return drive ? std::string(1, drive) + ":" + folder : folder;
  }
};

// Nothing when a folder on the way does not exist, or when the last name is
// neither a file nor a folder. The program's current folder is left as it is.
std::optional<SplitResult> SplitPath(const std::string& path,
                                     const platform::FileSystem& files);

}  // namespace tools
