// Errors an operation does not handle itself ("Cannot open file %s", "Unable
// to write to %s"). They end the operation and reach the general error
// report of the window or the console.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace core
