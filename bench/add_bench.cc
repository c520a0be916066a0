// Looking names up in a folder of 20,000 files in the disk's letter case and
// in another, and a batch add of 2,000 shapes into a route whose SHAPES
// folder holds 20,000 files, next to the durable writes that batch add
// cannot do without.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_route.h"
#include "ops/batch_add.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kShapesInRoute = 20000;
constexpr int kShapesToAdd = 2000;
constexpr int kEntriesInRoute = 500;

void WriteHost(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadHost(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

route::Shape Entry(const std::string& file) {
  route::Shape entry;
  entry.AddProp("Class", "Bench");
  entry.AddProp("FileName", file);
  entry.AddProp("Description", file);
  return entry;
}

// The route "Busy" with 20,000 shapes and a .ref of 500 entries, and a
// folder of 2,000 new shapes to add to it.
class AddBench {
 public:
  AddBench() {
    route_ = install_.host_root() / "ROUTES" / "Busy";
    source_ = install_.host_root().parent_path() / "New";
    fs::create_directories(route_ / "SHAPES");
    fs::create_directories(source_);
    const std::string shape(600, 's');
    for (int i = 0; i < kShapesInRoute; ++i) WriteHost(route_ / "SHAPES" / Old(i), shape);
    for (int i = 0; i < kShapesToAdd; ++i) WriteHost(source_ / New(i), shape);
    std::vector<route::Shape> entries;
    for (int i = 0; i < kEntriesInRoute; ++i) entries.push_back(Entry(Old(i)));
    ref_ = route::UnicodeFileBytes(route::RefText(entries));
    for (int i = 0; i < kShapesToAdd; ++i) entries.push_back(Entry(New(i)));
    final_ref_ = route::UnicodeFileBytes(route::RefText(entries));
    Reset();
  }

  static std::string Old(int i) { return "Shape_" + std::to_string(i) + ".s"; }
  static std::string New(int i) { return "New_" + std::to_string(i) + ".s"; }

  // The route as it was before anything was added.
  void Reset() {
    for (int i = 0; i < kShapesToAdd; ++i) {
      std::error_code ignored;
      fs::remove(route_ / "SHAPES" / New(i), ignored);
      fs::remove(route_ / "SHAPES" / ("New_" + std::to_string(i) + ".sd"), ignored);
    }
    WriteHost(route_ / "Busy.ref", ref_);
  }

  std::string Shapes() const { return install_.root() + "\\ROUTES\\Busy\\SHAPES\\"; }
  std::string Source() { return install_.files().FromUserPath(source_.string()); }
  const fs::path& route_folder() const { return route_; }
  const fs::path& source_folder() const { return source_; }
  // The .ref file after `added` shapes: the entries are appended, so it is
  // the start of the final file.
  std::string_view RefAfter(int added) const {
    const size_t grown = (final_ref_.size() - ref_.size()) * added / kShapesToAdd;
    return std::string_view(final_ref_).substr(0, ref_.size() + grown);
  }
  bench::BenchInstallation& install() { return install_; }

 private:
  bench::BenchInstallation install_;
  fs::path route_;
  fs::path source_;
  std::string ref_;
  std::string final_ref_;
};

void LookUp(benchmark::State& state, const std::vector<std::string>& paths, bool exist) {
  platform::FileSystem& files = bench::Shared<AddBench>().install().files();
  size_t i = 0;
  for (auto _ : state) {
    const bool found = files.FileExists(paths[i++ % paths.size()]);
    if (found != exist) state.SkipWithError("wrong answer");
    benchmark::DoNotOptimize(found);
  }
}

std::vector<std::string> Paths(const std::function<std::string(int)>& name) {
  const std::string shapes = bench::Shared<AddBench>().Shapes();
  std::vector<std::string> paths;
  for (int i = 0; i < 1000; ++i) paths.push_back(shapes + name(i * 19 % kShapesInRoute));
  return paths;
}

void LookUpExactCase(benchmark::State& state) {
  LookUp(state, Paths([](int i) { return "Shape_" + std::to_string(i) + ".s"; }), true);
}

void LookUpOtherCase(benchmark::State& state) {
  LookUp(state, Paths([](int i) { return "sHAPE_" + std::to_string(i) + ".S"; }), true);
}

void LookUpMissing(benchmark::State& state) {
  LookUp(state, Paths([](int i) { return "Missing_" + std::to_string(i) + ".s"; }), false);
}

void BatchAdd(benchmark::State& state) {
  AddBench& bench = bench::Shared<AddBench>();
  core::ConvMain& main = bench.install().main();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Reset();
    main.log.Clear();
    route::Route busy = bench.install().MakeRoute("Busy");
    busy.ReadRef();
    state.ResumeTiming();
    ops::AddFolder(main, busy, bench.Source(), "Bench", false, false, false);
    if (busy.EntryCount() != kEntriesInRoute + kShapesToAdd) state.SkipWithError("shapes were not added");
  }
}

// Writes a file as the batch add must: to a temporary file, flushed, then
// renamed over the target and the folder flushed.
void WriteDurably(const fs::path& target, std::string_view bytes) {
  const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".tmp");
  const int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0 || write(out, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      fsync(out) != 0 || close(out) != 0 || rename(temp.c_str(), target.c_str()) != 0) {
    throw std::runtime_error("cannot write " + target.string());
  }
  const int folder = open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  fsync(folder);
  close(folder);
}

void DurableWrites(benchmark::State& state) {
  AddBench& bench = bench::Shared<AddBench>();
  const std::string sd = route::UnicodeFileBytes(
      route::SdText("New_0.s", [] {
        route::Shape props;
        props.AddProp("ESD_Alternative_Texture", "0");
        props.AddProp("ESD_Detail_Level", "0");
        return props;
      }()));
  const fs::path shapes = bench.route_folder() / "SHAPES";
  for (auto _ : state) {
    state.PauseTiming();
    bench.Reset();
    state.ResumeTiming();
    for (int i = 0; i < kShapesToAdd; ++i) {
      WriteDurably(shapes / AddBench::New(i), ReadHost(bench.source_folder() / AddBench::New(i)));
      WriteDurably(bench.route_folder() / "Busy.ref", bench.RefAfter(i + 1));
      WriteDurably(shapes / ("New_" + std::to_string(i) + ".sd"), sd);
    }
  }
}

BENCHMARK(LookUpExactCase);
BENCHMARK(LookUpOtherCase);
BENCHMARK(LookUpMissing);
BENCHMARK(BatchAdd)->Unit(benchmark::kSecond)->Iterations(2);
BENCHMARK(DurableWrites)->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace
