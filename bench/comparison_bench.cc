// Comparing a route of 20,000 shapes and textures with two default routes of
// 20,000 files each, through the host's file system, next to a plain
// recursive listing of the same three trees.
// Run: build/bench/rastolin_comparison_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_route.h"
#include "core/conv_main.h"
#include "ops/comparison.h"
#include "platform/host.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 20000;
const char* const kRoutes[] = {"MyLine", "EUROPE1", "USA1"};
const char* const kTextureFolders[] = {"", "SNOW\\", "WINTER\\", "NIGHT\\"};


// The relative paths of a route's files: shapes with their .sd files in
// SHAPES, textures in TEXTURES and its seasonal folders. Of every six files
// of the route, EUROPE1 alone has two, USA1 alone two, both one, neither
// one; the default routes hold files of their own for the rest.
std::vector<std::string> RouteFiles(int route) {
  std::vector<std::string> out;
  for (int i = 0; i < kFiles; ++i) {
    const int kind = i % 6;
    const bool shared = route == 0 || kind == 4 || kind / 2 == route - 1;
    const std::string stem = shared ? "object_" + std::to_string(i) : kRoutes[route] + std::to_string(i);
    if (i % 2 == 0) {
      out.push_back("SHAPES\\" + stem + (i % 4 == 0 ? ".s" : ".sd"));
    } else {
      const char* season = kTextureFolders[i % 4 == 1 ? 0 : (i / 4) % 4];
      out.push_back("TEXTURES\\" + std::string(season) + stem + ".ace");
    }
  }
  return out;
}

class BenchRoutes {
 public:
  BenchRoutes() {
    std::string error;
    host_ = platform::OpenHost(error);
    if (!host_) throw std::runtime_error(error);
    folder_ = fs::temp_directory_path() / ("rastolin-bench-" + std::to_string(std::random_device{}()));
    for (int route = 0; route < 3; ++route) {
      for (std::string file : RouteFiles(route)) {
        for (char& c : file) c = c == '\\' ? '/' : c;
        const fs::path host = folder_ / "MSTS" / "ROUTES" / kRoutes[route] / file;
        fs::create_directories(host.parent_path());
        std::ofstream(host) << "x";
      }
    }
    root_ = host_->files->FromUserPath((folder_ / "MSTS").string());
    if (root_.size() < 2 || root_[1] != ':') {
      throw std::runtime_error("the temporary folder lies on no drive of the Wine prefix");
    }
    main_ = std::make_unique<core::ConvMain>(*host_->files, *host_->processes, ui_);
    main_->fields.MSTSRoot = root_;
    main_->fields.CrSh = main_->fields.CrTex = main_->fields.CrEur1 = main_->fields.CrUS1 = true;
    main_->fields.CrOutput = core::ComparisonOutput::kUnique;
  }
  ~BenchRoutes() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  core::ConvMain& main() { return *main_; }
  const platform::FileSystem& files() const { return *host_->files; }
  std::string Folder(int route) const { return root_ + "\\ROUTES\\" + kRoutes[route] + "\\"; }

 private:
  std::optional<platform::Host> host_;
  fs::path folder_;
  std::string root_;
  bench::SilentUi ui_;
  std::unique_ptr<core::ConvMain> main_;
};

BenchRoutes& Shared() {
  static BenchRoutes bench;
  return bench;
}

size_t ListRecursively(const platform::FileSystem& files, const std::string& folder) {
  size_t count = 0;
  for (const platform::FindEntry& entry : files.Find(folder + "*.*", platform::kAnyAttributes)) {
    if (entry.name == "." || entry.name == "..") continue;
    ++count;
    if (entry.attributes & platform::kDirectory) count += ListRecursively(files, folder + entry.name + "\\");
  }
  return count;
}

void CompareRoute(benchmark::State& state) {
  BenchRoutes& bench = Shared();
  for (auto _ : state) ops::CompareRoute(bench.main(), "MyLine");
  if (bench.main().fields.CrOut.size() != kFiles / 6) state.SkipWithError("wrong number of unique files");
}

void RecursiveListing(benchmark::State& state) {
  BenchRoutes& bench = Shared();
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (int route = 0; route < 3; ++route) {
      count += ListRecursively(bench.files(), bench.Folder(route) + "SHAPES\\");
      count += ListRecursively(bench.files(), bench.Folder(route) + "TEXTURES\\");
    }
  }
  if (count != 3 * (kFiles + 3)) state.SkipWithError("wrong number of entries");
}

BENCHMARK(CompareRoute)->Unit(benchmark::kMillisecond);
BENCHMARK(RecursiveListing)->Unit(benchmark::kMillisecond);

}  // namespace

