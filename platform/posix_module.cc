#include "platform/module.h"

#include <dlfcn.h>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace platform {

void* ModuleSymbol(const std::string& name, const char* symbol, std::string& error) {
  std::error_code failure;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
  if (failure) {
    error = "cannot find the program's own folder to load " + name + ": " + failure.message();
    return nullptr;
  }
  const std::string path = (program.parent_path() / name).string();
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* address = module ? dlsym(module, symbol) : nullptr;
  if (!address) {
    // The loader's text most often begins with the path itself.
    const char* given = dlerror();
    std::string_view reason = given ? given : "no such symbol";
    if (reason.starts_with(path + ": ")) reason.remove_prefix(path.size() + 2);
    error = "cannot load " + path + ": " + std::string(reason);
  }
  return address;
}

}  // namespace platform
