// The system registry, where installers record the folders they installed
// into. Only read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Registry {
 public:
  virtual ~Registry() = default;
  // A text value of a key of HKEY_LOCAL_MACHINE ("SOFTWARE\...\1.0"), as a
  // 32-bit program sees it (on 64-bit Windows under SOFTWARE\WOW6432Node)
  // or else as a 64-bit one does; nothing when neither view holds it.
  virtual std::optional<std::string> MachineText(const std::string& key,
                                                 const std::string& value) const = 0;
};

// The text of a value in a Wine prefix's system.reg (the keys of
// HKEY_LOCAL_MACHINE, written relative to it, "Software\\Wow6432Node\\..."
// for 32-bit programs in a 64-bit prefix): a string or an expandable
// string, unescaped; nothing when the key or value is not there or holds no
// text. Key and value names compare without regard to letter case.
std::optional<std::string> WineRegistryText(std::string_view file, std::string_view key,
                                            std::string_view value);

}  // namespace platform
