// The operating system the program runs on: its files, processes and
// console, chosen at build time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/terminal.h"

namespace platform {

struct Host {
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<Processes> processes;
  std::unique_ptr<Terminal> terminal;
  std::unique_ptr<Registry> registry;
};

// Nothing, with the reason in `error`, when the program cannot work here (a
// current folder that lies on no drive).
std::optional<Host> OpenHost(std::string& error);

// Makes the C standard output and error pass line ends as they are (Windows
// would write CR LF for each LF), so that all the program writes ends its
// lines alike.
void KeepLineEnds();

// The command-line text after the program name, as the start-up takes it:
// the arguments joined by blanks on POSIX, the text as typed on Windows.
std::string CommandLineText(int argc, char** argv);

// Whether a window can be shown: always on Windows; elsewhere a display (or
// a Qt platform named outright, offscreen for tests) must be named, or Qt
// would abort.
bool DisplayNamed();

// Tells the console that started this program again (RestartDetached) that
// its window is shown; nothing when no console waits for it.
void WindowShown();

}  // namespace platform
