#include "platform/posix_terminal.h"

#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// Straight to the descriptor, without a buffer of our own, so that our lines
// and a tool's output appear in the order they were written.
void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

}  // namespace

void PosixTerminal::Write(std::string_view text) { WriteAll(STDOUT_FILENO, text); }

void PosixTerminal::WriteError(std::string_view text) { WriteAll(STDERR_FILENO, text); }

bool PosixTerminal::ErrorIsTerminal() const { return isatty(STDERR_FILENO) == 1; }

// Byte by byte: whatever follows the line stays unread in standard input,
// for the next call or for whoever reads it after us.
std::optional<std::string> PosixTerminal::ReadLine(size_t max_bytes) {
  std::string line;
  while (line.size() < max_bytes) {
    char c;
    ssize_t got = read(STDIN_FILENO, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    line += c;
    if (c == '\n') return line;
  }
  if (line.empty() && max_bytes > 0) return std::nullopt;
  return line;
}

void PosixTerminal::SetTitle(const std::string& title) {
  if (!isatty(STDOUT_FILENO)) return;
  // A control character in the title would end the escape early.
  std::string sequence = "\033]0;";
  for (char c : title) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7f) sequence += c;
  }
  sequence += '\a';
  WriteAll(STDOUT_FILENO, sequence);
}

}  // namespace platform
