// Comparing a route of 20,000 shapes and textures with two default routes of
// 20,000 files each, through the host's file system, next to a plain
// recursive listing of the same three trees.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_route.h"
#include "core/conv_main.h"
#include "ops/comparison.h"

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

// The route MyLine and the default routes EUROPE1 and USA1, with the
// comparison's switches set as a user sets them.
class ComparisonBench : public bench::BenchInstallation {
 public:
  ComparisonBench() {
    for (int route = 0; route < 3; ++route) {
      for (std::string file : RouteFiles(route)) {
        for (char& c : file) c = c == '\\' ? '/' : c;
        const fs::path host = host_root() / "ROUTES" / kRoutes[route] / file;
        fs::create_directories(host.parent_path());
        std::ofstream(host) << "x";
      }
    }
    core::Fields& fields = main().fields;
    fields.MSTSRoot = root();
    fields.CrSh = fields.CrTex = fields.CrEur1 = fields.CrUS1 = true;
    fields.CrOutput = core::ComparisonOutput::kUnique;
  }

  std::string Folder(int route) const { return root() + "\\ROUTES\\" + kRoutes[route] + "\\"; }
};

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
  ComparisonBench& bench = bench::Shared<ComparisonBench>();
  for (auto _ : state) ops::CompareRoute(bench.main(), "MyLine");
  if (bench.main().fields.CrOut.size() != kFiles / 6) state.SkipWithError("wrong number of unique files");
}

void RecursiveListing(benchmark::State& state) {
  ComparisonBench& bench = bench::Shared<ComparisonBench>();
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

