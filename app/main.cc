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

int main(int argc, char** argv) {
  platform::KeepLineEnds();
  const std::string_view option = argc == 2 ? argv[1] : "";
  if (option == "--version") {
    fputs("Rastolin v1.2b\n", stdout);
    return 0;
  }
  std::string error;
  std::optional<platform::Host> host = platform::OpenHost(error);
  if (option == "--help" || option == "-h") {
    // In the language of the settings, where there are any to read.
    const core::Language texts(host ? core::StoredLanguage(*host->files) : core::kEnglish);
    fputs(texts[core::Msg::Usage].c_str(), stdout);
    return 0;
  }
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
      app::ConsoleOperations operations(main, *host->registry);
      return console::Console(main, ui, ui.terminal(), operations).Run(command_line);
    }
    ui.terminal().Write(main.language[core::Msg::NoWindowBuilt] + "\n");
    return 0;
  } catch (const std::exception& failure) {
    ui.ReportError(failure.what());
    return console::kExitFailed;
  }
}
