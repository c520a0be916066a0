// Loading a module (a shared library) that lies beside the running program.
// Only the POSIX build has one: there the window is such a module, so that
// a console command loads none of the window's libraries.
#pragma once

#include <string>

namespace platform {

// The address of `symbol` in the module file `name` in the folder of the
// running program's executable. Nothing, with `error` naming the module's
// path and the loader's reason, when the module cannot be loaded or lacks
// the symbol. The module stays loaded until the process ends.
void* ModuleSymbol(const std::string& name, const char* symbol, std::string& error);

}  // namespace platform
