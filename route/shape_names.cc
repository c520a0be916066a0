#include "route/shape_names.h"

#include <array>
#include <vector>

namespace route {
namespace {

constexpr std::string_view kUp = "..";

// How many ".." parts a compared name begins with.
size_t LeadingUps(std::string_view compared) {
  size_t ups = 0;
  while (compared.size() >= 3 * ups + 2 && compared.substr(3 * ups, 2) == kUp &&
         (compared.size() == 3 * ups + 2 || compared[3 * ups + 2] == '\\')) {
    ++ups;
  }
  return ups;
}

bool Absolute(std::string_view name) {
  return name.find(':') != std::string_view::npos || name.starts_with('\\') ||
         name.starts_with('/');
}

}  // namespace

std::string ComparedName(std::string_view folded, std::string_view route, NameBase base) {
  if (folded.find_first_of("\\/:") == std::string_view::npos) {
    return base == NameBase::kRouteShapes ? std::string(folded)
                                          : std::string(kGlobalShapes) + std::string(folded);
  }
  if (Absolute(folded)) {
    std::string name(folded);
    for (char& c : name) c = c == '/' ? '\\' : c;
    return name;
  }
  // Sized once: a route's world files give thousands of such names.
  std::vector<std::string_view> parts;
  parts.reserve(folded.size() / 2 + 4);
  size_t start = 0;
  while (start <= folded.size()) {
    const size_t end = std::min(folded.find_first_of("\\/", start), folded.size());
    const std::string_view part = folded.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == kUp && !parts.empty() && parts.back() != kUp) {
      parts.pop_back();
    } else {
      parts.push_back(part);
    }
  }
  if (base == NameBase::kRouteShapes && !parts.empty() && parts.front() == "shapes")
    parts.erase(parts.begin());
  // The path below the root, then relative to the route's SHAPES.
  const std::array<std::string_view, 3> home = {"routes", route, "shapes"};
  std::vector<std::string_view> path;
  path.reserve(parts.size() + home.size());
  if (base == NameBase::kGlobalShapes) {
    path = {"global", "shapes"};
  } else {
    path.assign(home.begin(), home.end());
  }
  size_t above_root = 0;
  for (std::string_view part : parts) {
    if (part != kUp) {
      path.push_back(part);
    } else if (path.empty()) {
      ++above_root;
    } else {
      path.pop_back();
    }
  }
  size_t common = 0;
  while (above_root == 0 && common < home.size() && common < path.size() &&
         path[common] == home[common]) {
    ++common;
  }
  std::string name;
  name.reserve(folded.size() + 3 * (home.size() + above_root));
  for (size_t up = common; up < home.size() + above_root; ++up) name += "..\\";
  for (size_t n = common; n < path.size(); ++n) {
    name += path[n];
    name += '\\';
  }
  if (!name.empty()) name.pop_back();
  return name;
}

NamePlace PlaceOf(std::string_view compared) {
  if (Absolute(compared)) return NamePlace::kOutside;
  const size_t ups = LeadingUps(compared);
  if (ups == 0) return NamePlace::kRouteShapes;
  return ups <= 3 ? NamePlace::kRoot : NamePlace::kOutside;
}

std::string BelowRoot(std::string_view compared, std::string_view route_name) {
  const size_t ups = LeadingUps(compared);
  const std::array<std::string_view, 3> home = {"ROUTES", route_name, "SHAPES"};
  std::string path;
  for (size_t n = 0; n + ups < home.size(); ++n) {
    path += home[n];
    path += '\\';
  }
  return path + std::string(compared.substr(std::min(compared.size(), 3 * ups)));
}

}  // namespace route
