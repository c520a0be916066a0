// Numbered 3DS models (house1.3ds, house2.3ds ...) form one shape named
// after their common stem.
#pragma once

#include <string>
#include <vector>

namespace tools {

// The name before its last ".", without the decimal digits at its end:
// house12.3ds -> house, house.3ds -> house, 12.3ds -> "".
std::string NumberedStem(const std::string& name);

struct ShapeGroup {
  std::string stem;
  // Each name followed by one blank, in double quotes when it holds a
  // blank, so that the shape tool's command line takes it as one.
  std::string names;
};

// Runs of adjacent names with the same stem (letter case counts). Names
// whose stem is empty are never grouped, but they end the run before them.
std::vector<ShapeGroup> GroupByStem(const std::vector<std::string>& names);

}  // namespace tools
