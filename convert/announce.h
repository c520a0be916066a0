// Folder conversions tell their caller what they are about to convert: the
// console echoes it, the window has no use for it.
#pragma once

#include <functional>
#include <string>

namespace convert {

// Called with an image's path, or a group's model names, before it is
// converted. May be empty.
using Announce = std::function<void(const std::string& text)>;

}  // namespace convert
