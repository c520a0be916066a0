#include "platform/posix_terminal.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace platform {
namespace {

// Puts a descriptor in place of a standard one for the life of the object.
class Redirect {
 public:
  Redirect(int target, int replacement) : target_(target), saved_(dup(target)) {
    fflush(stdout);
    dup2(replacement, target);
  }
  ~Redirect() {
    dup2(saved_, target_);
    close(saved_);
  }

 private:
  int target_;
  int saved_;
};

int PipeHolding(const std::string& bytes) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  EXPECT_EQ(write(fds[1], bytes.data(), bytes.size()),
            static_cast<ssize_t>(bytes.size()));
  close(fds[1]);
  return fds[0];
}

// What is written, and that no title goes where no terminal is, is checked
// end to end.
TEST(PosixTerminalTest, ReadLineSplitsLongLinesLosesNothingAndLeavesTheRestInStandardInput) {
  using Lines = std::vector<std::optional<std::string>>;
  const int input = PipeHolding("first\nsecond line\n\nlast");
  Lines lines;
  char next = 0;
  {
    Redirect redirect(STDIN_FILENO, input);
    PosixTerminal terminal;
    for (size_t most : {100, 4, 7, 100}) lines.push_back(terminal.ReadLine(most));
    EXPECT_EQ(read(STDIN_FILENO, &next, 1), 1);
    for (int i = 0; i < 2; ++i) lines.push_back(terminal.ReadLine(100));
  }
  close(input);
  EXPECT_EQ(next, '\n');
  EXPECT_EQ(lines, (Lines{"first\n", "seco", "nd line", "\n", "last", std::nullopt}));
}

}  // namespace
}  // namespace platform
