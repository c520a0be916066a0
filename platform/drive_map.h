// Drive letters of a Wine prefix: $WINEPREFIX/dosdevices/<letter>: links to
// host folders. Without a dosdevices folder the only drive is Z: = /.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform {

class DriveMap {
 public:
  // Reads the prefix folder's dosdevices (the prefix itself is a host path).
  // Only "<letter>:" entries leading to a folder count ("c::", "com1" and
  // broken links do not); each drive keeps the canonical host folder.
  explicit DriveMap(const std::string& prefix);
  // $WINEPREFIX, or ~/.wine when it is not set.
  static DriveMap FromEnvironment();

  // Host folder of a drive (letter in any case), or nothing.
  std::optional<std::string> HostRoot(char letter) const;
  // Windows form of an absolute host path through the drive whose folder
  // holds it (the longest match), or nothing when no drive does. The path is
  // made canonical as far as it exists; a missing rest is kept as typed.
  std::optional<std::string> ToWindows(const std::string& host_path) const;

  const std::map<char, std::string>& drives() const { return drives_; }

 private:
  std::map<char, std::string> drives_;  // upper-case letter -> host folder
};

// The Wine prefix's host folder: $WINEPREFIX, or ~/.wine when it is not set.
std::string WinePrefixFolder();

// The canonical form of a host path, every link followed; nothing when the
// path leads nowhere.
std::optional<std::string> RealPath(const std::string& path);

}  // namespace platform
