#include "tests/standin/standin_tool.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#ifdef _WIN32
#include "platform/command_line.h"
#include "platform/win32_api.h"
#include "platform/win32_handle.h"
#include "platform/win32_wide.h"
#endif

namespace fs = std::filesystem;

namespace standin {

namespace {

#ifdef _WIN32

fs::path OwnFolder() {
  wchar_t path[MAX_PATH];
  return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path();
}

// The arguments as the command line holds them, in UTF-8 (argv would be in
// the ANSI code page).
std::vector<std::string> Arguments(int, char**) {
  std::vector<std::string> args = platform::SplitArguments(platform::Narrow(GetCommandLineW()));
  args.erase(args.begin());
  return args;
}

// The working folder with each name in the letter case the folder holds it
// (the program passes it lower-cased), as the POSIX build logs it.
std::string WorkingFolder(const platform::FileSystem& files) {
  platform::Handle folder(CreateFileW(L".", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  wchar_t path[MAX_PATH * 2];
  DWORD size = folder.valid() ? GetFinalPathNameByHandleW(folder.get(), path, MAX_PATH * 2, 0) : 0;
  if (size == 0 || size >= MAX_PATH * 2) return files.CurrentFolder();
  std::wstring_view text(path, size);
  if (text.starts_with(L"\\\\?\\")) text.remove_prefix(4);
  return platform::Narrow(text);
}

#else

fs::path OwnFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::string WorkingFolder(const platform::FileSystem& files) { return files.CurrentFolder(); }

#endif

fs::path LogPath() {
#ifdef _WIN32
  const wchar_t* log = _wgetenv(L"RASTOLIN_STANDIN_LOG");
#else
  const char* log = std::getenv("RASTOLIN_STANDIN_LOG");
#endif
  if (log && *log) return fs::path(log);
  return OwnFolder() / "standin.log";
}

}  // namespace

Tool::Tool(std::string name, int argc, char** argv)
    : name_(std::move(name)), args_(Arguments(argc, argv)) {
  std::string error;
  host_ = platform::OpenHost(error);
  std::string record = name_ + '\t';
  record += host_ ? WorkingFolder(*host_->files) : fs::current_path().string();
  for (const std::string& arg : args_) record += '\t' + arg;
  record += '\n';
  std::ofstream(LogPath(), std::ios::binary | std::ios::app) << record;
}

int Tool::Fail(int exit_code, const std::string& message) const {
  std::cout << name_ << ": " << message << std::endl;
  return exit_code;
}

}  // namespace standin
