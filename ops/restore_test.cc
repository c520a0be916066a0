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

const std::string kJournal = kBackup + "journal.txt";

bool ChooseFirst(core::ChoiceList& list) {
  list.Select(0, true);
  return true;
}

// One run of the program on a copy of a disk: "Delete selected" on rows 1
// and 3 of route R with their files, or restore of the newest job.
struct Program {
  explicit Program(const test_support::MemoryFileSystem& disk, int killed_after = -1)
      : files(disk) {
    main.language.SetTexts(core::kEnglish);
    main.fields.MSTSRoot = "C:\\MSTS";
    ui.answers = {true, true};
    ui.choose_objects = ChooseFirst;
    routes.AddRoute = routes.ClRoute = {"R"};
    AddRouteChange(main, routes, 0);
    routes.ClShapesSelected = {true, false, true};
    routes.ClShapesFocused = 0;
    files.CrashAfter(killed_after);
  }
  // False when it was killed.
  bool Run(void (*button)(core::ConvMain&, RouteState&)) {
    try {
      button(main, routes);
      return true;
    } catch (const test_support::Killed&) {
      return false;
    }
  }
  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RouteState routes;
};

// The job, then its restore, each killed after every change it makes in
// turn: every file lies in its place or in the backups, the .ref is old or
// new, and the next restore puts back everything.
TEST(RestoreKillTest, AJobOrARestoreKilledAfterAnyChangeIsCompletedByTheNextRestore) {
  test_support::MemoryFileSystem disk;
  disk.Add(kRoute + "R.ref", test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
                                                       "Static ( FileName ( a.s ) )\r\n"
                                                       "Static ( FileName ( b.s ) )\r\n"
                                                       "Static ( FileName ( c.s ) )\r\n"));
  const Lines kFiles = {"SHAPES\\a.s",  "SHAPES\\a.sd",    "SHAPES\\c.s",
                        "SHAPES\\c.sd", "TEXTURES\\t.ace", "TEXTURES\\SNOW\\t.ace"};
  for (const std::string& file : kFiles) disk.Add(kRoute + file, file);
  disk.Add(kRoute + "SHAPES\\a.s", test_support::UnicodeFile(ShapeText({"t.ace"})));
  disk.Add(kRoute + "SHAPES\\a.thm", "");
  Program cleared(disk);
  cleared.Run(ClDeleteClick);
  const auto nothing_lost = [&](const test_support::MemoryFileSystem& files) {
    for (const std::string& file : kFiles) {
      const std::string& bytes = disk.Content(kRoute + file);
      EXPECT_NE(files.Content(kRoute + file) == bytes, files.Content(kBackup + file) == bytes)
          << file;
    }
    const std::string ref = files.Content(kRoute + "R.ref");
    EXPECT_TRUE(ref == disk.Content(kRoute + "R.ref") ||
                ref == cleared.files.Content(kRoute + "R.ref"));
  };
  const auto original = [&](const test_support::MemoryFileSystem& files) {
    for (const std::string& file : kFiles)
      EXPECT_EQ(files.Content(kRoute + file), disk.Content(kRoute + file)) << file;
    EXPECT_EQ(files.Content(kRoute + "R.ref"), disk.Content(kRoute + "R.ref"));
  };
  // A restore killed after each change in turn, each completed by the next.
  const auto restore_killed = [&](const test_support::MemoryFileSystem& after_job) {
    for (int changes = 0;; ++changes) {
      SCOPED_TRACE("restore killed after " + std::to_string(changes));
      Program restore(after_job, changes);
      if (restore.Run(ClRestoreClick)) return original(restore.files);
      nothing_lost(restore.files);
      Program again(restore.files);
      again.Run(ClRestoreClick);
      original(again.files);
    }
  };
  int changes = 0;
  for (;; ++changes) {
    SCOPED_TRACE("job killed after " + std::to_string(changes));
    Program job(disk, changes);
    if (job.Run(ClDeleteClick)) break;
    nothing_lost(job.files);
    Program restore(job.files);
    restore.Run(ClRestoreClick);
    original(restore.files);
    if (changes == 12) restore_killed(job.files);
  }
  EXPECT_GT(changes, 20);
  restore_killed(cleared.files);
}

using RestoreTest = ClearingFixture;

TEST_F(RestoreTest, EntriesGoBackAmongThoseThereNowAndARestoredJobIsNotOfferedAgain) {
  Choose(
      "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( b.s ) )\r\n"
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
  EXPECT_EQ(offered[1], (Lines{offered[1][0], offered[0][0]}));
  EXPECT_THAT(offered[1][0], EndsWith(", Restore, 2 entries, 0 files"));
}

// What restore cannot trust stays where it is: a place taken since, backups
// no record names, a journal that cannot be read; and a job whose journal
// cannot be written changes nothing.
TEST_F(RestoreTest, WhatRestoreCannotTrustStaysWhereItIs) {
  Choose("Static ( FileName ( a.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", test_support::UnicodeFile(ShapeText({"t.ace", "u.ace"})));
  files.Add(kRoute + "TEXTURES\\t.ace", "t");
  files.Add(kRoute + "TEXTURES\\u.ace", "u");
  files.Add(kBackup + "SHAPES\\old.s", "before the journal");
  routes.ClShapesSelected = {true};
  routes.ClShapesFocused = 0;
  ui.answers = {true, true};
  ClDeleteClick(main, routes);
  files.Add(kRoute + "TEXTURES\\t.ace", "t made since");
  main.log.Clear();
  ui.choose_objects = ChooseFirst;
  ClRestoreClick(main, routes);
  EXPECT_EQ(Logged(),
            (Lines{"1 files in " + kBackup +
                       " belong to no recorded job (backups made before the journal) and are not "
                       "offered",
                   "TEXTURES\\u.ace: put back",
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

}  // namespace
}  // namespace ops
