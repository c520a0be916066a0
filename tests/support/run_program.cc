#include "tests/support/run_program.h"

#include <cstdlib>
#include <random>
#include <stdexcept>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <thread>
#endif

#ifdef _WIN32
#include "platform/win32_api.h"
#include "platform/win32_handle.h"
#include "platform/win32_wide.h"
#endif

namespace fs = std::filesystem;

namespace test_support {
namespace {

fs::path ScratchFolder() {
  std::random_device random;
  fs::path scratch = fs::temp_directory_path() / ("rastolin-run-" + std::to_string(random()));
  fs::create_directories(scratch);
  return scratch;
}

#ifdef _WIN32

fs::path OwnPath() {
  wchar_t path[MAX_PATH];
  return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH)));
}

HANDLE Inheritable(const fs::path& file, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, 0, nullptr);
}

int Start(const fs::path& program, const std::vector<std::string>& args, const fs::path& folder,
          const std::map<std::string, std::string>& environment, const fs::path& scratch) {
  std::wstring line = L"\"" + program.native() + L"\"";
  for (const std::string& arg : args) line += L" " + platform::Wide(arg);
  platform::Handle in(Inheritable(scratch / "in", GENERIC_READ, OPEN_EXISTING));
  platform::Handle out(Inheritable(scratch / "out", GENERIC_WRITE, CREATE_ALWAYS));
  platform::Handle err(Inheritable(scratch / "err", GENERIC_WRITE, CREATE_ALWAYS));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.get();
  startup.hStdOutput = out.get();
  startup.hStdError = err.get();
  // The program inherits this test's environment, the given variables set in it.
  for (const auto& [name, value] : environment)
    SetEnvironmentVariableW(platform::Wide(name).c_str(), platform::Wide(value).c_str());
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS,
                      nullptr, folder.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start " + program.string());
  }
  platform::Handle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return static_cast<int>(code);
}

#else

fs::path OwnPath() { return fs::read_symlink("/proc/self/exe"); }

std::string Quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The shell command that runs the program in the folder, with the
// environment, its input from scratch/in and its output to `output`; exec
// leaves it the shell's process.
std::string Command(const fs::path& program, const std::vector<std::string>& args,
                    const fs::path& folder, const std::map<std::string, std::string>& environment,
                    const fs::path& scratch, const std::string& output) {
  std::string command = "cd " + Quote(folder.string()) + " && exec env";
  for (const auto& [name, value] : environment) command += " " + Quote(name + "=" + value);
  command += " " + Quote(program.string());
  for (const std::string& arg : args) command += " " + Quote(arg);
  return command + " <" + Quote((scratch / "in").string()) + " " + output;
}

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Start(const fs::path& program, const std::vector<std::string>& args, const fs::path& folder,
          const std::map<std::string, std::string>& environment, const fs::path& scratch) {
  return Run(Command(program, args, folder, environment, scratch,
                     ">" + Quote((scratch / "out").string()) + " 2>" +
                         Quote((scratch / "err").string())));
}

#endif

}  // namespace

fs::path BuildFolder() {
  for (fs::path folder = OwnPath().parent_path(); folder.has_relative_path();
       folder = folder.parent_path()) {
    if (fs::exists(folder / "CMakeCache.txt")) return folder;
  }
  throw std::runtime_error("the test does not lie in a build folder");
}

fs::path RastolinBinary() { return BuildFolder() / RASTOLIN_BINARY; }

ProgramRun RunProgram(const fs::path& program, const std::vector<std::string>& args,
                      const fs::path& folder, const std::map<std::string, std::string>& environment,
                      const std::string& input) {
  const fs::path scratch = ScratchFolder();
  WriteHostFile(scratch / "in", input);
  ProgramRun run;
  run.exit_code = Start(program, args, folder, environment, scratch);
  run.output = ReadHostFile(scratch / "out");
  run.errors = ReadHostFile(scratch / "err");
  RemoveFolder(scratch);
  return run;
}

#ifndef _WIN32
KillableRun::KillableRun(const TempPrefix& prefix, const std::vector<std::string>& args,
                         std::string_view folder, const std::string& input)
    : scratch_(ScratchFolder()) {
  prefix.MakeFolder(folder);
  WriteHostFile(scratch_ / "in", input);
  std::string command = Command(RastolinBinary(), args, prefix.Host(folder), prefix.Environment(),
                                scratch_, ">/dev/null 2>&1");
  char shell[] = "/bin/sh", option[] = "-c";
  char* argv[] = {shell, option, command.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) {
    throw std::runtime_error("cannot start " + command);
  }
  pid_ = pid;
}

KillableRun::~KillableRun() {
  if (!ended_) waitpid(pid_, nullptr, 0);
  RemoveFolder(scratch_);
}

bool KillableRun::Ended() {
  if (!ended_) ended_ = waitpid(pid_, nullptr, WNOHANG) == pid_;
  return ended_;
}

void KillableRun::Pause(bool paused) {
  if (!ended_) kill(pid_, paused ? SIGSTOP : SIGCONT);
}

void KillableRun::Kill() {
  if (ended_) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  ended_ = true;
}
#endif

namespace {

std::map<std::string, std::string> PrefixEnvironment(const TempPrefix& prefix) {
  std::map<std::string, std::string> environment = prefix.Environment();
  environment["RASTOLIN_STANDIN_LOG"] = Utf8Of(prefix.StandinLog());
  return environment;
}

std::vector<std::string> ProgramArgs(const TempPrefix& prefix,
                                     const std::vector<std::string>& args) {
  std::vector<std::string> program_args;
  for (const std::string& arg : args) program_args.push_back(prefix.ToProgram(arg));
  return program_args;
}

}  // namespace

ProgramRun RunInPrefix(const TempPrefix& prefix, const std::vector<std::string>& args,
                       std::string_view folder, const std::string& input) {
  prefix.MakeFolder(folder);
  ProgramRun run = RunProgram(RastolinBinary(), ProgramArgs(prefix, args), prefix.Host(folder),
                              PrefixEnvironment(prefix), prefix.ToProgram(input));
  run.output = prefix.FromProgram(run.output);
  run.errors = prefix.FromProgram(run.errors);
  return run;
}

#ifndef _WIN32
ProgramRun RunOnTerminal(const TempPrefix& prefix, const std::vector<std::string>& args,
                         std::string_view folder, const std::string& input) {
  prefix.MakeFolder(folder);
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  const std::string terminal = ptsname(master);
  // Held open here too, so that what the program wrote stays readable after
  // it ends; raw, so that line ends come as written.
  const int held = open(terminal.c_str(), O_RDWR | O_NOCTTY);
  termios mode{};
  tcgetattr(held, &mode);
  cfmakeraw(&mode);
  tcsetattr(held, TCSANOW, &mode);
  std::string shown;
  std::thread reader([master, &shown] {
    char buffer[4096];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) shown.append(buffer, got);
  });
  const fs::path scratch = ScratchFolder();
  WriteHostFile(scratch / "in", prefix.ToProgram(input));
  ProgramRun run;
  run.exit_code = Run(Command(RastolinBinary(), ProgramArgs(prefix, args), prefix.Host(folder),
                              PrefixEnvironment(prefix), scratch,
                              ">" + Quote(terminal) + " 2>&1"));
  close(held);  // the reader meets the end of the output
  reader.join();
  close(master);
  RemoveFolder(scratch);
  run.output = prefix.FromProgram(shown);
  return run;
}
#endif

}  // namespace test_support
