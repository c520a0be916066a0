// A throw-away Wine-style installation for tests: a temporary folder holding
// a prefix whose dosdevices/c: points at a drive folder beside it.
#pragma once

#include <filesystem>
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
  std::filesystem::path prefix() const { return root_ / "prefix"; }
  std::filesystem::path drive_c() const { return root_ / "drive_c"; }

  // Adds a drive letter mapped to a host folder (created when missing).
  void AddDrive(char letter, const std::filesystem::path& host);

  // Host path of a Windows path on drive C ("C:\MSTS\x" -> drive_c/MSTS/x);
  // letter case is taken as given.
  std::filesystem::path Host(std::string_view windows_path) const;

  // Writes bytes to a file below drive C, making its folders.
  void Write(std::string_view windows_path, std::string_view bytes) const;
  std::string Read(std::string_view windows_path) const;
  void MakeFolder(std::string_view windows_path) const;

 private:
  std::filesystem::path root_;
};

// Reads a whole host file; empty when it cannot be read.
std::string ReadHostFile(const std::filesystem::path& path);
void WriteHostFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace test_support
