#include "convert/output_watch.h"

namespace convert {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string PathFrom(const std::string& folder, const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;
  if (!path.empty() && IsSeparator(path[0])) {
    return folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) + path : path;
  }
  if (folder.empty()) return path;
  return IsSeparator(folder.back()) ? folder + path : folder + "\\" + path;
}

OutputWatch::OutputWatch(const platform::FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)), before_(files_.Stamp(path_)) {}

bool OutputWatch::Written() const {
  std::optional<platform::FileStamp> now = files_.Stamp(path_);
  return now && (!before_ || *now != *before_);
}

}  // namespace convert
