// The clearing page's heavy work on generated large routes, through the
// host's file system. The unused search over 1,000 world files (about
// 55 MB, 150,000 FileName entries) that place 2,500 shapes, against a .ref
// of 2,000 entries, on its own and as the whole delunused command of the
// built program, next to merely reading those world files; the command
// again on world files of the same size against a .ref of 20,000 entries.
// The route check of that second route, whose SHAPES holds 20,000 shapes
// (the used ones read for their textures) and TEXTURES 2,000 textures (the
// named ones looked into), on its own and as the checkroute command, next
// to merely reading the world files and the used shapes, and to the check
// that does not look into the textures. The same command and check on
// copies of the two routes whose world files and shapes are compressed
// binary tokens, as published routes ship theirs, next to reading and
// inflating those files. The search and the check again on copies whose
// world files write half their names with folder parts that lead to the
// same files, next to the plain ones. Removing duplicates and deleting
// 10,000 selected rows of a .ref of 50,000 entries, next to reading and
// writing that .ref.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_route.h"
#include "core/conv_main.h"
#include "ops/clearing.h"
#include "ops/route_check.h"
#include "ops/route_state.h"
#include "ops/simis_reader.h"
#include "ops/unused.h"
#include "platform/host.h"
#include "formats/simis.h"
#include "route/ref_file.h"
#include "route/text_file.h"
#include "demo/ace_writer.h"
#include "demo/binary_tokens.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWorldFiles = 1000;
constexpr int kObjectsPerWorld = 150;
// A large route of the usual make: its tiles place a few thousand shapes,
// most of which its .ref offers.
constexpr int kTypicalRefEntries = 2000;
constexpr int kTypicalUnused = 300;
constexpr int kTypicalShapes = 2500;
constexpr int kUnusedRefEntries = 20000;
constexpr int kLargeRefEntries = 50000;
constexpr int kRemoved = 10000;
constexpr int kShapeFiles = 20000;
constexpr int kTextures = 2000;

std::string ShapeName(int number) { return "Shape_" + std::to_string(number) + ".s"; }

// A tile as the route editor leaves it: scenery drawn from the handful of
// shapes of its neighbourhood, numbered `first` to `last` (most of them in
// the .ref, some long gone from it), and track pieces, which no .ref lists.
// The names go to `placed`. With `folders`, the name of the route, half
// the shapes (as the editor writes a shape, each the same way wherever it
// stands) are written with a folder part that leads to the same file.
std::string WorldText(std::mt19937& random, int first, int last, std::set<std::string>& placed,
                      const std::string& folders = "") {
  std::uniform_int_distribution<int> neighbourhood(first, last);
  std::vector<int> palette;
  for (int i = 0; i < 40; ++i) palette.push_back(neighbourhood(random));
  std::uniform_int_distribution<int> scenery(0, static_cast<int>(palette.size()) - 1);
  std::uniform_int_distribution<int> track(0, 299);
  std::string text = "SIMISA@@@@@@@@@@JINX0w0t______\r\n\r\nTr_Worldfile (\r\n";
  for (int i = 0; i < kObjectsPerWorld; ++i) {
    const bool is_track = i % 3 == 0;
    const int number = is_track ? track(random) : palette[scenery(random)];
    const std::string name =
        is_track ? "A1t" + std::to_string(number) + "mStrt.s" : ShapeName(number);
    placed.insert(name);
    std::string written = name;
    if (!folders.empty() && number % 2 == 1) {
      const std::string spellings[] = {".\\" + name, "SHAPES\\" + name,
                                       "../../" + folders + "/SHAPES/" + name};
      written = is_track ? "../SHAPES/" + name : spellings[number / 2 % 3];
    }
    text += std::string(is_track ? "\tTrackObj" : "\tStatic") + " (\r\n\t\tUiD ( " +
            std::to_string(i) + " )\r\n\t\tFileName ( " + written +
            " )\r\n\t\tStaticFlags ( 00100000 )\r\n\t\tPosition ( -512.4 101.2 233.9 )\r\n"
            "\t\tQDirection ( 0 0.7071 0 0.7071 )\r\n\t\tVDbId ( 4294967295 )\r\n\t)\r\n";
  }
  return text + ")\r\n";
}

// A shape naming three of the route's textures, one in a hundred of which
// is missing.
std::string ShapeText(int number) {
  std::string text =
      "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tshape_header ( 0 0 )\r\n"
      "\tvolumes ( 1\r\n\t\tvol_sphere ( vector ( 0 2 0 ) 6 )\r\n\t)\r\n\timages ( 3\r\n";
  for (int i = 0; i < 3; ++i)
    text += "\t\timage ( Tex_" + std::to_string((number * 7 + i * 101) % kTextures) + ".ace )\r\n";
  return text +
         "\t)\r\n\ttextures ( 3\r\n\t\ttexture ( 0 0 -3 ff000000 )\r\n"
         "\t\ttexture ( 1 0 -3 ff000000 )\r\n\t\ttexture ( 2 0 -3 ff000000 )\r\n\t)\r\n)\r\n";
}

void WriteHostFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<route::Shape> RefEntries(int count, int distinct) {
  std::vector<route::Shape> entries(count);
  for (int i = 0; i < count; ++i) {
    entries[i].AddProp("Class", "Buildings");
    std::string name = ShapeName(i % distinct);
    if (i >= distinct) name[0] = 's';  // a duplicate in another letter case
    entries[i].AddProp("FileName", name);
    entries[i].AddProp("Description", "Object number " + std::to_string(i));
  }
  return entries;
}

// Three routes: Typical and Worlds for the unused search, Worlds for the
// route check, Large for the removals; TypicalBinary and WorldsBinary hold
// the world files and shapes of the first two as compressed tokens, and
// TypicalFolders and WorldsFolders their world files with folder parts.
class ClearingBench : public bench::BenchInstallation {
 public:
  ClearingBench() {
    fs::create_directories(host_root() / "ROUTES" / "Large");
    fs::create_directories(host_root().parent_path() / "work");
    std::mt19937 random(7);
    std::set<std::string> placed;
    std::mt19937 same(random), again(random);
    WriteWorldRoute("Typical", random, kTypicalUnused, kTypicalUnused + kTypicalShapes - 1,
                    kTypicalRefEntries, placed, false);
    WriteWorldRoute("TypicalBinary", same, kTypicalUnused, kTypicalUnused + kTypicalShapes - 1,
                    kTypicalRefEntries, placed, true);
    WriteWorldRoute("TypicalFolders", again, kTypicalUnused, kTypicalUnused + kTypicalShapes - 1,
                    kTypicalRefEntries, placed, false, true);
    placed.clear();
    same = again = random;
    WriteWorldRoute("Worlds", random, 0, kUnusedRefEntries * 5 / 4 - 1, kUnusedRefEntries, placed,
                    false);
    WriteWorldRoute("WorldsBinary", same, 0, kUnusedRefEntries * 5 / 4 - 1, kUnusedRefEntries,
                    placed, true);
    WriteWorldRoute("WorldsFolders", again, 0, kUnusedRefEntries * 5 / 4 - 1, kUnusedRefEntries,
                    placed, false, true);
    // Written plainly: 42,000 replacements, each flushed, would take minutes.
    // Textures of the size of a small real one; one in 250 cut short.
    const std::string texture_bytes = standin::WriteAce(
        standin::MakeImage(64, 64,
                           [](int x, int y) { return static_cast<uint32_t>(x * y) | 0xFF; }),
        {});
    for (const char* name : {"Worlds", "WorldsBinary"}) {
      const bool binary = name == std::string_view("WorldsBinary");
      const fs::path route = host_root() / "ROUTES" / name;
      fs::create_directories(route / "SHAPES");
      fs::create_directories(route / "TEXTURES");
      for (int i = 0; i < kShapeFiles; ++i) {
        WriteHostFile(route / "SHAPES" / ShapeName(i),
                      binary ? standin::CompressedTokenFile(ShapeText(i))
                             : route::UnicodeFileBytes(ShapeText(i)));
        WriteHostFile(route / "SHAPES" / ("Shape_" + std::to_string(i) + ".sd"), "sd");
        if (placed.count(ShapeName(i))) {
          (binary ? used_binary_shapes_ : used_shapes_)
              .push_back(root() + "\\ROUTES\\" + name + "\\SHAPES\\" + ShapeName(i));
        }
      }
      for (int i = 0; i < kTextures; ++i) {
        const fs::path texture = route / "TEXTURES" / ("Tex_" + std::to_string(i) + ".ace");
        if (i % 100 == 0) continue;
        WriteHostFile(texture, i % 250 == 1 ? texture_bytes.substr(0, texture_bytes.size() / 2)
                                            : texture_bytes);
      }
    }
    // The same files as Worlds', through links.
    for (const char* folder : {"SHAPES", "TEXTURES"}) {
      fs::create_directory_symlink(host_root() / "ROUTES" / "Worlds" / folder,
                                   host_root() / "ROUTES" / "WorldsFolders" / folder);
    }
    // The folder the program starts from, its settings naming the root.
    Write(WorkFolder() + "\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=" + root() + "\r\n");
    large_ref_ = route::UnicodeFileBytes(
        route::RefText(RefEntries(kLargeRefEntries, kLargeRefEntries - kRemoved)));
    Write(LargeRefPath(), large_ref_);
  }

  // The bytes of a route's world files as they lie on disk.
  int64_t WorldBytes(const std::string& route) const { return world_bytes_.at(route); }
  // The shapes of Worlds' (or WorldsBinary's) SHAPES that its world files
  // place.
  const std::vector<std::string>& used_shapes(bool binary = false) const {
    return binary ? used_binary_shapes_ : used_shapes_;
  }
  std::string WorldFolder(const std::string& route) const {
    return root() + "\\ROUTES\\" + route + "\\WORLD\\";
  }
  std::string WorkFolder() const { return root().substr(0, root().rfind('\\')) + "\\work"; }
  std::string LargeRefPath() const { return root() + "\\ROUTES\\Large\\Large.ref"; }
  std::string LargeBackup() const {
    return root() + "\\ROUTES\\Large\\Rastolin_backups\\Large1.ref";
  }
  const std::string& large_ref() const { return large_ref_; }

 private:
  // A route of world files placing shapes `first` to `last`, Unicode text
  // or compressed tokens, and a .ref of `entries` entries, the first
  // shapes'; with `folders`, half its names carry folder parts.
  void WriteWorldRoute(const std::string& name, std::mt19937& random, int first, int last,
                       int entries, std::set<std::string>& placed, bool binary,
                       bool folders = false) {
    fs::create_directories(host_root() / "ROUTES" / name / "WORLD");
    const std::string folder = root() + "\\ROUTES\\" + name + "\\";
    int64_t bytes = 0;
    for (int i = 0; i < kWorldFiles; ++i) {
      const std::string world = WorldText(random, first, last, placed, folders ? name : "");
      const std::string text =
          binary ? standin::CompressedTokenFile(world) : route::UnicodeFileBytes(world);
      bytes += static_cast<int64_t>(text.size());
      Write(WorldFolder(name) + "w-" + std::to_string(i) + ".w", text);
    }
    // A data file, as every route has, so that the route box lists the
    // route and a command finds its spelling on disk.
    Write(
        folder + "ssource.dat",
        route::UnicodeFileBytes("SIMISA@@@@@@@@@@JINX0q0t______\r\n\r\nTr_SMS_Sources (\r\n)\r\n"));
    Write(folder + name + ".ref",
          route::UnicodeFileBytes(route::RefText(RefEntries(entries, entries))));
    world_bytes_[name] = bytes;
  }

  std::map<std::string, int64_t> world_bytes_;
  std::vector<std::string> used_shapes_;
  std::vector<std::string> used_binary_shapes_;
  std::string large_ref_;
};

void FindUnusedIn(benchmark::State& state, const std::string& route_name) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  std::unique_ptr<route::Route> typical = bench.OpenRoute(route_name);
  ops::SimisReader reader(bench.main(), *typical);
  bench::SilentUi::SilentProgress progress;
  size_t unused = 0;
  for (auto _ : state) unused = ops::FindUnused(bench.main(), *typical, reader, progress).size();
  if (unused != kTypicalUnused) state.SkipWithError("the search missed unused shapes");
  state.SetBytesProcessed(state.iterations() * bench.WorldBytes(route_name));
}

void FindUnused(benchmark::State& state) { FindUnusedIn(state, "Typical"); }
void FindUnusedBinary(benchmark::State& state) { FindUnusedIn(state, "TypicalBinary"); }
void FindUnusedFolders(benchmark::State& state) { FindUnusedIn(state, "TypicalFolders"); }

// Times a command as a user types it: the program starts in the folder of
// its settings, reads them and the route, and does its work. Its input is
// empty, so a choice list is cancelled; its output goes to a file, and
// standard error, where no person watches, to nowhere. The output must hold
// `expected`.
void TimeCommand(benchmark::State& state, const std::string& command, const std::string& expected,
                 int64_t world_bytes) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  const fs::path work = bench.host_root().parent_path() / "work";
  const std::string output = (work / "output.txt").string();
  bool ran = true;
  for (auto _ : state) ran = ran && bench::RunProgram(work, command, "/dev/null", output) >= 0;
  std::ifstream listed(output);
  const std::string text((std::istreambuf_iterator<char>(listed)), {});
  if (!ran || text.find(expected) == std::string::npos)
    state.SkipWithError("the command did not do its work");
  state.SetBytesProcessed(state.iterations() * world_bytes);
}

// delunused lists the unused shapes.
void ConsoleDelunused(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  TimeCommand(state, "delunused(-route=Typical)", "\n" + std::to_string(kTypicalUnused) + "  ",
              bench.WorldBytes("Typical"));
}

// The same over the route's world files as compressed tokens.
void ConsoleDelunusedBinary(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  TimeCommand(state, "delunused(-route=TypicalBinary)",
              "\n" + std::to_string(kTypicalUnused) + "  ", bench.WorldBytes("TypicalBinary"));
}

// The same over world files of the same size whose route's .ref holds
// 20,000 entries.
void ConsoleDelunusedLargeRef(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  TimeCommand(state, "delunused(-route=Worlds)", "\n1  ", bench.WorldBytes("Worlds"));
}

void CheckRouteIn(benchmark::State& state, const std::string& route_name, bool texture_files) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  std::unique_ptr<route::Route> worlds = bench.OpenRoute(route_name);
  ops::SimisReader reader(bench.main(), *worlds);
  bench::SilentUi::SilentProgress progress;
  ops::RouteReport report;
  for (auto _ : state) {
    report = ops::CheckRoute(bench.main(), *worlds, reader, progress, texture_files);
  }
  if (!report.missing_shapes || report.missing_shapes->empty() || !report.missing_textures ||
      report.missing_textures->empty() || !report.unused || *report.unused == 0 ||
      (texture_files && report.damaged_textures->empty())) {
    state.SkipWithError(
        "the check found no missing shape, no missing or damaged texture or no unused entry");
  }
  state.SetBytesProcessed(state.iterations() * bench.WorldBytes(route_name));
}

void CheckRoute(benchmark::State& state) { CheckRouteIn(state, "Worlds", true); }
void CheckRouteWithoutTextureFiles(benchmark::State& state) {
  CheckRouteIn(state, "Worlds", false);
}
void CheckRouteBinary(benchmark::State& state) { CheckRouteIn(state, "WorldsBinary", true); }
void CheckRouteFolders(benchmark::State& state) { CheckRouteIn(state, "WorldsFolders", true); }

void ConsoleCheckrouteOf(benchmark::State& state, const std::string& route_name) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  TimeCommand(state, "checkroute(-route=" + route_name + ")", "Textures missing from TEXTURES: ",
              bench.WorldBytes(route_name));
}

void ConsoleCheckroute(benchmark::State& state) { ConsoleCheckrouteOf(state, "Worlds"); }
void ConsoleCheckrouteBinary(benchmark::State& state) {
  ConsoleCheckrouteOf(state, "WorldsBinary");
}

// Reads a file, and with `inflate` undoes its container as every reader
// of a compressed file must.
void ReadFile(ClearingBench& bench, const std::string& path, bool inflate) {
  std::optional<std::string> bytes = bench.files().ReadFile(path);
  if (inflate && bytes) {
    const formats::SimisFile file(*bytes);
    benchmark::DoNotOptimize(file.body().data());
  }
  benchmark::DoNotOptimize(bytes);
}

void ReadWorldFilesOf(ClearingBench& bench, const std::string& route, bool inflate = false) {
  const std::string folder = bench.WorldFolder(route);
  for (const platform::FindEntry& found :
       bench.files().Find(folder + "*.w", platform::kAnyAttributes)) {
    ReadFile(bench, folder + found.name, inflate);
  }
}

void ReadWorldFiles(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  for (auto _ : state) ReadWorldFilesOf(bench, "Typical");
  state.SetBytesProcessed(state.iterations() * bench.WorldBytes("Typical"));
}

// What the unused search cannot do without on TypicalBinary.
void ReadAndInflateWorldFiles(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  for (auto _ : state) ReadWorldFilesOf(bench, "TypicalBinary", true);
  state.SetBytesProcessed(state.iterations() * bench.WorldBytes("TypicalBinary"));
}

// What the route check cannot do without: reading the world files and the
// shapes they place.
void ReadWorldFilesAndShapesOf(benchmark::State& state, bool binary) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  const std::string route = binary ? "WorldsBinary" : "Worlds";
  for (auto _ : state) {
    ReadWorldFilesOf(bench, route, binary);
    for (const std::string& shape : bench.used_shapes(binary)) ReadFile(bench, shape, binary);
  }
  state.SetBytesProcessed(state.iterations() * bench.WorldBytes(route));
}

void ReadWorldFilesAndShapes(benchmark::State& state) { ReadWorldFilesAndShapesOf(state, false); }
// What the route check cannot do without on WorldsBinary.
void ReadAndInflateWorldFilesAndShapes(benchmark::State& state) {
  ReadWorldFilesAndShapesOf(state, true);
}

void ReadAndWriteRef(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  for (auto _ : state) {
    std::unique_ptr<route::Route> large = bench.OpenRoute("Large");
    large->WriteRef();
  }
}

void DeleteDuplicates(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Write(bench.LargeRefPath(), bench.large_ref());
    bench.main().log.Clear();
    std::unique_ptr<route::Route> large = bench.OpenRoute("Large");
    state.ResumeTiming();
    const route::Route::Removed removed = large->DeleteDuplicates();
    if (std::count(removed.begin(), removed.end(), true) != kRemoved)
      state.SkipWithError("duplicates were missed");
  }
}

void DeleteSelected(benchmark::State& state) {
  ClearingBench& bench = bench::Shared<ClearingBench>();
  core::ConvMain& main = bench.main();
  ops::RouteState routes;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Write(bench.LargeRefPath(), bench.large_ref());
    bench.files().DeleteFile(bench.LargeBackup());
    routes.CurrentRoute = bench.OpenRoute("Large");
    ops::ClPropPrClick(main, routes);
    for (size_t row = 0; row < routes.ClShapesSelected.size(); row += kLargeRefEntries / kRemoved) {
      routes.ClShapesSelected[row] = true;
    }
    state.ResumeTiming();
    ops::ClDeleteClick(main, routes);
    if (routes.CurrentRoute->EntryCount() != kLargeRefEntries - kRemoved)
      state.SkipWithError("rows were missed");
    // Released here, as the read and write beside it releases its route.
    routes.CurrentRoute.reset();
    routes.ClShapes.clear();
  }
}

// Both read ahead on threads of their own: their CPU time is the whole
// process's, and their time the wall clock's.
BENCHMARK(FindUnused)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(ConsoleDelunused)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ConsoleDelunusedLargeRef)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadWorldFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckRoute)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(CheckRouteWithoutTextureFiles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(ConsoleCheckroute)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadWorldFilesAndShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(FindUnusedBinary)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(ConsoleDelunusedBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadAndInflateWorldFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckRouteBinary)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(ConsoleCheckrouteBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadAndInflateWorldFilesAndShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(FindUnusedFolders)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(CheckRouteFolders)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(DeleteDuplicates)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteSelected)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndWriteRef)->Unit(benchmark::kMillisecond);

}  // namespace
