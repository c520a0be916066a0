// The Windows registry.
#pragma once

#include "platform/registry.h"

namespace platform {

class Win32Registry : public Registry {
 public:
  std::optional<std::string> MachineText(const std::string& key,
                                         const std::string& value) const override;
};

}  // namespace platform
