// The settings file conv.ini: a Windows profile file ([SECTION] lines, then
// KEY=value lines). Every read asks the file and every write changes it at
// once, so two instances in one folder share it and the last writer of a key
// wins. Sections and keys are compared without regard to case.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace core {

class Settings {
 public:
  // Longest value returned by a read, as the profile functions' buffer has it.
  static constexpr size_t kMaxValue = 2047;

  Settings(platform::FileSystem& files, std::string path);

  const std::string& path() const { return path_; }

  // The value, or the default when the file or the key is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;
  // A value that is not a whole number reads as the default.
  int ReadInteger(const std::string& section, const std::string& key,
                  int default_value) const;
  // Throws Error("Unable to write to <path>") when the file cannot be written.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);

 private:
  platform::FileSystem& files_;
  std::string path_;
};

}  // namespace core
