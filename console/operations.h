// The operations the console drives, the same the window's controls call.
// They read their inputs from the operation fields, which the console fills
// from the command's options.
#pragma once

#include <functional>
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

// Called with what a folder conversion is about to convert: an image's
// path, or a group's model names.
using Announce = std::function<void(const std::string& text)>;

class Operations {
 public:
  virtual ~Operations() = default;
  virtual void TexProcClick() = 0;
  virtual void TexCabClick() = 0;
  // Every *.tga, then every *.bmp of the folder, given with its trailing
  // backslash.
  virtual void ConvertTextureFolder(const std::string& folder, const Announce& announce) = 0;
  virtual void ShProcClick() = 0;
  virtual void ShUnicodeClick() = 0;
  virtual void ShMipMapClick() = 0;
  // One shape per stem of the folder's models.
  virtual void ShConvertDir(const std::string& folder, const Announce& announce) = 0;
  virtual void BatchAdd(const BatchAddRequest& request) = 0;
};

}  // namespace console
