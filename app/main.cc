// Start-up: the main object with its settings and message table, then the
// console when there is any command-line text, else the window.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/console_operations.h"
#include "console/console.h"
#include "console/console_ui.h"
#include "core/conv_main.h"
#include "core/error.h"
#include "platform/host.h"
#ifdef RASTOLIN_WINDOW
#include "app/window_start.h"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: rastolin                 the main window\n"
    "       rastolin -console        the interactive console\n"
    "       rastolin \"<command>\"     one console command, then \"Press any key..\",\n"
    "                                such as: rastolin \"makeace(-dir=c:\\tex;-zlib) a.tga\"\n"
    "       rastolin --help, -h      this text\n"
    "       rastolin --version       the version\n"
    "Enter 'help' in the console for its commands, 'help route' for clearing and\n"
    "comparing routes. A console command exits with code 1, or 2 when it was\n"
    "answered with a hint or an error, or left something undone.\n";

}  // namespace

int main(int argc, char** argv) {
  platform::KeepLineEnds();
  if (argc == 2) {
    const std::string_view option = argv[1];
    if (option == "--help" || option == "-h") {
      fputs(kUsage, stdout);
      return 0;
    }
    if (option == "--version") {
      fputs("Rastolin v1.2b\n", stdout);
      return 0;
    }
  }
  std::string error;
  std::optional<platform::Host> host = platform::OpenHost(error);
  if (!host) {
    fputs((error + "\n").c_str(), stderr);
    return 1;
  }
  const std::string command_line = platform::CommandLineText(argc, argv);
#ifdef RASTOLIN_WINDOW
  if (command_line.empty()) return app::StartWindow(*host, argc, argv);
#endif
  console::ConsoleUi ui(*host->terminal, *host->files);
  try {
    core::ConvMain main(*host->files, *host->processes, ui);
    ui.Attach(main.language);
    if (!command_line.empty()) {
      app::ConsoleOperations operations(main);
      return console::Console(main, ui, *host->terminal, operations).Run(command_line);
    }
    host->terminal->Write(
        "Window mode is not built yet; start with -console for the interactive console, "
        "or give one console command, such as: rastolin help\n");
    return 0;
  } catch (const std::exception& failure) {
    ui.ReportError(failure.what());
    return console::kExitFailed;
  }
}
