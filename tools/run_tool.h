#pragma once

#include <string>

#include "core/conv_main.h"

namespace tools {

// Runs an SDK tool hidden in a working folder and waits for it. With
// show_output the first bytes it printed go to the log. True when the tool
// was started and has ended, whatever it did; false when it could not start.
bool RunTool(core::ConvMain& main, const std::string& command_line,
             const std::string& working_folder, bool show_output);

// A file name as one argument of a tool's command line: in double quotes
// when it holds a blank, which would otherwise split it in two.
std::string Argument(const std::string& name);

}  // namespace tools
