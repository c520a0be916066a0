// A throw-away installation for tests. On POSIX: a temporary folder holding
// a Wine-style prefix whose dosdevices/c: points at a drive folder beside
// it, so that the program's C: is the fixture's. On Windows the drive folder
// lies in the temporary folder and the program reaches it by its full path:
// ToProgram and FromProgram turn the tests' "C:\" into that path and back.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace test_support {

class TempPrefix {
 public:
  TempPrefix();
  ~TempPrefix();
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path drive_c() const { return root_ / "drive_c"; }
#ifndef _WIN32
  std::filesystem::path prefix() const { return root_ / "prefix"; }
  // Adds a drive letter mapped to a host folder (created when missing).
  void AddDrive(char letter, const std::filesystem::path& host);
#endif

  // Host path of a Windows path on drive C ("C:\MSTS\x" -> drive_c/MSTS/x);
  // letter case is taken as given.
  std::filesystem::path Host(std::string_view windows_path) const;

  // The text with every "C:\" (either letter case) naming the fixture's
  // drive C as the program reaches it, and the program's text with those
  // paths named "C:\" again. The same text on POSIX.
  std::string ToProgram(std::string_view text) const;
  std::string FromProgram(std::string_view text) const;
  // The environment a program run in the fixture needs.
  std::map<std::string, std::string> Environment() const;
  // The log the stand-in tools write in the fixture.
  std::filesystem::path StandinLog() const { return root_ / "standin.log"; }

  // Writes bytes to a file below drive C, making its folders.
  void Write(std::string_view windows_path, std::string_view bytes) const;
  std::string Read(std::string_view windows_path) const;
  void MakeFolder(std::string_view windows_path) const;

 private:
  std::filesystem::path root_;
  std::string drive_;  // drive C as the program names it, without a final "\"
};

// Removes a folder and everything in it, as far as it can.
void RemoveFolder(const std::filesystem::path& folder);
// A path from UTF-8 text, and back.
std::filesystem::path PathOf(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);
// Reads a whole host file; empty when it cannot be read.
std::string ReadHostFile(const std::filesystem::path& path);
void WriteHostFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace test_support
