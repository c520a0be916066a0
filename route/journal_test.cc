#include "route/journal.h"

#include <gmock/gmock.h>

namespace route {
namespace {

// As a crash, another program writing at once, or a hand leave it.
TEST(JournalTest, LinesOfRecordsMixedCutShortOrMendedByHandAreReadAsFarAsTheyHold) {
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
  ASSERT_EQ(journal.writes.size(), 1u);
  EXPECT_EQ(journal.writes[0].after, (Fingerprint{10, 99}));
  EXPECT_EQ(journal.writes[0].state, JournalWrite::State::kUnsettled);
  EXPECT_FALSE(b.complete);
}

}  // namespace
}  // namespace route
