// Windows paths as the program builds and types them: a drive letter, "\"
// or "/" between components, "." and "..", relative names taken from a
// current folder. Pure text work, the same on every host.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct WindowsPath {
  char drive = 0;                       // upper case
  std::vector<std::string> components;  // ".", ".." and empty ones taken out

  // "C:\a\b", or "C:\" for a drive's root.
  std::string Text() const;
};

bool IsPathSeparator(char c);
// Whether the text starts with a drive letter and a colon.
bool HasDriveLetter(std::string_view text);

// "C:" for "C:\x" and "C:x", "\\server\share" for a network path, else
// empty.
std::string_view PathRoot(std::string_view path);

// The path as a program working in `folder` takes it, joined as text: a
// path naming its drive or server stays as it is, but "X:" alone is the
// folder when that lies on X (else X's root); "\x" goes to the folder's
// root; any other name goes beneath the folder. An empty folder adds
// nothing.
std::string JoinPath(std::string_view folder, std::string_view path);

// A path cut before its last name, the folder keeping its separator:
// "C:\a\*.s" gives "C:\a\" and "*.s", "C:*.s" gives "C:" and "*.s", "*.s"
// gives "" and "*.s".
struct FolderAndName {
  std::string_view folder;
  std::string_view name;
};
FolderAndName SplitLastName(std::string_view path);

// An absolute Windows path "X:\a\b" (the form of a current folder).
std::optional<WindowsPath> ParseAbsolutePath(std::string_view text);

// Any Windows path, relative ones taken from the current folder; ".." never
// climbs above the drive's root. Nothing for UNC paths (\\server\share,
// \\?\...), empty text and text holding a NUL.
std::optional<WindowsPath> ParseWindowsPath(std::string_view text, std::string_view current);

// Whether a name could name a file on Windows: not empty, no "\ / : * ? " < >
// |" and no control character.
bool IsWindowsFileName(std::string_view name);

// Whether `path` names `folder` itself or something beneath it, both taken
// from the current folder and compared without regard to letter case.
// "C:\R\..\x" does not lie inside "C:\R".
bool LiesInside(std::string_view path, std::string_view folder, std::string_view current);

}  // namespace platform
