// Reading and writing a route's .ref file of 50,000 entries, through the
// host's file system, next to reading and writing the same bytes as they
// are. Run: build/bench/rastolin_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/console_ui.h"
#include "core/conv_main.h"
#include "platform/host.h"
#include "route/ref_file.h"
#include "route/route.h"
#include "route/text_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEntries = 50000;

// Entries as real routes hold them: several kinds, quoted descriptions,
// classes in more than one letter case, the odd long entry.
std::vector<route::Shape> LargeRoute() {
  const char* const kinds[] = {"Static", "Static", "Static", "Hazard", "LevelCr", "Pickup", "Transfer"};
  const char* const classes[] = {"Buildings", "buildings", "Trees", "Bridges", "Сигналы"};
  std::vector<route::Shape> entries(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    route::Shape& entry = entries[i];
    entry.BlockType = kinds[i % 7];
    entry.AddProp("Class", classes[i % 5]);
    entry.AddProp("FileName", "Shape_" + std::to_string(i) + ".s");
    entry.AddProp("Description", "Object number " + std::to_string(i) + " of the route");
    entry.AddProp("Shadow", i % 3 ? "NONE" : "DYNAMIC");
    if (i % 1000 == 0) {
      for (int p = 0; p < 40; ++p) entry.AddProp("Extra" + std::to_string(p), std::to_string(p));
    }
  }
  return entries;
}

// A route folder in a temporary host folder, seen through the host's own
// file system, and the program's main object over it.
class BenchRoute {
 public:
  BenchRoute() {
    std::string error;
    host_ = platform::OpenHost(error);
    if (!host_) throw std::runtime_error(error);
    folder_ = fs::temp_directory_path() / ("rastolin-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_ / "MSTS" / "ROUTES" / "Large");
    root_ = host_->files->FromUserPath((folder_ / "MSTS").string());
    if (root_.size() < 2 || root_[1] != ':') {
      throw std::runtime_error("the temporary folder lies on no drive of the Wine prefix");
    }
    ui_ = std::make_unique<console::ConsoleUi>(*host_->terminal, *host_->files);
    main_ = std::make_unique<core::ConvMain>(*host_->files, *host_->processes, *ui_);
    bytes_ = route::UnicodeFileBytes(route::RefText(LargeRoute()));
    if (!host_->files->ReplaceFile(RefPath(), bytes_)) throw std::runtime_error("cannot write " + RefPath());
  }
  ~BenchRoute() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string RefPath() const { return root_ + "\\ROUTES\\Large\\Large.ref"; }
  std::string CopyPath() const { return root_ + "\\ROUTES\\Large\\copy.ref"; }
  const std::string& bytes() const { return bytes_; }
  platform::FileSystem& files() { return *host_->files; }
  route::Route MakeRoute() {
    return route::Route(route::Services{*host_->files, main_->language, main_->log, *ui_}, "Large", root_);
  }

 private:
  std::optional<platform::Host> host_;
  fs::path folder_;
  std::string root_;
  std::unique_ptr<console::ConsoleUi> ui_;
  std::unique_ptr<core::ConvMain> main_;
  std::string bytes_;
};

BenchRoute& Shared() {
  static BenchRoute bench;
  return bench;
}

void ReadRef(benchmark::State& state) {
  BenchRoute& bench = Shared();
  route::Route large = bench.MakeRoute();
  for (auto _ : state) {
    large.ReadRef();
    benchmark::DoNotOptimize(large.Entries.data());
  }
  if (large.EntryCount() != kEntries) state.SkipWithError("entries were lost");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void WriteRef(benchmark::State& state) {
  BenchRoute& bench = Shared();
  route::Route large = bench.MakeRoute();
  large.ReadRef();
  for (auto _ : state) large.WriteRef(bench.CopyPath());
  if (bench.files().ReadFile(bench.CopyPath()) != bench.bytes()) state.SkipWithError("bytes differ");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void RawRead(benchmark::State& state) {
  BenchRoute& bench = Shared();
  for (auto _ : state) {
    std::optional<std::string> bytes = bench.files().ReadFile(bench.RefPath());
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void RawWrite(benchmark::State& state) {
  BenchRoute& bench = Shared();
  for (auto _ : state) bench.files().ReplaceFile(bench.CopyPath(), bench.bytes());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

BENCHMARK(ReadRef)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteRef)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
