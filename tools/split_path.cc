#include "tools/split_path.h"

#include "platform/windows_path.h"

namespace tools {

using platform::JoinPath;
using platform::PathRoot;

std::optional<SplitResult> SplitPath(const std::string& path,
                                     const platform::FileSystem& files) {
  const std::string current = files.CurrentFolder();
  SplitResult result;
  result.drive = current.empty() ? 0 : current[0];
  std::string rest = path;
  std::string root;
  if (path.size() >= 2 && path.front() == '[' && path.back() == ']') {
    rest = path.substr(1, path.size() - 2);
  } else {
    root = PathRoot(path);
    if (root.empty()) {
      root = PathRoot(current);
    } else {
      rest = path.substr(root.size());
    }
    result.drive = platform::HasDriveLetter(root) ? root[0] : 0;
  }

  // A root that does not exist fails the split, rather than letting the rest
  // of the path land on the current drive.
  std::string here = current;
  if (!root.empty()) {
    here = JoinPath(current, root);
    if (!files.FolderExists(here)) return std::nullopt;
  }

  const platform::FolderAndName parts = platform::SplitLastName(rest);
  result.file = parts.name;
  if (parts.folder.size() == 1) {
    result.folder = "\\";
  } else if (!parts.folder.empty()) {
    result.folder = parts.folder.substr(0, parts.folder.size() - 1);
  } else {
    result.folder = here.substr(PathRoot(here).size());
    if (result.folder.empty()) result.folder = "\\";
  }

  here = JoinPath(here, result.folder);
  if (!files.FolderExists(here)) return std::nullopt;

  const std::string& file = result.file;
  if (!file.empty() && file.find_first_of("*?") == std::string::npos &&
      !files.FileExists(JoinPath(here, file))) {
    if (!files.FolderExists(JoinPath(here, file))) return std::nullopt;
    if (!platform::IsPathSeparator(result.folder.back())) result.folder += "\\";
    result.folder += file;
    result.file.clear();
  }
  if (result.drive == 0) result.folder = root + result.folder;
  return result;
}

}  // namespace tools
