#include "tests/standin/standin_tool.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace standin {

namespace {

fs::path LogPath() {
  const char* log = std::getenv("RASTOLIN_STANDIN_LOG");
  if (log && *log) return log;
  return fs::read_symlink("/proc/self/exe").parent_path() / "standin.log";
}

}  // namespace

Tool::Tool(std::string name, int argc, char** argv)
    : name_(std::move(name)), args_(argv + 1, argv + argc),
      files_(platform::PosixFileSystem::FromEnvironment()) {
  std::string record = name_ + '\t';
  record += files_ ? files_->CurrentFolder() : fs::current_path().string();
  for (const std::string& arg : args_) record += '\t' + arg;
  record += '\n';
  std::ofstream(LogPath(), std::ios::binary | std::ios::app) << record;
}

int Tool::Fail(int exit_code, const std::string& message) const {
  std::cout << name_ << ": " << message << std::endl;
  return exit_code;
}

}  // namespace standin
