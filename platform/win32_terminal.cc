#include "platform/win32_terminal.h"

#include <algorithm>

#include "platform/win32_api.h"
#include "platform/win32_wide.h"

namespace platform {
namespace {

bool Usable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return Usable(handle) && GetConsoleMode(handle, &mode);
}

HANDLE OpenConsole(const wchar_t* name, DWORD access) {
  return CreateFileW(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

void WriteTo(HANDLE handle, std::string_view text) {
  if (!Usable(handle) || text.empty()) return;
  if (IsConsole(handle)) {
    std::wstring wide = Wide(text);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
      // Chunks the console takes whole, never cutting a surrogate pair.
      size_t chunk = std::min<size_t>(rest.size(), 8192);
      if (chunk < rest.size() && rest[chunk - 1] >= 0xD800 && rest[chunk - 1] <= 0xDBFF) --chunk;
      DWORD written = 0;
      if (!WriteConsoleW(handle, rest.data(), static_cast<DWORD>(chunk), &written, nullptr) ||
          written == 0) {
        return;
      }
      rest.remove_prefix(written);
    }
    return;
  }
  while (!text.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size(), 1 << 20));
    if (!WriteFile(handle, text.data(), chunk, &written, nullptr) || written == 0) return;
    text.remove_prefix(written);
  }
}

}  // namespace

Win32Terminal::Win32Terminal() = default;

Win32Terminal::~Win32Terminal() {
  if (own_console_) FreeConsole();
}

void Win32Terminal::Open() const {
  if (opened_) return;
  opened_ = true;
  input_ = GetStdHandle(STD_INPUT_HANDLE);
  output_ = GetStdHandle(STD_OUTPUT_HANDLE);
  errors_ = GetStdHandle(STD_ERROR_HANDLE);
  if (Usable(input_) && Usable(output_) && Usable(errors_)) return;
  // A console of our own rather than the parent's: attached to the shell's
  // console we would read its input together with the shell.
  own_console_ = AllocConsole() != 0;
  if (!Usable(input_)) input_ = OpenConsole(L"CONIN$", GENERIC_READ | GENERIC_WRITE);
  if (!Usable(output_)) output_ = OpenConsole(L"CONOUT$", GENERIC_READ | GENERIC_WRITE);
  if (!Usable(errors_)) errors_ = output_;
  // Progress lines rewrite themselves with escape sequences.
  DWORD mode;
  if (GetConsoleMode(errors_, &mode)) {
    SetConsoleMode(errors_, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
}

void Win32Terminal::Write(std::string_view text) {
  Open();
  WriteTo(output_, text);
}

void Win32Terminal::WriteError(std::string_view text) {
  Open();
  WriteTo(errors_, text);
}

bool Win32Terminal::ErrorIsTerminal() const {
  Open();
  return IsConsole(errors_);
}

std::optional<std::string> Win32Terminal::ReadLine(size_t max_bytes) {
  Open();
  if (IsConsole(input_)) {
    if (pending_.empty()) ReadConsoleLine();
    if (pending_.empty()) return std::nullopt;
    size_t end = pending_.find('\n');
    end = std::min(end == std::string::npos ? pending_.size() : end + 1, max_bytes);
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end);
    return line;
  }
  // Byte by byte: whatever follows the line stays unread in standard input,
  // for the next call or for whoever reads it after us.
  std::string line;
  while (line.size() < max_bytes) {
    char c;
    DWORD got = 0;
    if (!ReadFile(input_, &c, 1, &got, nullptr) || got == 0) break;
    line += c;
    if (c == '\n') return line;
  }
  if (line.empty() && max_bytes > 0) return std::nullopt;
  return line;
}

// The console hands out whole lines as UTF-16; what a caller does not take
// at once waits in pending_.
void Win32Terminal::ReadConsoleLine() {
  if (input_ended_) return;
  wchar_t buffer[4096];
  DWORD got = 0;
  // Ctrl+Z at the start of a line ends the input, as it does for cmd.
  if (!ReadConsoleW(input_, buffer, 4096, &got, nullptr) || got == 0 || buffer[0] == 0x1A) {
    input_ended_ = true;
    return;
  }
  pending_ = Narrow(std::wstring_view(buffer, got));
}

void Win32Terminal::SetTitle(const std::string& title) {
  Open();
  if (IsConsole(output_)) SetConsoleTitleW(Wide(title).c_str());
}

}  // namespace platform
