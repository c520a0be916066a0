// Undoing a clearing job of 10,000 entries and 20,000 files (every other
// entry of a .ref of 20,000, deleted with its shape and .sd), through the
// host's file system, on its own and as the whole restore command of the
// built program, next to the moves and .ref writes it cannot do without.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_route.h"
#include "ops/clearing.h"
#include "ops/restore.h"
#include "ops/route_state.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kEntries = 20000;
constexpr int kRemoved = kEntries / 2;

std::string ShapeName(int number) { return "Shape_" + std::to_string(number) + ".s"; }

class RestoreBench : public bench::BenchInstallation {
 public:
  RestoreBench() {
    fs::create_directories(Host() / "SHAPES");
    fs::create_directories(host_root().parent_path() / "work");
    const std::string shape =
        route::UnicodeFileBytes("SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape ( images ( 0 ) )\r\n");
    std::vector<route::Shape> entries(kEntries);
    for (int i = 0; i < kEntries; ++i) {
      entries[i].AddProp("Class", "Buildings");
      entries[i].AddProp("FileName", ShapeName(i));
      entries[i].AddProp("Description", "Object number " + std::to_string(i));
      std::ofstream(Host() / "SHAPES" / ShapeName(i), std::ios::binary) << shape;
      std::ofstream(Host() / "SHAPES" / ("Shape_" + std::to_string(i) + ".sd"), std::ios::binary)
          << "sd";
    }
    ref_ = route::UnicodeFileBytes(route::RefText(entries));
    Write(WorkFolder() + "\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=" + root() + "\r\n");
    main().language.SetTexts(core::kEnglish);
  }

  std::string Folder() const { return root() + "\\ROUTES\\Restore\\"; }
  fs::path Host() const { return host_root() / "ROUTES" / "Restore"; }
  std::string WorkFolder() const { return root().substr(0, root().rfind('\\')) + "\\work"; }

  // The job to undo: every other row deleted with its files, on the route
  // as it was made, without backups.
  void Clear() {
    fs::remove_all(Host() / "Rastolin_backups");
    Write(Folder() + "Restore.ref", ref_);
    ops::RouteState routes;
    routes.CurrentRoute = OpenRoute("Restore");
    main().fields.ClProps = "filename";
    ops::ClPropPrClick(main(), routes);
    for (int row = 0; row < kEntries; row += 2) routes.ClShapesSelected[row] = true;
    ui().yes = true;
    ops::ClDeleteClick(main(), routes);
    ui().yes = false;
    main().log.Clear();
  }

 private:
  std::string ref_;
};

// The Clearing page's Restore of the job, the route read as the page has it.
void Restore(benchmark::State& state) {
  RestoreBench& bench = bench::Shared<RestoreBench>();
  bool undone = true;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Clear();
    ops::RouteState routes;
    routes.CurrentRoute = bench.OpenRoute("Restore");
    bench.ui().choose_first = true;
    state.ResumeTiming();
    ops::ClRestoreClick(bench.main(), routes);
    state.PauseTiming();
    bench.ui().choose_first = false;
    undone = undone && routes.CurrentRoute->EntryCount() == kEntries &&
             bench.main().log.lines().back() == "Restored: 10000 entries, 20000 files";
    bench.main().log.Clear();
    routes.CurrentRoute.reset();
    state.ResumeTiming();
  }
  if (!undone) state.SkipWithError("the job was not undone");
}

// What the restore must do in any case: each file moved back, and the .ref
// copied and written.
void MovesAndRefWrite(benchmark::State& state) {
  RestoreBench& bench = bench::Shared<RestoreBench>();
  const std::string shapes = bench.Folder() + "SHAPES\\";
  const std::string backups = bench.Folder() + "Rastolin_backups\\SHAPES\\";
  for (auto _ : state) {
    state.PauseTiming();
    bench.Clear();
    std::unique_ptr<route::Route> route = bench.OpenRoute("Restore");
    std::vector<std::string> names;
    for (const platform::FindEntry& found : bench.files().Find(backups + "*", 0))
      names.push_back(found.name);
    state.ResumeTiming();
    size_t moved = 0;
    for (const std::string& name : names)
      moved += bench.files().MoveFile(backups + name, shapes + name);
    route->BackupRef();
    route->WriteRef();
    if (moved != 2 * kRemoved) state.SkipWithError("files were not moved back");
  }
}

// The command as a user types it, answering "1": the program starts, reads
// its settings, the route and the journal, and undoes the job. Its output
// goes to a file.
void ConsoleRestore(benchmark::State& state) {
  RestoreBench& bench = bench::Shared<RestoreBench>();
  const fs::path work = bench.host_root().parent_path() / "work";
  const std::string input = (work / "input.txt").string(), output = (work / "output.txt").string();
  std::ofstream(input) << "1\n\n";
  bool ran = true;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Clear();
    state.ResumeTiming();
    ran = ran && bench::RunProgram(work, "restore(-route=Restore)", input, output) >= 0;
  }
  std::ifstream listed(output);
  const std::string text((std::istreambuf_iterator<char>(listed)), {});
  if (!ran || text.find("Restored: 10000 entries, 20000 files") == std::string::npos)
    state.SkipWithError("the command did not undo the job");
}

BENCHMARK(Restore)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(MovesAndRefWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ConsoleRestore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
