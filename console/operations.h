// The operations the console drives. They read their inputs from the
// operation fields, which the console fills from the command's options.
#pragma once

#include <string>

namespace console {

struct BatchAddRequest {
  std::string route;
  std::string folder;
  std::string class_name;
  bool sub = false;
  bool over = false;
  bool texs = false;
};

class Operations {
 public:
  virtual ~Operations() = default;
  virtual void TexProcClick() = 0;
  virtual void ShProcClick() = 0;
  virtual void BatchAdd(const BatchAddRequest& request) = 0;
};

}  // namespace console
