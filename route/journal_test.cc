#include "route/journal.h"

#include <gmock/gmock.h>

#include "route/route_fixture.h"

namespace route {
namespace {

const std::string kJournal = "C:\\MSTS\\ROUTES\\R\\Rastolin_backups\\journal.txt";

using JournalTest = RouteFixture;

TEST_F(JournalTest, WhatARecordTellsIsReadBackWhateverItsValuesHold) {
  files.Add("C:\\MSTS\\ROUTES\\R\\R.ref", "");
  files.AddFolder("C:\\MSTS\\ROUTES\\R\\Rastolin_backups");
  Route route = Open();
  const std::vector<RemovedEntry> entries = {
      {2, "Static (\r\n\tFileName ( a\\b.s )\r\n)\r\n", 7}, {5, "Static ( x ) \\t\\\\", 0}};
  {
    JobRecord record(route, "del\tentry");
    record.Entries(false, entries);
    record.Moving("SHAPES\\tab\there.s", "Rastolin_backups\\SHAPES\\tab\there.s");
    record.Moved(true);
    record.WritingRef(Fingerprint::Of("new"));
    record.Applied();
    record.Complete();
  }
  {
    JobRecord cut_short(route, "restore");
    cut_short.Restores({"x", "y"});
    cut_short.Entries(true, {entries[1]});
    cut_short.WritingRef(Fingerprint::Of("other"));
  }
  Journal journal = ReadJournal(files.Content(kJournal));
  ASSERT_EQ(journal.records.size(), 2u);
  EXPECT_EQ(journal.unread_lines, 0);
  const JournalRecord& job = journal.records[0];
  EXPECT_EQ(job.job, "del\tentry");
  ASSERT_EQ(job.batches.size(), 1u);
  EXPECT_TRUE(job.batches[0].applied);
  ASSERT_EQ(job.batches[0].entries.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(job.batches[0].entries[i].number, entries[i].number);
    EXPECT_EQ(job.batches[0].entries[i].offset, entries[i].offset);
    EXPECT_EQ(job.batches[0].entries[i].text, entries[i].text);
  }
  ASSERT_EQ(job.moves.size(), 1u);
  EXPECT_EQ(job.moves[0].to, "Rastolin_backups\\SHAPES\\tab\there.s");
  EXPECT_EQ(job.moves[0].outcome, JournalMove::Outcome::kDone);
  EXPECT_TRUE(job.complete);
  const JournalRecord& restore = journal.records[1];
  EXPECT_EQ(restore.restores, (std::vector<std::string>{"x", "y"}));
  EXPECT_FALSE(restore.complete);
  // Its write may or may not have happened: the .ref tells.
  EXPECT_FALSE(restore.batches[0].applied);
  ConfirmWrites(journal, Fingerprint::Of("something else"));
  EXPECT_FALSE(journal.records[1].batches[0].applied);
  ConfirmWrites(journal, Fingerprint::Of("other"));
  EXPECT_TRUE(journal.records[1].batches[0].applied);
}

// As a crash, another program writing at once, or a hand leave it.
TEST_F(JournalTest, LinesOfRecordsMixedCutShortOrMendedByHandAreReadAsFarAsTheyHold) {
  const Journal journal = ReadJournal(
      "\na\tjob\tt1\tdelunused\n"
      "\nb\tjob\tt2\tdeldup\n"
      "a\tmove\tSHAPES\\\\x.s\tRastolin_backups\\\\SHAPES\\\\x.s\n"
      "b\tremoved\t0\t3\t0\tStatic ( )\n"
      "a\tfailed\n"
      "a\tdone\n"
      "c\tmove\tSHAPES\\\\y.s\tz\n"
      "a\tmove\tbad\\escape\tz\n"
      "a\tcomplete\tnow\n"
      "b\tremoved\t0\tthree\t0\tStatic ( )\n"
      "a\tmove\tSHAPES\\\\z.s\tRastolin_backups\\\\SHAPES\\\\z.s\n"
      "a\tdone\r\n"
      "b\tref\t10\t99\n"
      "b\tcomple");
  ASSERT_EQ(journal.records.size(), 2u);
  EXPECT_EQ(journal.unread_lines, 5);
  const JournalRecord& a = journal.records[0];
  ASSERT_EQ(a.moves.size(), 2u);
  EXPECT_EQ(a.moves[0].outcome, JournalMove::Outcome::kFailed);
  EXPECT_EQ(a.moves[1].from, "SHAPES\\z.s");
  EXPECT_EQ(a.moves[1].outcome, JournalMove::Outcome::kDone);
  EXPECT_FALSE(a.complete);
  const JournalRecord& b = journal.records[1];
  ASSERT_EQ(b.batches.size(), 1u);
  EXPECT_EQ(b.batches[0].entries.size(), 1u);
  EXPECT_EQ(b.unconfirmed, (Fingerprint{10, 99}));
  EXPECT_FALSE(b.complete);
}

}  // namespace
}  // namespace route
