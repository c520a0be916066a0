#include "platform/posix_processes.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/command_line.h"

extern char** environ;

namespace platform {

namespace {

struct Program {
  std::string windows_path;  // as the command line named it, ".exe" added
  std::string host_path;
  std::string rest;  // the command line after the program
};

// Windows adds ".exe" only when the file name itself has no extension; a dot
// in a folder name does not count.
bool HasExtension(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  size_t name = slash == std::string::npos ? 0 : slash + 1;
  return path.find('.', name) != std::string::npos;
}

std::optional<Program> FindProgram(const FileSystem& files,
                                   const std::string& command_line) {
  for (ProgramCandidate& candidate : ProgramCandidates(command_line)) {
    std::string path = candidate.program;
    if (!HasExtension(path)) path += ".exe";
    if (!files.FileExists(path)) continue;
    std::optional<std::string> host = files.ToHostPath(path);
    if (!host) continue;
    return Program{std::move(path), std::move(*host), std::move(candidate.rest)};
  }
  return std::nullopt;
}

bool IsAbsoluteWindowsPath(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/'))
    return true;
  return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
         (path[1] == '\\' || path[1] == '/');
}

enum class ProgramKind { kWindows, kNative, kNotRunnable };

ProgramKind KindOf(const std::string& host_path) {
  int fd = open(host_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ProgramKind::kNotRunnable;
  char magic[2] = {0, 0};
  ssize_t got;
  do {
    got = read(fd, magic, sizeof magic);
  } while (got < 0 && errno == EINTR);
  close(fd);
  if (got == 2 && magic[0] == 'M' && magic[1] == 'Z') return ProgramKind::kWindows;
  return access(host_path.c_str(), X_OK) == 0 ? ProgramKind::kNative
                                              : ProgramKind::kNotRunnable;
}

std::vector<char*> ArgvOf(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return argv;
}

class FileActions {
 public:
  FileActions() : initialized_(posix_spawn_file_actions_init(&actions_) == 0) {
    ok_ = initialized_;
  }
  ~FileActions() {
    if (initialized_) posix_spawn_file_actions_destroy(&actions_);
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;

  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }
  void Check(int result) {
    if (result != 0) ok_ = false;
  }

 private:
  posix_spawn_file_actions_t actions_;
  bool initialized_;
  bool ok_;
};

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Reads what the pipe holds now, keeping the first kKeptOutput bytes.
// Returns the count read: 0 at end of file, -1 on an error.
ssize_t ReadChunk(int fd, std::string& output) {
  char buffer[65536];
  ssize_t got;
  do {
    got = read(fd, buffer, sizeof buffer);
  } while (got < 0 && errno == EINTR);
  if (got > 0) {
    size_t room = Processes::kKeptOutput - output.size();
    output.append(buffer, std::min(room, static_cast<size_t>(got)));
  }
  return got;
}

bool Readable(int fd, int timeout_ms) {
  pollfd entry{fd, POLLIN, 0};
  int ready;
  do {
    ready = poll(&entry, 1, timeout_ms);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

bool Reap(pid_t pid, int options) {
  int status;
  pid_t done;
  do {
    done = waitpid(pid, &status, options);
  } while (done < 0 && errno == EINTR);
  return done == pid || (done < 0 && errno == ECHILD);
}

// Drains the tool's output until it has ended. A grandchild (wineserver)
// may hold the pipe open long after the tool is gone, so end of file alone
// cannot tell that the tool has finished.
std::string DrainUntilExit(pid_t pid, int fd, const std::function<void()>& waiting) {
  std::string output;
  for (;;) {
    if (waiting) waiting();
    if (Readable(fd, 50) && ReadChunk(fd, output) <= 0) {
      Reap(pid, 0);
      return output;
    }
    if (Reap(pid, WNOHANG)) break;
  }
  // Take what the tool left in the pipe, but do not follow a grandchild that
  // keeps writing: at most what a pipe can hold.
  constexpr size_t kMaxPipe = 1 << 20;
  size_t drained = 0;
  while (drained < kMaxPipe && Readable(fd, 0)) {
    ssize_t got = ReadChunk(fd, output);
    if (got <= 0) break;
    drained += static_cast<size_t>(got);
  }
  return output;
}

}  // namespace

PosixProcesses::PosixProcesses(const FileSystem& files) : files_(files) {}

ToolRun PosixProcesses::Run(const std::string& command_line, const std::string& working_folder,
                            const std::function<void()>& waiting) {
  std::optional<Program> program = FindProgram(files_, command_line);
  if (!program) return {};
  std::optional<std::string> folder = files_.ToHostPath(working_folder);
  if (!folder || !files_.FolderExists(working_folder)) return {};

  std::vector<std::string> args = SplitArguments("\"\"" + program->rest);
  std::string spawn_path;
  bool search_path = false;
  switch (KindOf(program->host_path)) {
    case ProgramKind::kWindows: {
      const char* wine = std::getenv("RASTOLIN_WINE");
      spawn_path = wine && *wine ? wine : "wine";
      search_path = true;
      // Wine must find the program from the tool's own working folder.
      std::string windows_path = program->windows_path;
      if (!IsAbsoluteWindowsPath(windows_path)) {
        std::string absolute = files_.FromUserPath(program->host_path);
        if (IsAbsoluteWindowsPath(absolute)) windows_path = absolute;
      }
      args[0] = windows_path;
      args.insert(args.begin(), spawn_path);
      break;
    }
    case ProgramKind::kNative:
      spawn_path = program->host_path;
      args[0] = program->host_path;
      break;
    case ProgramKind::kNotRunnable:
      return {};
  }

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return {};
  int read_end = fds[0];
  int write_end = fds[1];

  pid_t pid = -1;
  int spawned = -1;
  {
    FileActions actions;
    // The pipe goes to 1 before 0 and 2 are opened, so that its descriptor
    // cannot be replaced first when the parent runs without standard handles.
    if (actions.ok()) {
      actions.Check(posix_spawn_file_actions_adddup2(actions.get(), write_end, 1));
      actions.Check(posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null",
                                                     O_RDONLY, 0));
      actions.Check(posix_spawn_file_actions_addopen(actions.get(), 2, "/dev/null",
                                                     O_WRONLY, 0));
      actions.Check(posix_spawn_file_actions_addchdir_np(actions.get(), folder->c_str()));
    }
    if (actions.ok()) {
      std::vector<char*> argv = ArgvOf(args);
      spawned = search_path
                    ? posix_spawnp(&pid, spawn_path.c_str(), actions.get(), nullptr,
                                   argv.data(), environ)
                    : posix_spawn(&pid, spawn_path.c_str(), actions.get(), nullptr,
                                  argv.data(), environ);
    }
  }
  CloseFd(write_end);
  if (spawned != 0) {
    CloseFd(read_end);
    return {};
  }

  ToolRun run;
  run.started = true;
  run.output = DrainUntilExit(pid, read_end, waiting);
  CloseFd(read_end);
  return run;
}

bool PosixProcesses::RestartDetached() {
  // The window reports on a pipe once it is shown; a program that ends
  // first, as one whose display cannot be opened does, closes it unwritten.
  int shown[2];
  if (pipe(shown) != 0) return false;
  fcntl(shown[0], F_SETFD, FD_CLOEXEC);
  const std::string key = std::string(kWindowShownFd) + "=";
  std::vector<std::string> variables = {key + std::to_string(shown[1])};
  for (char** variable = environ; *variable; ++variable) {
    if (!std::string_view(*variable).starts_with(key)) variables.emplace_back(*variable);
  }
  posix_spawnattr_t attr;
  const bool attr_made = posix_spawnattr_init(&attr) == 0;
  FileActions actions;
  bool ready = attr_made && actions.ok() &&
               posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID) == 0;
  if (ready) {
    actions.Check(posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null",
                                                   O_RDONLY, 0));
    ready = actions.ok();
  }
  pid_t pid = -1;
  if (ready) {
    std::string self = "/proc/self/exe";
    std::vector<std::string> args = {self};
    std::vector<char*> argv = ArgvOf(args);
    std::vector<char*> envp = ArgvOf(variables);
    if (posix_spawn(&pid, self.c_str(), actions.get(), &attr, argv.data(), envp.data()) != 0) {
      pid = -1;
    }
  }
  if (attr_made) posix_spawnattr_destroy(&attr);
  close(shown[1]);
  bool window = false;
  if (pid > 0) {
    pollfd wait_for{shown[0], POLLIN, 0};
    int polled;
    do {
      polled = poll(&wait_for, 1, 20000);
    } while (polled < 0 && errno == EINTR);
    char byte = 0;
    // A window slow to come up, or a pipe that cannot be watched, is taken
    // as a window coming.
    window = polled <= 0 || read(shown[0], &byte, 1) == 1;
    // Ended, the program is reaped rather than left a zombie while the
    // console goes on.
    for (int tries = 0; !window && tries < 100 && waitpid(pid, nullptr, WNOHANG) == 0; ++tries) {
      usleep(10000);
    }
  }
  close(shown[0]);
  return window;
}

}  // namespace platform
