// 3DS model files reduced to what the shape tool's stand-in reads: the file
// names of the materials' texture maps.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// A 3DS chunk file with one material per name, each with a texture map
// naming that file.
std::string Make3ds(const std::vector<std::string>& texture_names);

// The texture map file names in file order, or nothing when the bytes are
// not a well-formed 3DS chunk file.
std::optional<std::vector<std::string>> ReadTextureNames(std::string_view bytes);

}  // namespace standin
