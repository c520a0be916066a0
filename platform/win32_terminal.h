// The console on Windows. Text goes to a console with WriteConsoleW, so
// that Cyrillic shows whatever the console's code page; redirected output
// gets the program's UTF-8 bytes as they are.
#pragma once

#include <string>

#include "platform/terminal.h"

namespace platform {

class Win32Terminal : public Terminal {
 public:
  Win32Terminal();
  ~Win32Terminal() override;
  Win32Terminal(const Win32Terminal&) = delete;
  Win32Terminal& operator=(const Win32Terminal&) = delete;

  void Write(std::string_view text) override;
  void WriteError(std::string_view text) override;
  bool ErrorIsTerminal() const override;
  std::optional<std::string> ReadLine(size_t max_bytes) override;
  void SetTitle(const std::string& title) override;

 private:
  // The standard handles, taken on first use. A program built for the
  // window has none when started from Explorer or a shortcut: it gets a
  // console of its own then, so that the window mode never opens one.
  void Open() const;
  void ReadConsoleLine();

  mutable bool opened_ = false;
  mutable void* input_ = nullptr;
  mutable void* output_ = nullptr;
  mutable void* errors_ = nullptr;
  mutable bool own_console_ = false;
  // Console input read but not yet handed out, as UTF-8.
  std::string pending_;
  bool input_ended_ = false;
};

}  // namespace platform
