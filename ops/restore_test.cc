#include "ops/restore.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "ops/clearing.h"
#include "ops/ops_fixture.h"
#include "ops/unused.h"

namespace ops {
namespace {

using ::testing::EndsWith;
using ::testing::ThrowsMessage;

const std::string kRefHeader = "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n";
const std::string kJournal = kBackup + "journal.txt";

bool ChooseFirst(core::ChoiceList& list) {
  list.Select(0, true);
  return true;
}

// One run of the program on a copy of a disk, the clearing page on route R.
struct Program {
  explicit Program(const test_support::MemoryFileSystem& disk) : files(disk) {
    files.CrashAfter(-1);
    main.language.SetTexts(core::kEnglish);
    main.fields.MSTSRoot = "C:\\MSTS";
    ui.answers = {true, true};
    ui.choose_objects = ChooseFirst;
    routes.AddRoute = routes.ClRoute = {"R"};
    AddRouteChange(main, routes, 0);
  }
  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RouteState routes;
};

// "Delete selected" of two shapes with their files killed after each
// change it makes in turn, and its restore likewise: every file lies in its
// place or in the backups, the .ref is old or new, and the next restore
// puts back everything.
TEST(RestoreKillTest, AJobOrARestoreKilledAfterAnyChangeIsCompletedByTheNextRestore) {
  test_support::MemoryFileSystem disk;
  disk.Add(kRoute + "R.ref", test_support::UnicodeFile(kRefHeader +
                                                       "Static ( FileName ( a.s ) )\r\n"
                                                       "Static ( FileName ( b.s ) )\r\n"
                                                       "Static ( FileName ( c.s ) )\r\n"));
  const Lines kFiles = {"SHAPES\\a.s", "SHAPES\\a.sd", "SHAPES\\c.s", "SHAPES\\c.sd",
                        "TEXTURES\\t.ace", "TEXTURES\\SNOW\\t.ace"};
  for (const std::string& file : kFiles) disk.Add(kRoute + file, file);
  disk.Add(kRoute + "SHAPES\\a.s", test_support::UnicodeFile(ShapeText({"t.ace"})));
  disk.Add(kRoute + "SHAPES\\a.thm", "");
  const auto original = [&](const test_support::MemoryFileSystem& files) {
    for (const std::string& file : kFiles)
      EXPECT_EQ(files.Content(kRoute + file), disk.Content(kRoute + file)) << file;
    EXPECT_EQ(files.Content(kRoute + "R.ref"), disk.Content(kRoute + "R.ref"));
  };
  // The job, killed after that many changes; -1 lets it end.
  const auto job = [&](int changes) {
    Program program(disk);
    program.routes.ClShapesSelected = {true, false, true};
    program.routes.ClShapesFocused = 0;
    program.files.CrashAfter(changes);
    try {
      ClDeleteClick(program.main, program.routes);
    } catch (const test_support::Killed&) {
      return std::optional(program.files);
    }
    return changes < 0 ? std::optional(program.files) : std::nullopt;
  };
  const std::string cleared_ref = job(-1)->Content(kRoute + "R.ref");
  const auto nothing_lost = [&](const test_support::MemoryFileSystem& files) {
    for (const std::string& file : kFiles) {
      const std::string& bytes = disk.Content(kRoute + file);
      EXPECT_NE(files.Content(kRoute + file) == bytes, files.Content(kBackup + file) == bytes)
          << file;
    }
    const std::string ref = files.Content(kRoute + "R.ref");
    EXPECT_TRUE(ref == disk.Content(kRoute + "R.ref") || ref == cleared_ref);
  };
  // Restores, each killed after one change more, until one ends: each
  // killed one is completed by the next.
  const auto restore_killed = [&](const test_support::MemoryFileSystem& after_job) {
    for (int changes = 0;; ++changes) {
      SCOPED_TRACE("restore killed after " + std::to_string(changes));
      Program restore(after_job);
      restore.files.CrashAfter(changes);
      try {
        ClRestoreClick(restore.main, restore.routes);
        return original(restore.files);
      } catch (const test_support::Killed&) {
      }
      nothing_lost(restore.files);
      Program again(restore.files);
      ClRestoreClick(again.main, again.routes);
      original(again.files);
    }
  };
  int changes = 0;
  for (; std::optional<test_support::MemoryFileSystem> killed = job(changes); ++changes) {
    SCOPED_TRACE("job killed after " + std::to_string(changes));
    nothing_lost(*killed);
    Program restore(*killed);
    ClRestoreClick(restore.main, restore.routes);
    original(restore.files);
  }
  EXPECT_GT(changes, 20);
  restore_killed(*job(-1));
  restore_killed(*job(changes / 2));
}

using RestoreTest = ClearingFixture;

TEST_F(RestoreTest, EntriesGoBackAmongThoseThereNowAndARestoredJobIsNotOfferedAgain) {
  Choose("Static ( FileName ( a.s ) )\r\nStatic ( FileName ( b.s ) )\r\n"
         "Static ( FileName ( c.s ) )\r\nStatic ( FileName ( d.s ) )\r\n"
         "Static ( FileName ( A.S ) )\r\n");
  routes.ClShapesSelected = {false, true, false, true, false};
  routes.ClShapesFocused = 0;
  ClDeleteClick(main, routes);
  // The adding page's entries are no clearing job.
  AddNamesToRef(main, Route(), {"new.s"});
  ClDuplicatesClick(main, routes);
  std::vector<Lines> offered;
  ui.choose_objects = [&offered](core::ChoiceList& list) {
    offered.emplace_back();
    for (size_t row = 0; row < list.size(); ++row) offered.back().push_back(list.Name(row));
    list.Select(1, true);
    return offered.size() == 1;
  };
  ClRestoreClick(main, routes);
  EXPECT_EQ(FileNames(), (Lines{"a.s", "b.s", "c.s", "d.s", "new.s"}));
  EXPECT_TRUE(files.FileExists(kBackup + "R3.ref"));
  ClRestoreClick(main, routes);
  ASSERT_EQ(offered.size(), 2u);
  ASSERT_EQ(offered[0].size(), 2u);
  EXPECT_THAT(offered[0][0], EndsWith(", Delete duplicates, 1 entries, 0 files"));
  EXPECT_THAT(offered[0][1], EndsWith(", Delete selected, 2 entries, 0 files"));
  ASSERT_EQ(offered[1].size(), 2u);
  EXPECT_THAT(offered[1][0], EndsWith(", Restore, 2 entries, 0 files"));
  EXPECT_EQ(offered[1][1], offered[0][0]);
}

TEST_F(RestoreTest, AFileWhosePlaceIsTakenOrThatTheJournalPutsOutsideTheRouteStaysInTheBackups) {
  Choose("Static ( FileName ( a.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", test_support::UnicodeFile(ShapeText({"t.ace", "u.ace"})));
  files.Add(kRoute + "TEXTURES\\t.ace", "t");
  files.Add(kRoute + "TEXTURES\\u.ace", "u");
  routes.ClShapesSelected = {true};
  routes.ClShapesFocused = 0;
  ui.answers = {true, true};
  ClDeleteClick(main, routes);
  files.Add(kRoute + "TEXTURES\\t.ace", "t made since");
  std::string journal = files.Content(kJournal);
  const std::string edited = "\tTEXTURES\\\\u.ace\t";
  journal.replace(journal.find(edited), edited.size(), "\t..\\\\..\\\\u.ace\t");
  files.Add(kJournal, journal);
  main.log.Clear();
  ui.choose_objects = ChooseFirst;
  ClRestoreClick(main, routes);
  EXPECT_EQ(Logged(), (Lines{"..\\..\\u.ace: the name leads out of the route, nothing is moved",
                             "TEXTURES\\t.ace: its place is taken, so it stays in the backup "
                             "folder as Rastolin_backups\\TEXTURES\\t.ace",
                             "SHAPES\\a.s: put back", "Restored: 1 entries, 1 files"}));
  EXPECT_EQ(files.Content(kRoute + "TEXTURES\\t.ace"), "t made since");
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\t.ace"), "t");
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\u.ace"), "u");
  EXPECT_EQ(FileNames(), Lines{"a.s"});
}

// A journal that cannot be read or written stops the job before anything
// changes; backups that no record names are counted, not offered.
TEST_F(RestoreTest, WithoutAJournalToTrustNothingMoves) {
  Choose("Static ( FileName ( a.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", "a");
  files.Add(kBackup + "SHAPES\\old.s", "before the journal");
  files.Add(kBackup + "R1.ref", "a copy");
  const std::string ref = files.Content(kRoute + "R.ref");
  routes.ClShapesSelected = {true};
  routes.ClShapesFocused = 0;
  ui.answers = {true, true};
  files.FailWritesTo(kJournal);
  const auto refused = ThrowsMessage<core::Error>(
      kJournal + " cannot be written, so nothing is removed or moved: the job could not be undone");
  EXPECT_THAT([&] { ClDeleteClick(main, routes); }, refused);
  EXPECT_EQ(files.Content(kRoute + "SHAPES\\a.s"), "a");
  EXPECT_EQ(files.Content(kRoute + "R.ref"), ref);

  ClRestoreClick(main, routes);
  EXPECT_EQ(Logged(), (Lines{"1 files in " + kBackup +
                                 " belong to no recorded job (backups made before the journal) "
                                 "and are not offered",
                             "No clearing job of this route is recorded, so there is nothing to "
                             "restore"}));
  files.AddFolder(kJournal);
  EXPECT_THAT([&] { ClRestoreClick(main, routes); },
              ThrowsMessage<core::Error>(kJournal + " cannot be read, so nothing is restored"));
  EXPECT_EQ(files.Content(kBackup + "SHAPES\\old.s"), "before the journal");
}

}  // namespace
}  // namespace ops
