// Undoing clearing jobs with the built program on the demo route: what each
// job took out comes back byte for byte, and a job or a restore killed at
// any point loses nothing and is completed by the next restore.
#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <regex>
#include <thread>

#include "demo/demo_routes.h"
#include "tests/e2e/end_to_end.h"
#include "tests/support/msts_text.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::StartsWith;

const std::string kRoute = "C:\\MSTS\\ROUTES\\DemoLine\\";
const std::string kChoose = "Select rows (1 3 5-7, all, none; empty to cancel): ";

// The output with each job's time as <time>.
std::string Timeless(const std::string& output) {
  static const std::regex kTime("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}");
  return std::regex_replace(output, kTime, "<time>");
}

class RestoreEndToEnd : public EndToEnd {
 protected:
  RestoreEndToEnd() {
    Settings("1");
    demo::WriteRoutes(prefix.drive_c());
  }

  // Every file of the route but the backups and the thumbnails, which the
  // clearing deletes, with its bytes.
  std::map<std::string, std::string> RouteFiles() const {
    std::map<std::string, std::string> files;
    const fs::path route = prefix.Host(kRoute);
    for (auto it = fs::recursive_directory_iterator(route);
         it != fs::recursive_directory_iterator(); ++it) {
      if (it->path().filename() == "Rastolin_backups") it.disable_recursion_pending();
      if (!it->is_regular_file() || it->path().extension() == ".thm") continue;
      files[test_support::Utf8Of(fs::relative(it->path(), route))] =
          test_support::ReadHostFile(it->path());
    }
    return files;
  }
};

TEST_F(RestoreEndToEnd, EachClearingJobIsUndoneByteForByteAndTheRestoreCanBeUndoneToo) {
  const struct {
    std::string command, answers, row, restored;
  } kJobs[] = {
      {"deldup(-route=demoline)", "", "Delete duplicates, 1 entries, 0 files",
       "1 entries, 0 files"},
      {"delunex(-route=demoline)", "", "Delete non-existent, 1 entries, 0 files",
       "1 entries, 0 files"},
      {"delentry(-route=demoline) 1;3;4;8", "y\ny\n", "Delete selected, 4 entries, 15 files",
       "4 entries, 15 files"},
      {"delunused(-route=demoline)", "all\ny\ny\n", "Delete unused, 0 entries, 6 files",
       "0 entries, 6 files"},
      {"delnotinref(-route=demoline)", "add 1\nall\ny\ny\n",
       "Delete objects not in ref, 1 entries, 2 files", "1 entries, 2 files"},
  };
  const std::map<std::string, std::string> original = RouteFiles();
  for (const auto& job : kJobs) {
    SCOPED_TRACE(job.command);
    test_support::RemoveFolder(prefix.Host("C:\\MSTS"));
    demo::WriteRoutes(prefix.drive_c());
    ASSERT_EQ(Run({job.command}, job.answers + "\n").exit_code, 1);
    const std::map<std::string, std::string> cleared = RouteFiles();
    ASSERT_NE(cleared, original);
    const std::string restore = Timeless(Run({"restore(-route=demoline)"}, "1\n\n").output);
    EXPECT_THAT(restore, StartsWith(kBanner + "1  <time>, " + job.row + "\n" + kChoose));
    EXPECT_THAT(restore, EndsWith("Restored: " + job.restored + "\n" + kEnd));
    EXPECT_EQ(RouteFiles(), original);
    // The restore itself is offered now, and undoing it clears again.
    const std::string undo = Timeless(Run({"restore(-route=demoline)"}, "1\n\n").output);
    EXPECT_THAT(undo, StartsWith(kBanner + "1  <time>, Restore, " + job.restored + "\n" + kChoose));
    EXPECT_EQ(RouteFiles(), cleared);
    Run({"restore(-route=demoline)"}, "1\n\n");
    EXPECT_EQ(RouteFiles(), original);
  }
}

#ifndef _WIN32
// A route of 1,000 unused shapes, each with its .sd: delunused moves 2,000
// files. The job, its restore, or both, are killed at points set by how
// far the journal has grown; then every file lies in its place or in the
// backup folder, and the next restore puts everything back.
TEST_F(RestoreEndToEnd, AJobOrARestoreKilledAtAnyPointLosesNothingAndTheNextRestoreCompletesIt) {
  constexpr int kShapes = 1000;
  // About what the journal grows by for each file moved.
  constexpr double kLineBytes = 70;
  const std::string route = "C:\\MSTS\\ROUTES\\Big\\";
  const fs::path journal = prefix.Host(route + "Rastolin_backups\\journal.txt");
  const auto make_route = [&] {
    test_support::RemoveFolder(prefix.Host(route));
    std::string ref = "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n";
    for (int i = 0; i < kShapes; ++i) {
      const std::string name = "s" + std::to_string(i);
      ref += "Static ( FileName ( " + name + ".s ) )\r\n";
      prefix.Write(route + "SHAPES\\" + name + ".s", "shape " + name);
      prefix.Write(route + "SHAPES\\" + name + ".sd", "sd " + name);
    }
    prefix.Write(route + "Big.ref", test_support::UnicodeFile(ref));
    prefix.Write(route + "WORLD\\w.w",
                 test_support::UnicodeFile("Tr_Worldfile ( Static ( FileName ( keep.s ) ) )\r\n"));
  };
  const auto files_of = [&](const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& file : fs::directory_iterator(prefix.Host(folder)))
      files[test_support::Utf8Of(file.path().filename())] = test_support::ReadHostFile(file.path());
    return files;
  };
  // Runs a command until it ends, or kills it once the journal has grown
  // by `bytes`; true when it was killed.
  const auto run = [&](const std::string& command, const std::string& input, double bytes) {
    const uintmax_t before = fs::exists(journal) ? fs::file_size(journal) : 0;
    test_support::KillableRun running(prefix, {command}, "C:\\work", input);
    while (!running.Ended()) {
      std::error_code error;
      const uintmax_t size = fs::file_size(journal, error);
      if (bytes >= 0 && !error && size >= before + static_cast<uintmax_t>(bytes)) {
        running.Kill();
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  };
  const struct {
    double job, restore;  // where to kill, as a share of the files; -1: not killed
  } kKills[] = {{0.02, -1}, {0.9, -1}, {-1, 0.4}, {0.5, 0.5}};
  for (const auto& kill : kKills) {
    SCOPED_TRACE(std::to_string(kill.job) + " " + std::to_string(kill.restore));
    make_route();
    const std::map<std::string, std::string> original = files_of(route + "SHAPES");
    const auto nothing_lost = [&] {
      std::map<std::string, std::string> found = files_of(route + "SHAPES");
      if (fs::exists(prefix.Host(route + "Rastolin_backups\\SHAPES"))) {
        for (auto& [name, bytes] : files_of(route + "Rastolin_backups\\SHAPES"))
          EXPECT_TRUE(found.emplace(name, bytes).second) << name << " lies in both places";
      }
      EXPECT_EQ(found, original);
    };
    EXPECT_EQ(run("delunused(-route=big)", "all\ny\nn\n\n", kill.job * 2 * kShapes * kLineBytes),
              kill.job >= 0);
    nothing_lost();
    if (kill.restore >= 0) {
      const size_t moved = files_of(route + "Rastolin_backups\\SHAPES").size();
      EXPECT_TRUE(run("restore(-route=big)", "1\n\n", kill.restore * moved * kLineBytes));
      nothing_lost();
    }
    // The job is still offered, cut short or not, and now restored whole.
    ProgramRun restore = Run({"restore(-route=big)"}, "1\n\n");
    EXPECT_EQ(restore.exit_code, 1);
    EXPECT_THAT(Timeless(restore.output),
                StartsWith(kBanner + "1  <time>, Delete unused, 0 entries, "));
    EXPECT_EQ(files_of(route + "SHAPES"), original);
  }
}
#endif

}  // namespace
}  // namespace e2e
