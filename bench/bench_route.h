// A throw-away MSTS installation in a temporary host folder, seen through the
// host's own file system, with the program's main object over it and a Ui
// that asks nobody.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "core/conv_main.h"
#include "core/ui.h"
#include "platform/host.h"
#include "route/route.h"

namespace bench {

// Answers No (Yes while `yes` is set) and shows nothing, so that a
// benchmark never waits for a person; the choice list is cancelled unless
// `choose_first` is set.
class SilentUi : public core::Ui {
 public:
  bool yes = false;
  bool choose_first = false;

  void Message(const std::string&, const std::string&) override {}
  bool Ask(const std::string&, const std::string&) override { return yes; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::vector<std::string> OpenFiles(const core::FileDialog&) override { return {}; }
  std::optional<std::string> SaveFile(const core::FileDialog&) override { return std::nullopt; }
  std::optional<std::string> ChooseTexture(const core::TextureChoice&) override {
    return std::nullopt;
  }
  bool ChooseObjects(core::ChoiceList& list) override {
    if (!choose_first || list.size() == 0) return false;
    list.Select(0, true);
    return true;
  }
  bool EditEntry(core::EntryForm&) override { return false; }
  std::unique_ptr<core::Progress> ShowProgress() override {
    return std::make_unique<SilentProgress>();
  }
  void ReportError(const std::string&) override {}

  class SilentProgress : public core::Progress {
   public:
    void SetRange(int) override {}
    void SetPosition(int) override {}
    void Step() override {}
    void SetLabel(const std::string&) override {}
    void SetItem(int, int) override {}
  };
};

class BenchInstallation {
 public:
  BenchInstallation() {
    std::string error;
    host_ = platform::OpenHost(error);
    if (!host_) throw std::runtime_error(error);
    folder_ = std::filesystem::temp_directory_path() /
              ("rastolin-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_ / "MSTS" / "ROUTES");
    root_ = host_->files->FromUserPath((folder_ / "MSTS").string());
    if (root_.size() < 2 || root_[1] != ':') {
      throw std::runtime_error("the temporary folder lies on no drive of the Wine prefix");
    }
    main_ = std::make_unique<core::ConvMain>(*host_->files, *host_->processes, ui_);
  }
  ~BenchInstallation() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  BenchInstallation(const BenchInstallation&) = delete;
  BenchInstallation& operator=(const BenchInstallation&) = delete;

  // The MSTS root as a Windows path, and as a host path.
  const std::string& root() const { return root_; }
  std::filesystem::path host_root() const { return folder_ / "MSTS"; }
  platform::FileSystem& files() { return *host_->files; }
  core::ConvMain& main() { return *main_; }
  SilentUi& ui() { return ui_; }
  route::Route MakeRoute(const std::string& name) { return route::Route(Services(), name, root_); }
  // The route with its .ref file read, owned the way the window owns the
  // route it works on.
  std::unique_ptr<route::Route> OpenRoute(const std::string& name) {
    auto opened = std::make_unique<route::Route>(Services(), name, root_);
    opened->ReadRef();
    return opened;
  }
  // Writes a file at a Windows path.
  void Write(const std::string& path, const std::string& bytes) {
    if (!host_->files->ReplaceFile(path, bytes)) throw std::runtime_error("cannot write " + path);
  }

 private:
  route::Services Services() {
    return route::Services{*host_->files, main_->language, main_->log, ui_};
  }

  std::optional<platform::Host> host_;
  std::filesystem::path folder_;
  std::string root_;
  SilentUi ui_;
  std::unique_ptr<core::ConvMain> main_;
};

// Runs the built program on one console command, as a user types it, in a
// host folder: its answers come from the file `input`, its output goes to
// the file `output` and standard error to nowhere. Returns its exit code,
// or -1 when it could not be run.
inline int RunProgram(const std::filesystem::path& folder, const std::string& command,
                      const std::string& input, const std::string& output) {
  std::string program = RASTOLIN_BINARY;
  std::string argument = command;
  char* argv[] = {program.data(), argument.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int status = 0;
  const bool ran = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) == 0 &&
                   waitpid(pid, &status, 0) == pid && WIFEXITED(status);
  posix_spawn_file_actions_destroy(&actions);
  return ran ? WEXITSTATUS(status) : -1;
}

// The one set-up of its kind in the benchmark binary, made when a benchmark
// first needs it.
template <typename Bench>
Bench& Shared() {
  static Bench bench;
  return bench;
}

}  // namespace bench
