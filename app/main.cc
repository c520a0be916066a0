// Start-up: the main object with its settings and message table, then the
// console when there is any command-line text, else the window.
#include <cstdio>
#include <string>

#include "app/console_operations.h"
#include "console/console.h"
#include "console/console_ui.h"
#include "core/conv_main.h"
#include "core/error.h"
#include "platform/host.h"

int main(int argc, char** argv) {
  std::string error;
  std::optional<platform::Host> host = platform::OpenHost(error);
  if (!host) {
    fputs((error + "\n").c_str(), stderr);
    return 1;
  }
  const std::string command_line = platform::CommandLineText(argc, argv);
  console::ConsoleUi ui(*host->terminal, *host->files);
  try {
    core::ConvMain main(*host->files, *host->processes, ui);
    if (!command_line.empty()) {
      app::ConsoleOperations operations(main);
      console::Console(main, *host->terminal, operations).Run(command_line);
      return 1;
    }
    host->terminal->Write(
        "Window mode is not built yet; start with -console for the interactive console, "
        "or give one console command, such as: rastolin help\n");
    return 0;
  } catch (const std::exception& failure) {
    ui.ReportError(failure.what());
    return 0;
  }
}
