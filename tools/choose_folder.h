#pragma once

#include <optional>
#include <string>

#include "core/conv_main.h"

namespace tools {

// Asks for a folder; the initial folder is preselected only when it exists.
// Nothing when the user cancels.
std::optional<std::string> ChooseFolder(core::ConvMain& main, const std::string& title,
                                        const std::string& initial_folder);

}  // namespace tools
