// Undoing clearing jobs with the built program on the demo route: what each
// job took out comes back byte for byte, and a job or a restore killed at
// any point loses nothing and is completed by the next restore.
#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <regex>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "demo/demo_routes.h"
#include "tests/e2e/end_to_end.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kRoute = "C:\\MSTS\\ROUTES\\DemoLine\\";
const std::string kBig = "C:\\MSTS\\ROUTES\\Big\\";
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

  // Route Big: `count` entries, each for a shape with its .sd, and a world
  // file that places none of them.
  void MakeBig(int count) {
    test_support::RemoveFolder(prefix.Host(kBig));
    std::string ref;
    for (int i = 0; i < count; ++i) {
      const std::string name = "s" + std::to_string(i);
      ref += "Static ( FileName ( " + name + ".s ) )\r\n";
      prefix.Write(kBig + "SHAPES\\" + name + ".s", "shape " + name);
      prefix.Write(kBig + "SHAPES\\" + name + ".sd", "sd " + name);
    }
    prefix.Write(kBig + "Big.ref", MstsFile("r1", ref));
    prefix.Write(kBig + "WORLD\\w.w",
                 test_support::UnicodeFile("Tr_Worldfile ( Static ( FileName ( keep.s ) ) )\r\n"));
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

// Restored one at a time, the oldest first, jobs that took out entries
// standing between one another give the .ref back byte for byte, in a
// form hands leave. A journal line changed since it was written is left
// out, and a line of an older journal cannot move the .ref.
TEST_F(RestoreEndToEnd, JobsRestoredOldestFirstGiveTheRefBackAndAChangedJournalIsNotTrusted) {
  const std::string ref = test_support::UnicodeFile(
      "SIMISA@@@@@@@@@@JINX0r1t______ Static ( FileName ( a.s ) )\r\n-- mine --\r\n"
      "Static ( FileName ( b.s ) ) Static ( FileName ( c.s ) )\r\n  Static ( FileName ( d.s ) )\r\n"
      "\r\nStatic (\r\n\tFileName ( e.s )\r\n)\r\nStatic ( FileName ( Barn_Red.s ) )");
  prefix.Write(kRoute + "DemoLine.ref", ref);
  Run({"delentry(-route=demoline) 2"}, "n\nn\n\n");
  Run({"delentry(-route=demoline) 2;4;5"}, "y\nn\n\n");
  Run({"restore(-route=demoline)"}, "2\n\n");
  const fs::path journal = prefix.Host(kRoute + "Rastolin_backups\\journal.txt");
  std::string text = test_support::ReadHostFile(journal);
  text[text.find("\tSHAPES\\\\Barn_Red.s") + 9] = 'C';
  test_support::WriteHostFile(journal, text + "\nold\tjob\t2020-01-01 10:00:00\tdelentry\n"
                                              "old\tmove\tSHAPES\\\\x.s\tDemoLine.ref\nold\tdone\n"
                                              "old\tcomplete\n");
  const std::string restore = Timeless(Run({"restore(-route=demoline)"}, "1 3\n\n").output);
  EXPECT_THAT(restore, HasSubstr("1 lines of " + kRoute + "Rastolin_backups\\journal.txt do not fit "
                                 "their check value (they were changed after they were written) "
                                 "and are left out\n"));
  EXPECT_THAT(restore, HasSubstr("SHAPES\\x.s: the name leads out of the route, nothing is moved\n"));
  EXPECT_EQ(Read(kRoute + "DemoLine.ref"), ref);
  EXPECT_TRUE(Exists(kRoute + "Rastolin_backups\\SHAPES\\Barn_Red.s"));
  EXPECT_TRUE(Exists(kRoute + "SHAPES\\Barn_Red.sd"));
}

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
  constexpr double kLineBytes = 100;
  const std::string route = kBig;
  const fs::path journal = prefix.Host(route + "Rastolin_backups\\journal.txt");
  const auto make_route = [&] { MakeBig(kShapes); };
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

// While a run changes a route, held still here with its lock, another is
// refused at once, naming the route; the first ends as if alone.
TEST_F(RestoreEndToEnd, ARunChangingARouteKeepsAnotherOutOfIt) {
  constexpr int kShapes = 1000;
  MakeBig(kShapes);
  const std::string ref = Read(kBig + "Big.ref");
  const fs::path journal = prefix.Host(kBig + "Rastolin_backups\\journal.txt");
  test_support::KillableRun first(prefix, {"delunused(-route=big)"}, "C:\\work", "all\ny\nn\n\n");
  // Held still once it has begun to move files.
  std::error_code error;
  const auto begun = [&] {
    const uintmax_t size = fs::file_size(journal, error);
    return !error && size > 0;
  };
  while (!first.Ended() && !begun()) {
  }
  first.Pause(true);
  ProgramRun second = Run({"delentry(-route=big) 1"}, "y\ny\n\n");
  first.Pause(false);
  while (!first.Ended()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(second.exit_code, 2);
  EXPECT_EQ(second.output, kBanner + "Delete files? [y/n] Delete textures, used in shapes? [y/n] "
                                     "Route big is being changed by another run of Rastolin, so "
                                     "nothing is done; try again when it has finished\n" + kEnd);
  EXPECT_EQ(Read(kBig + "Big.ref"), ref);
  for (int i = 0; i < kShapes; ++i) {
    EXPECT_TRUE(Exists(kBig + "Rastolin_backups\\SHAPES\\s" + std::to_string(i) + ".s")) << i;
  }
}

// Killed right after its .ref was replaced, before its journal said so: the
// next run that writes the .ref settles the write, so that after it the
// restore still puts back what the job took out, exactly.
TEST_F(RestoreEndToEnd, AJobKilledRightAfterItsRefWriteIsUndoneAfterTheJobsThatFollow) {
  const fs::path ref = prefix.Host(kBig + "Big.ref");
  const fs::path journal = prefix.Host(kBig + "Rastolin_backups\\journal.txt");
  const auto node = [&] {
    struct stat st {};
    stat(ref.c_str(), &st);
    return st.st_ino;
  };
  std::string original;
  bool caught = false;
  for (int attempt = 0; attempt < 20 && !caught; ++attempt) {
    MakeBig(4000);
    original = Read(kBig + "Big.ref");
    const ino_t before = node();
    test_support::KillableRun job(prefix, {"delentry(-route=big) 1;3"}, "C:\\work", "n\nn\n\n");
    while (!job.Ended() && node() == before) {
    }
    job.Kill();
    const std::string written = test_support::ReadHostFile(journal);
    caught = node() != before && written.find("\tref\t") != std::string::npos &&
             written.find("\tapplied\t") == std::string::npos;
  }
  ASSERT_TRUE(caught) << "no kill fell between the .ref write and its journal line";
  EXPECT_EQ(Run({"delentry(-route=big) 2"}, "n\nn\n\n").exit_code, 1);
  ProgramRun restore = Run({"restore(-route=big)"}, "all\n\n");
  EXPECT_THAT(Timeless(restore.output),
              StartsWith(kBanner + "1  <time>, Delete selected, 1 entries, 0 files\n"
                                   "2  <time>, Delete selected, 2 entries, 0 files (cut short)\n"));
  EXPECT_EQ(Read(kBig + "Big.ref"), original);
}
#endif

}  // namespace
}  // namespace e2e
