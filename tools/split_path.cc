#include "tools/split_path.h"

#include <cctype>

namespace tools {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "C:" for "C:\x", "\\server\share" for a network path, else empty.
std::string DrivePart(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    size_t server_end = path.find_first_of("\\/", 2);
    if (server_end == std::string::npos) return path;
    size_t share_end = path.find_first_of("\\/", server_end + 1);
    return path.substr(0, share_end);
  }
  return "";
}

bool SameDrive(const std::string& a, const std::string& b) {
  return a.size() >= 2 && b.size() >= 2 && a[1] == ':' && b[1] == ':' &&
         std::toupper(static_cast<unsigned char>(a[0])) ==
             std::toupper(static_cast<unsigned char>(b[0]));
}

// The folder a name leads to from `here`, as changing into it would: "X:"
// alone stays in `here` when it is on drive X.
std::string Enter(const std::string& here, const std::string& name) {
  std::string drive = DrivePart(name);
  if (!drive.empty()) {
    if (name.size() > drive.size()) return name;
    return SameDrive(here, drive) ? here : drive + "\\";
  }
  if (!name.empty() && IsSeparator(name[0])) return DrivePart(here) + name;
  if (!here.empty() && IsSeparator(here.back())) return here + name;
  return here + "\\" + name;
}

}  // namespace

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
    root = DrivePart(path);
    if (root.empty()) {
      root = DrivePart(current);
    } else {
      rest = path.substr(root.size());
    }
    result.drive = root.size() >= 2 && root[1] == ':' ? root[0] : 0;
  }

  // A root that does not exist fails the split, rather than letting the rest
  // of the path land on the current drive.
  std::string here = current;
  if (!root.empty()) {
    here = Enter(current, root);
    if (!files.FolderExists(here)) return std::nullopt;
  }

  size_t cut = rest.find_last_of("\\/:");
  result.file = cut == std::string::npos ? rest : rest.substr(cut + 1);
  if (rest.size() == result.file.size() + 1) {
    result.folder = "\\";
  } else if (rest.size() > result.file.size()) {
    result.folder = rest.substr(0, rest.size() - result.file.size() - 1);
  } else {
    result.folder = here.substr(DrivePart(here).size());
    if (result.folder.empty()) result.folder = "\\";
  }

  here = Enter(here, result.folder);
  if (!files.FolderExists(here)) return std::nullopt;

  const std::string& file = result.file;
  if (!file.empty() && file.find_first_of("*?") == std::string::npos &&
      !files.FileExists(Enter(here, file))) {
    if (!files.FolderExists(Enter(here, file))) return std::nullopt;
    if (!IsSeparator(result.folder.back())) result.folder += "\\";
    result.folder += file;
    result.file.clear();
  }
  if (result.drive == 0) result.folder = root + result.folder;
  return result;
}

}  // namespace tools
