#include "platform/win32_processes.h"

#include <algorithm>

#include "platform/win32_api.h"
#include "platform/win32_handle.h"
#include "platform/win32_wide.h"

namespace platform {
namespace {

constexpr DWORD kPollMs = 50;

HANDLE OpenNul(DWORD access) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                     OPEN_EXISTING, 0, nullptr);
}

// Reads what the pipe holds now, keeping the first kKeptOutput bytes.
// Returns the count read; -1 when the pipe is broken (every writer has
// closed it) or fails.
long ReadAvailable(HANDLE pipe, std::string& output) {
  DWORD available = 0;
  if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return -1;
  if (available == 0) return 0;
  char buffer[65536];
  DWORD got = 0;
  if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr)) {
    return -1;
  }
  const size_t room = Processes::kKeptOutput - output.size();
  output.append(buffer, std::min<size_t>(room, got));
  return static_cast<long>(got);
}

// Drains the tool's output until it has ended. A process the tool started
// may hold the pipe long after the tool is gone, so the pipe's end alone
// cannot tell that the tool has finished.
std::string DrainUntilExit(HANDLE process, HANDLE pipe, const std::function<void()>& waiting) {
  std::string output;
  bool pipe_open = true;
  for (;;) {
    if (waiting) waiting();
    if (pipe_open) {
      long got = ReadAvailable(pipe, output);
      if (got > 0) continue;
      pipe_open = got == 0;
    }
    if (WaitForSingleObject(process, kPollMs) != WAIT_TIMEOUT) break;
  }
  // Take what the tool left in the pipe, but do not follow a process that
  // keeps writing: at most what a pipe can hold.
  constexpr size_t kMaxPipe = 1 << 20;
  for (size_t drained = 0; pipe_open && drained < kMaxPipe;) {
    long got = ReadAvailable(pipe, output);
    if (got <= 0) break;
    drained += static_cast<size_t>(got);
  }
  return output;
}

}  // namespace

ToolRun Win32Processes::Run(const std::string& command_line, const std::string& working_folder,
                            const std::function<void()>& waiting) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inheritable, 0)) return {};
  Handle output(read_end), tool_output(write_end);
  // Only the tool's end is inherited.
  if (!SetHandleInformation(output.get(), HANDLE_FLAG_INHERIT, 0)) return {};
  Handle input(OpenNul(GENERIC_READ)), errors(OpenNul(GENERIC_WRITE));
  if (!input.valid() || !errors.valid()) return {};

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = input.get();
  startup.hStdOutput = tool_output.get();
  startup.hStdError = errors.get();
  std::wstring line = Wide(command_line);
  const std::wstring folder = Wide(working_folder);
  PROCESS_INFORMATION info{};
  const bool started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                     CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &info) != 0;
  // The tool holds its own copies now; ours would keep the pipe open.
  tool_output.Close();
  input.Close();
  errors.Close();
  if (!started) return {};
  Handle process(info.hProcess), thread(info.hThread);

  ToolRun run;
  run.started = true;
  run.output = DrainUntilExit(process.get(), output.get(), waiting);
  return run;
}

bool Win32Processes::RestartDetached() {
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (size == 0) return false;
    if (size < self.size()) {
      self.resize(size);
      break;
    }
    self.resize(self.size() * 2);
  }
  std::wstring line = L"\"" + self + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  // Detached: the window must not keep the console this one runs in.
  if (!CreateProcessW(self.c_str(), line.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                      &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

}  // namespace platform
