#include "tools/run_tool.h"

namespace tools {

bool RunTool(core::ConvMain& main, const std::string& command_line,
             const std::string& working_folder, bool show_output) {
  platform::ToolRun run = main.processes.Run(command_line, working_folder, [&main] { main.ui.KeepAlive(); });
  if (run.started && show_output && !run.output.empty()) main.log.AddText(run.output);
  return run.started;
}

std::string Argument(const std::string& name) {
  return name.find_first_of(" \t") == std::string::npos ? name : "\"" + name + "\"";
}

}  // namespace tools
