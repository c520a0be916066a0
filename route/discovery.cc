#include "route/discovery.h"

#include <unordered_set>

#include "platform/text.h"
#include "platform/windows_path.h"

namespace route {

bool IsRouteName(std::string_view name) {
  return platform::IsWindowsFileName(name) && name.find("..") == std::string_view::npos &&
         name.back() != '.' && name.back() != ' ';
}

std::vector<std::string> FindRoutes(const platform::FileSystem& files, const std::string& msts_root) {
  std::vector<std::string> routes;
  const std::string base = msts_root + "\\Routes\\";
  for (const platform::FindEntry& entry : files.Find(base + "*", platform::kDirectory)) {
    if (!IsRouteName(entry.name)) continue;
    // A plain file holds no "*.dat", so it never counts.
    if (!files.Find(base + entry.name + "\\*.dat", platform::kAnyAttributes).empty()) {
      routes.push_back(entry.name);
    }
  }
  return routes;
}

std::vector<std::string> GatherClasses(const Route& route) {
  std::vector<std::string> classes;
  std::unordered_set<std::string> seen;
  // Neighbouring entries mostly share their class, written alike.
  const std::string* previous = nullptr;
  for (const Shape& entry : route.Entries) {
    const std::string& name = entry.GetValue("class");
    if (name.empty() || (previous && *previous == name)) continue;
    previous = &name;
    if (seen.insert(platform::FoldCase(name)).second) classes.push_back(name);
  }
  return classes;
}

}  // namespace route
