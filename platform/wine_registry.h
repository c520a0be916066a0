// The registry of a Wine prefix, read from its system.reg.
#pragma once

#include <string>

#include "platform/registry.h"

namespace platform {

class WineRegistry : public Registry {
 public:
  // The prefix's host folder.
  explicit WineRegistry(std::string prefix);
  std::optional<std::string> MachineText(const std::string& key,
                                         const std::string& value) const override;

 private:
  std::string prefix_;
};

}  // namespace platform
