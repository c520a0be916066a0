// Reading and writing a route's .ref file of 50,000 entries, through the
// host's file system, next to reading and writing the same bytes as they
// are; and deleting one entry as a user does, on the Clearing page and as
// the console command, which reads the file, backs it up and writes it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_route.h"
#include "console/console.h"
#include "ops/clearing.h"
#include "ops/route_state.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace {

constexpr int kEntries = 50000;

// A .ref file as real routes hold it: several kinds of entry, quoted
// descriptions, one continued with "+", classes in more than one letter
// case, the odd long entry, and now and then a comment line and a skipped
// entry between them.
std::string LargeRefText() {
  const char* const kinds[] = {"Static", "Static", "Static", "Hazard", "LevelCr", "Pickup", "Transfer"};
  const char* const classes[] = {"Buildings", "buildings", "Trees", "Bridges", "Сигналы"};
  std::string text = std::string(route::kSimisHeader) + "\r\n\r\n";
  for (int i = 0; i < kEntries; ++i) {
    if (i % 1000 == 0) {
      text += "-- section " + std::to_string(i / 1000) + " --\r\n_skip ( Static ( FileName ( old_" +
              std::to_string(i) + ".s ) ) )\r\n";
    }
    route::Shape entry;
    entry.SetBlockType(kinds[i % 7]);
    entry.AddProp("Class", classes[i % 5]);
    entry.AddProp("FileName", "Shape_" + std::to_string(i) + ".s");
    entry.AddProp("Description", "Object number " + std::to_string(i) + " of the route");
    entry.AddProp("Shadow", i % 3 ? "NONE" : "DYNAMIC");
    if (i % 1000 == 0) {
      for (int p = 0; p < 40; ++p) entry.AddProp("Extra" + std::to_string(p), std::to_string(p));
    }
    std::string entry_text = entry.ToRefText();
    if (i % 100 == 0) {
      const std::string description = "\"Object number ";
      entry_text.replace(entry_text.find(description), description.size(),
                         "\"Object \" +\r\n\t\t\"number ");
    }
    text += entry_text;
  }
  return text;
}

// A route whose .ref file holds the large route's text, and the folder the
// program starts from, its settings naming the root.
class RefBench : public bench::BenchInstallation {
 public:
  RefBench() {
    std::filesystem::create_directories(host_root() / "ROUTES" / "Large");
    std::filesystem::create_directories(WorkFolder());
    bytes_ = route::UnicodeFileBytes(LargeRefText());
    Write(RefPath(), bytes_);
    const std::string work = files().FromUserPath(WorkFolder().string());
    Write(work + "\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=" + root() + "\r\n");
    // Neither the shape's files nor its textures are moved.
    Write(work + "\\answers.txt", "n\nn\n");
  }

  std::filesystem::path WorkFolder() const { return host_root().parent_path() / "work"; }

  std::string RefPath() const { return root() + "\\ROUTES\\Large\\Large.ref"; }
  std::string CopyPath() const { return root() + "\\ROUTES\\Large\\copy.ref"; }
  std::string BackupPath() const { return root() + "\\ROUTES\\Large\\Rastolin_backups\\Large1.ref"; }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

void ReadRef(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  for (auto _ : state) {
    auto large = std::make_unique<route::Route>(bench.MakeRoute("Large"));
    large->ReadRef();
    // Its entries are let go outside the time: a route is read to be used.
    state.PauseTiming();
    if (large->EntryCount() != kEntries) state.SkipWithError("entries were lost");
    large.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes().size()));
}

void WriteRef(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  route::Route large = bench.MakeRoute("Large");
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

// The Clearing page's Delete of one selected row, the route chosen first:
// the file read, backed up, and written without that entry.
void DeleteOneEntry(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  ops::RouteState routes;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Write(bench.RefPath(), bench.bytes());
    bench.files().DeleteFile(bench.BackupPath());
    state.ResumeTiming();
    routes.CurrentRoute = bench.OpenRoute("Large");
    routes.ClShapesSelected.assign(kEntries, false);
    routes.ClShapesSelected[kEntries / 2] = true;
    routes.ClShapesFocused = kEntries / 2;
    ops::ClDeleteClick(bench.main(), routes);
    if (routes.CurrentRoute->EntryCount() != kEntries - 1) state.SkipWithError("no entry went");
    state.PauseTiming();
    routes.CurrentRoute.reset();
    routes.ClShapes.clear();
    state.ResumeTiming();
  }
}

// The same as the console command a user types: the program starts,
// reads its settings and the route, deletes the entry and exits.
void ConsoleDeleteOneEntry(benchmark::State& state) {
  RefBench& bench = bench::Shared<RefBench>();
  const std::string command = "delentry(-route=Large) " + std::to_string(kEntries / 2 + 1);
  const std::string input = (bench.WorkFolder() / "answers.txt").string();
  const std::string output = (bench.WorkFolder() / "output.txt").string();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Write(bench.RefPath(), bench.bytes());
    bench.files().DeleteFile(bench.BackupPath());
    state.ResumeTiming();
    if (bench::RunProgram(bench.WorkFolder(), command, input, output) != console::kExitNormal) {
      state.SkipWithError("the command did not end normally");
    }
  }
  const std::optional<std::string> written = bench.files().ReadFile(bench.RefPath());
  if (!written || written->size() >= bench.bytes().size()) state.SkipWithError("no entry went");
}

BENCHMARK(ReadRef)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteRef)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteOneEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(ConsoleDeleteOneEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
