// The textures a shape wears, as the window shows them beside a shape's
// name: each once, in the order the shape names them, each followed by its
// seasonal copies.
#pragma once

#include <string>
#include <vector>

#include "core/language.h"
#include "platform/file_system.h"

namespace ops {

struct WornTexture {
  // As the shape names it; a seasonal copy with its folder before it
  // ("SNOW\roof.ace").
  std::string name;
  std::string season;    // a copy's seasonal folder ("SNOW\"); empty for the texture itself
  std::string path;      // where it lies; empty when it is missing or outside the route
  bool outside = false;  // the name leads out of the route and is not looked up
};

struct WornTextures {
  // Why the shape's textures cannot be had, when they cannot; then there
  // are none.
  std::string problem;
  std::vector<WornTexture> textures;
};

// The textures of the file of that name in the route's SHAPES. A texture
// named in the place of a shape (a Transfer entry's) is the one texture.
WornTextures TexturesOfShape(const platform::FileSystem& files, const core::Language& language,
                             const std::string& route_folder, const std::string& file_name);

}  // namespace ops
