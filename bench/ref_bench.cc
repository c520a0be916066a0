// Reading and writing a route's .ref file of 50,000 entries, through the
// host's file system, next to reading and writing the same bytes as they
// are.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_route.h"
#include "route/ref_file.h"
#include "route/text_file.h"

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
    entry.SetBlockType(kinds[i % 7]);
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

// A route whose .ref file holds the large route's entries.
class RefBench {
 public:
  RefBench() {
    std::filesystem::create_directories(install_.host_root() / "ROUTES" / "Large");
    bytes_ = route::UnicodeFileBytes(route::RefText(LargeRoute()));
    install_.Write(RefPath(), bytes_);
  }

  std::string RefPath() const { return install_.root() + "\\ROUTES\\Large\\Large.ref"; }
  std::string CopyPath() const { return install_.root() + "\\ROUTES\\Large\\copy.ref"; }
  const std::string& bytes() const { return bytes_; }
  platform::FileSystem& files() { return install_.files(); }
  route::Route MakeRoute() { return install_.MakeRoute("Large"); }

 private:
  bench::BenchInstallation install_;
  std::string bytes_;
};

void ReadRef(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  route::Route large = bench.MakeRoute();
  for (auto _ : state) {
    large.ReadRef();
    benchmark::DoNotOptimize(large.Entries.data());
  }
  if (large.EntryCount() != kEntries) state.SkipWithError("entries were lost");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void WriteRef(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  route::Route large = bench.MakeRoute();
  large.ReadRef();
  for (auto _ : state) large.WriteRef(bench.CopyPath());
  if (bench.files().ReadFile(bench.CopyPath()) != bench.bytes()) state.SkipWithError("bytes differ");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void RawRead(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  for (auto _ : state) {
    std::optional<std::string> bytes = bench.files().ReadFile(bench.RefPath());
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void RawWrite(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  for (auto _ : state) bench.files().ReplaceFile(bench.CopyPath(), bench.bytes());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

BENCHMARK(ReadRef)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteRef)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond);

}  // namespace
