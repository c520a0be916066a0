#include "ops/restore.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "ops/clearing.h"
#include "tests/support/ops_fixture.h"
#include "ops/unused.h"

namespace ops {
namespace {

using ::testing::ThrowsMessage;

const std::string kJournal = kBackup + "journal.txt";

bool ChooseFirst(core::ChoiceList& list) {
  list.Select(0, true);
  return true;
}

bool ChooseAll(core::ChoiceList& list) {
  list.ClAllClick();
  return true;
}

// A job as a person runs it: the rows chosen in the entry list, the choice
// list played, the answers given.
struct Job {
  std::string name;
  void (*button)(core::ConvMain&, RouteState&);
  std::vector<bool> rows = {};
  std::function<bool(core::ChoiceList&)> choose = ChooseAll;
  std::deque<bool> answers = {true, true};
  bool writes_ref = false;  // at its end, having moved its files
};

// Route R in a form hands leave: a comment, two entries on one line, text
// between entries, an entry over several lines; a duplicate, a missing
// shape, an unused one and two no entry names.
test_support::MemoryFileSystem RouteDisk() {
  test_support::MemoryFileSystem disk;
  disk.Add(kRoute + "R.ref",
           test_support::UnicodeFile(
               "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\ncomment ( \"by hand\" )\r\n"
               "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( b.s ) ) Static ( FileName ( "
               "dup.s ) )\r\n\r\n-- odd text --\r\nStatic ( FileName ( c.s ) )\r\n"
               "Static ( FileName ( DUP.S ) )\r\nStatic ( FileName ( gone.s ) )\r\n"
               "Static (\r\n\tFileName ( keep.s )\r\n)\r\n"));
  for (const char* name : {"a.sd", "b.s", "dup.s", "c.s", "keep.s", "orphan.s", "extra.s"})
    disk.Add(kRoute + "SHAPES\\" + name, name);
  disk.Add(kRoute + "SHAPES\\a.s", test_support::UnicodeFile(ShapeText({"t.ace"})));
  disk.Add(kRoute + "SHAPES\\a.thm", "");
  disk.Add(kRoute + "TEXTURES\\t.ace", "t");
  disk.Add(kRoute + "TEXTURES\\SNOW\\t.ace", "snow t");
  disk.Add(kRoute + "WORLD\\w.w", test_support::UnicodeFile(WorldText({"a.s", "b.s", "dup.s",
                                                                       "keep.s"})));
  return disk;
}

const Lines kRouteFiles = {"R.ref",        "SHAPES\\a.s",   "SHAPES\\a.sd",     "SHAPES\\b.s",
                           "SHAPES\\dup.s", "SHAPES\\c.s",   "SHAPES\\keep.s",   "SHAPES\\orphan.s",
                           "SHAPES\\extra.s", "TEXTURES\\t.ace", "TEXTURES\\SNOW\\t.ace"};

// One run of the program on a copy of a disk, route R chosen, the file
// system failing at, or the program killed at, its n-th change from then
// on.
struct Program {
  enum Fault { kNone, kFail, kKill };
  explicit Program(const test_support::MemoryFileSystem& disk, Fault fault = kNone, int at = 0)
      : files(disk) {
    main.language.SetTexts(core::kEnglish);
    main.fields.MSTSRoot = "C:\\MSTS";
    routes.AddRoute = routes.ClRoute = {"R"};
    AddRouteChange(main, routes, 0);
    // A copy of a disk left by a program killed lives again.
    files.FailAfter(fault == kFail ? at : -1);
    files.CrashAfter(fault == kKill ? at : -1);
  }
  // False when it was killed; a refusal or failure ends the run.
  bool Run(const Job& job) {
    ui.answers = job.answers;
    ui.choose_objects = job.choose;
    routes.ClShapesSelected = job.rows;
    routes.ClShapesFocused = 0;
    try {
      job.button(main, routes);
    } catch (const test_support::Killed&) {
      return false;
    } catch (const core::Error& error) {
      main.log.AddFailure(error.what());
    }
    return true;
  }
  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RouteState routes;
};

// Every job, and the restore of it, made to fail at each change it makes in
// turn, and killed there: no file is lost, a job that cannot write the .ref
// leaves every file in its place, and restoring every job offered, after
// another job has written the .ref meanwhile, gives the route back byte for
// byte.
TEST(RestoreFaultTest, EveryJobAndItsRestoreFailingOrKilledAtAnyChangeIsUndoneExactly) {
  const test_support::MemoryFileSystem disk = RouteDisk();
  const auto add_then_move = [](core::ChoiceList& list) {
    list.Select(0, true);
    list.ClAddToRefClick();
    return ChooseAll(list);
  };
  const Job kJobs[] = {
      {"deldup", ClDuplicatesClick},
      {"delunex", ClDelUnexClick},
      {"delentry", ClDeleteClick, {true, false, true}, ChooseAll, {true, true}, true},
      {"delunused", ClUnusedClick},
      {"delnotinref", ClDelUnnamedClick, {}, add_then_move, {true, false}},
  };
  const Job other = {"delentry of the first entry", ClDeleteClick, {true}, {}, {}};
  // Every clearing job offered; a restore undone would clear again.
  const Job restore_all = {"restore", ClRestoreClick, {}, [](core::ChoiceList& list) {
                             for (size_t row = 0; row < list.size(); ++row)
                               list.Select(row, list.Name(row).find(", Restore,") == std::string::npos);
                             return true;
                           }};
  const auto lost = [&](const test_support::MemoryFileSystem& files) {
    Lines lost;
    for (const std::string& file : kRouteFiles) {
      if (file == "R.ref") continue;
      const std::string& bytes = disk.Content(kRoute + file);
      if ((files.Content(kRoute + file) == bytes) == (files.Content(kBackup + file) == bytes))
        lost.push_back(file);
    }
    return lost;
  };
  const auto original = [&](const test_support::MemoryFileSystem& files) {
    Lines changed;
    for (const std::string& file : kRouteFiles) {
      if (files.Content(kRoute + file) != disk.Content(kRoute + file)) changed.push_back(file);
    }
    return changed;
  };
  // After the run, another job and a restore of all: the route as it was.
  const auto undone = [&](const Program& run) {
    Program meanwhile(run.files);
    meanwhile.Run(other);
    Program restore(meanwhile.files);
    restore.Run(restore_all);
    EXPECT_EQ(original(restore.files), Lines{});
  };
  for (const Job& job : kJobs) {
    Program done(disk);
    done.Run(job);
    ASSERT_NE(original(done.files), Lines{}) << job.name;
    for (int at = 0;; ++at) {
      SCOPED_TRACE(job.name + " at change " + std::to_string(at));
      Program failed(disk, Program::kFail, at);
      failed.Run(job);
      EXPECT_EQ(lost(failed.files), Lines{});
      if (job.writes_ref && failed.files.Content(kRoute + "R.ref") == disk.Content(kRoute + "R.ref")) {
        EXPECT_EQ(original(failed.files), Lines{});
      }
      undone(failed);
      Program killed(disk, Program::kKill, at);
      const bool ran = killed.Run(job);
      EXPECT_EQ(lost(killed.files), Lines{});
      undone(killed);
      Program restore_killed(done.files, Program::kKill, at);
      const bool restored = restore_killed.Run(restore_all);
      EXPECT_EQ(lost(restore_killed.files), Lines{});
      undone(restore_killed);
      if (ran && restored) break;
    }
  }
}

using RestoreTest = ClearingFixture;

// Three jobs take out entries that stood between one another, in forms
// hands leave: one on the header line, two on one line, one indented, one
// over several lines, one at the end without a line break. Restored one at
// a time in every order, the entries there keep the order they had, and
// all of them give the file back byte for byte; after an entry added
// meanwhile, each goes back between the entries it stood between.
TEST_F(RestoreTest, JobsRestoredInAnyOrderPutEachEntryBackBetweenItsNeighbours) {
  const std::string ref = test_support::UnicodeFile(
      "SIMISA@@@@@@@@@@JINX0r1t______ Static ( FileName ( a.s ) )\r\n\r\ncomment ( \"x\" )\r\n"
      "Static ( FileName ( b.s ) ) Static ( FileName ( c.s ) )\r\n  Static ( FileName ( d.s ) )\r\n"
      "-- note --\r\nStatic (\r\n\tFileName ( e.s )\r\n)\r\n\r\nStatic ( FileName ( f.s ) )\r\n"
      "Static ( FileName ( g.s ) )   ; end\r\nStatic ( FileName ( h.s ) )");
  const Lines kAll = {"a.s", "b.s", "c.s", "d.s", "e.s", "f.s", "g.s", "h.s"};
  const std::vector<Lines> kJobs = {{"c.s"}, {"b.s", "e.s", "f.s"}, {"a.s", "d.s", "g.s", "h.s"}};
  for (const bool added : {false, true}) {
    std::vector<size_t> order = {0, 1, 2};
    do {
      SCOPED_TRACE(std::to_string(order[0]) + std::to_string(order[1]) + std::to_string(order[2]) +
                   (added ? " after an entry added" : ""));
      files.Add(kRoute + "R.ref", ref);
      files.DeleteFile(kJournal);
      routes.AddRoute = routes.ClRoute = {"R"};
      AddRouteChange(main, routes, 0);
      for (const Lines& job : kJobs) {
        routes.ClShapesSelected.clear();
        for (const std::string& name : FileNames())
          routes.ClShapesSelected.push_back(std::find(job.begin(), job.end(), name) != job.end());
        ui.answers = {false, false};
        ClDeleteClick(main, routes);
      }
      if (added) AddNamesToRef(main, Route(), {"new.s"});
      for (size_t job : order) {
        // Chosen by how many entries it took out.
        const std::string row = "Delete selected, " + std::to_string(kJobs[job].size()) + " entries";
        ui.choose_objects = [&row](core::ChoiceList& list) {
          for (size_t i = 0; i < list.size(); ++i)
            list.Select(i, list.Name(i).find(row) != std::string::npos);
          return true;
        };
        ClRestoreClick(main, routes);
        Lines expected;
        for (const std::string& name : kAll) {
          const Lines names = FileNames();
          if (std::find(names.begin(), names.end(), name) != names.end()) expected.push_back(name);
        }
        if (added) expected.push_back("new.s");
        EXPECT_EQ(FileNames(), expected);
      }
      if (!added) {
        EXPECT_EQ(files.Content(kRoute + "R.ref"), ref);
      }
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

// What restore cannot trust stays where it is: a place taken since, a
// journal that cannot be read; and a job whose journal cannot be written
// changes nothing.
TEST_F(RestoreTest, WhatRestoreCannotTrustStaysWhereItIs) {
  Choose("Static ( FileName ( a.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", test_support::UnicodeFile(ShapeText({"t.ace", "u.ace"})));
  files.Add(kRoute + "TEXTURES\\t.ace", "t");
  files.Add(kRoute + "TEXTURES\\u.ace", "u");
  routes.ClShapesSelected = {true};
  routes.ClShapesFocused = 0;
  ui.answers = {true, true};
  ClDeleteClick(main, routes);
  files.Add(kRoute + "TEXTURES\\t.ace", "t made since");
  main.log.Clear();
  ui.choose_objects = ChooseFirst;
  ClRestoreClick(main, routes);
  EXPECT_EQ(Logged(),
            (Lines{"TEXTURES\\u.ace: put back",
                   "TEXTURES\\t.ace: its place is taken, so it stays in the backup folder as "
                   "Rastolin_backups\\TEXTURES\\t.ace",
                   "SHAPES\\a.s: put back", "Restored: 1 entries, 2 files"}));
  EXPECT_EQ(files.Content(kRoute + "TEXTURES\\t.ace"), "t made since");
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\t.ace"), "t");

  files.DeleteFile(kJournal);
  files.AddFolder(kJournal);
  EXPECT_THAT([&] { ClRestoreClick(main, routes); },
              ThrowsMessage<core::Error>(kJournal + " cannot be read, so nothing is restored"));
  const std::string ref = files.Content(kRoute + "R.ref");
  routes.ClShapesSelected = {true};
  ui.answers = {true, true};
  EXPECT_THAT([&] { ClDeleteClick(main, routes); },
              ThrowsMessage<core::Error>(kJournal +
                                         " cannot be written, so nothing is removed or moved: the "
                                         "job could not be undone"));
  EXPECT_EQ(files.Content(kRoute + "R.ref"), ref);
  EXPECT_TRUE(files.FileExists(kRoute + "SHAPES\\a.s"));
}

// A restore moves only a backup of a shape or texture back to its place in
// SHAPES or TEXTURES: a line changed since it was written is left out, and
// so is, in a journal written before check values, a move of another file.
TEST_F(RestoreTest, OnlyABackupGoesBackToItsPlaceAndALineChangedSinceIsLeftOut) {
  Choose("Static ( FileName ( a.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", "a");
  routes.ClShapesSelected = {true};
  ui.answers = {true, false};
  ClDeleteClick(main, routes);
  std::string journal = files.Content(kJournal);
  journal[journal.find("\tSHAPES\\\\a.s") + 9] = 'q';
  journal += "\nold\tjob\t2020-01-01 10:00:00\tdelentry\n";
  for (const std::string move :
       {"SHAPES\\\\x.s\tR.ref", "SHAPES\\\\y.s\tR.trk", "SHAPES\\\\w.s\tWORLD\\\\w.w",
        "SHAPES\\\\j.s\tRastolin_backups\\\\journal.txt",
        "TEXVURES\\\\t.ace\tRastolin_backups\\\\TEXTURES\\\\t.ace",
        "SHAPES\\\\..\\\\R.ref\tRastolin_backups\\\\SHAPES\\\\R.ref",
        "SHAPES\\\\Oak.s\tRastolin_backups\\\\SHAPES\\\\Oak_2.s"}) {
    journal += "old\tmove\t" + move + "\nold\tdone\n";
  }
  files.Add(kJournal, journal + "old\tcomplete\n");
  for (const char* file : {"R.trk", "WORLD\\w.w", "Rastolin_backups\\TEXTURES\\t.ace",
                           "Rastolin_backups\\SHAPES\\R.ref", "Rastolin_backups\\SHAPES\\Oak_2.s"}) {
    files.Add(kRoute + file, file);
  }
  main.log.Clear();
  ui.choose_objects = ChooseAll;
  ClRestoreClick(main, routes);
  const std::string outside = ": the name leads out of the route, nothing is moved";
  EXPECT_EQ(Logged(),
            (Lines{"1 lines of " + kJournal + " could not be read and are left out",
                   "1 lines of " + kJournal +
                       " do not fit their check value (they were changed after they were written) "
                       "and are left out",
                   "1 files in " + kBackup +
                       " belong to no recorded job (backups made before the journal) and are not "
                       "offered",
                   "SHAPES\\Oak.s: put back", "SHAPES\\..\\R.ref" + outside,
                   "TEXVURES\\t.ace" + outside, "SHAPES\\j.s" + outside, "SHAPES\\w.s" + outside,
                   "SHAPES\\y.s" + outside, "SHAPES\\x.s" + outside,
                   "Restored: 1 entries, 1 files"}));
  EXPECT_EQ(files.Content(kRoute + "SHAPES\\Oak.s"), "Rastolin_backups\\SHAPES\\Oak_2.s");
  EXPECT_EQ(files.Content(kBackup + "SHAPES\\a.s"), "a");
  EXPECT_EQ(files.Content(kRoute + "R.trk"), "R.trk");
  EXPECT_EQ(files.Content(kRoute + "WORLD\\w.w"), "WORLD\\w.w");
  EXPECT_TRUE(files.FileExists(kRoute + "R.ref"));
}

}  // namespace
}  // namespace ops
