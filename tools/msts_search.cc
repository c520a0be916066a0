#include "tools/msts_search.h"

#include <vector>

#include "tools/tool_checks.h"

namespace tools {
namespace {

// 32-bit Windows and Wine's 32-bit prefixes keep it in Program Files, 64-bit
// Windows in Program Files (x86); route builders often install it apart.
constexpr const char* kUsualFolders[] = {
    "C:\\Program Files (x86)\\Microsoft Games\\Train Simulator",
    "C:\\Program Files\\Microsoft Games\\Train Simulator",
    "C:\\MSTS",
    "C:\\Train Simulator",
};

bool HoldsRoutes(const core::ConvMain& main, const std::string& folder) {
  return !folder.empty() && main.files.FolderExists(folder + "\\ROUTES");
}

}  // namespace

bool FindMstsRoot(core::ConvMain& main, const platform::Registry& registry) {
  if (HoldsRoutes(main, main.fields.MSTSRoot)) return false;
  for (const char* key : kMstsKeys) {
    std::optional<std::string> folder = registry.MachineText(key, "Path");
    if (!folder) continue;
    // Recorded with or without its trailing backslash; a drive's root keeps it.
    while (folder->size() > 3 && folder->back() == '\\') folder->pop_back();
    if (!HoldsRoutes(main, *folder)) continue;
    main.log.Add(main.language.Format(core::Msg::MstsFoundInRegistry, *folder,
                                      std::string("HKEY_LOCAL_MACHINE\\") + key));
    SetMstsRoot(main, *folder);
    return true;
  }
  for (const char* folder : kUsualFolders) {
    if (!HoldsRoutes(main, folder)) continue;
    main.log.Add(main.language.Format(core::Msg::MstsFound, folder));
    SetMstsRoot(main, folder);
    return true;
  }
  return false;
}

}  // namespace tools
