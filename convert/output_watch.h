// Telling a tool's output from a file that was there before: a tool that
// could be started may still have written nothing.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace convert {

// The path as a tool started in `folder` takes it: a relative name is taken
// from that folder, a name starting with "\" from that folder's drive.
inline std::string PathFrom(const std::string& folder, const std::string& path) {
  return platform::JoinPath(folder, path);
}

// Remembers a file's stamp before a tool runs.
class OutputWatch {
 public:
  OutputWatch(const platform::FileSystem& files, std::string path);
  // True when the file exists now and was created or rewritten since.
  bool Written() const;

 private:
  const platform::FileSystem& files_;
  std::string path_;
  std::optional<platform::FileStamp> before_;
};

}  // namespace convert
