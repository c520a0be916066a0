#include "tools/shape_groups.h"

#include "tools/run_tool.h"

namespace tools {

std::string NumberedStem(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  while (!stem.empty() && stem.back() >= '0' && stem.back() <= '9') stem.pop_back();
  return stem;
}

std::vector<ShapeGroup> GroupByStem(const std::vector<std::string>& names) {
  std::vector<ShapeGroup> groups;
  ShapeGroup current;
  for (const std::string& name : names) {
    std::string stem = NumberedStem(name);
    if (stem == current.stem) {
      current.names += Argument(name) + " ";
      continue;
    }
    if (!current.stem.empty()) groups.push_back(current);
    current = ShapeGroup{stem, Argument(name) + " "};
  }
  if (!current.stem.empty()) groups.push_back(current);
  return groups;
}

}  // namespace tools
