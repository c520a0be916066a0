// Damaged .ref files, made from valid ones with a fixed seed: each one is
// either refused and left on disk as it was, or read and written back as it
// was read; an entry taken out leaves the rest of the text as it stood and
// goes back to its place, and an added entry follows all the text. The
// program's own layout of what was read reads back to the same entries and
// writes again byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "core/error.h"
#include "core/strings.h"
#include "platform/text.h"
#include "route/ref_file.h"
#include "tests/support/route_fixture.h"
#include "route/text_file.h"

namespace route {
namespace {

using namespace std::string_literals;

const std::string kBody =
    "Static (\r\n\tClass ( \"Жилые дома\" )\r\n\tFileName ( дом.s )\r\n"
    "\tDescription ( \"Shed (old, say)\" )\r\n\tShadow ( NONE )\r\n)\r\n"
    "include ( \"other.ref\" )\r\n-- section 2 --\r\n"
    "Hazard (\r\n\tFileName ( deer.haz )\r\n\tDescription ( -1 )\r\n)\r\n"
    "Pickup (\n  FileName ( water.s )\n  PickupType ( 1 )\n  Nested ( A ( 1 ) \"b)\" )\n)\n"
    "_skip ( Static ( FileName ( old.s ) ) )\r\n"
    "LevelCr ( junk FileName ( lc.s ) tail ) Static ( D ( \"Pipe 12\\\"\" +\r\n \" x\" ) )\r\n"
    "Transfer ( FileName ( \"a b\" ) Width ( 2 ) Height ( ) )\r\n"
    "Comment ( made by hand )\r\n";

// Unicode with and without its mark, UTF-8, Windows-1251.
std::vector<std::string> Seeds() {
  const std::string text = "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n" + kBody;
  const std::string cp1251 =
      "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\nStatic ( Class ( \"\xC4\xF3\xE1 \xE1\xEE\xEB\xFC\xF8\xEE\xE9\" )"
      " FileName ( \xE4\xF3\xE1.s ) Description ( \"(\xF1\xF2\xE0\xF0\xFB\xE9)\" ) )\r\n";
  return {test_support::UnicodeFile(text), platform::Utf8ToUtf16Le(text), text, cp1251,
          // Lone surrogates, and a pair that only its quote keeps apart.
          test_support::UnicodeFile(text) + "S\0(\0\x00\xD8 \0D\0(\0\"\0\x3D\xD8\"\0\x82\xDE)\0)\0"s};
}

// One to four damages of the kinds real files suffer and attacks use.
std::string Mutate(std::string bytes, std::mt19937& random) {
  const bool wide = bytes.size() > 1 && (bytes[1] == '\0' || bytes.starts_with("\xFF\xFE"));
  auto at = [&] {
    size_t pos = random() % (bytes.size() + 1);
    return wide ? pos & ~size_t{1} : pos;
  };
  auto insert = [&](std::string_view ascii) {
    std::string piece;
    for (char c : ascii) {
      piece += c;
      if (wide) piece += '\0';
    }
    bytes.insert(at(), piece);
  };
  for (int edits = 1 + random() % 4; edits > 0 && !bytes.empty(); --edits) {
    switch (random() % 8) {
      case 0: bytes[random() % bytes.size()] ^= static_cast<char>(1 << random() % 8); break;
      case 1: bytes.insert(at(), 1, static_cast<char>(random())); break;
      case 2: bytes.erase(random() % bytes.size(), 1 + random() % 8); break;
      case 3: bytes.resize(random() % bytes.size()); break;
      case 4: insert("\""); break;
      case 5: insert(random() % 2 ? "(" : ")"); break;
      case 6: insert(random() % 2 ? "\r\n" : " \"x ( "); break;
      case 7:
        bytes.insert(at(), wide ? (random() % 2 ? "\x00\xD8"s : "\x00\xDC"s) : "\xED\xA0\x80"s);
        break;
    }
  }
  return bytes;
}

// Whether `whole` is `part` with `piece` put in at some place.
bool HoldsWith(std::string_view whole, std::string_view part, std::string_view piece) {
  if (whole.size() != part.size() + piece.size()) return false;
  for (size_t at = 0; at <= part.size(); ++at) {
    if (whole.substr(at, piece.size()) == piece && whole.substr(at + piece.size()) == part.substr(at))
      return true;
    if (at < part.size() && whole[at] != part[at]) return false;
  }
  return false;
}

using RefFuzzTest = RouteFixture;

TEST_F(RefFuzzTest, DamagedFilesAreRefusedUntouchedOrComeBackAsTheyWereRead) {
  const std::string path = "C:\\MSTS\\ROUTES\\R\\R.ref";
  std::mt19937 random(20240611);
  int refused = 0, read = 0;
  for (const std::string& seed : Seeds()) {
    for (int round = 0; round < 400 && !HasFailure(); ++round) {
      const std::string bytes = Mutate(seed, random);
      SCOPED_TRACE(::testing::PrintToString(bytes));
      files.Add(path, bytes);
      Route route = Open();
      try {
        route.ReadRef();
      } catch (const core::Error&) {
        ++refused;
        EXPECT_THROW(route.WriteRef(), core::Error);
        EXPECT_EQ(files.Content(path), bytes);
        continue;
      }
      ++read;
      std::string text = ReadTextFile(files, path).text;
      // A file holding nothing but blanks comes back as a new one.
      if (core::Trim(text).empty()) text = std::string(kSimisHeader) + "\r\n\r\n";
      const std::string as_read = UnicodeFileBytes(text);
      route.WriteRef();
      EXPECT_EQ(files.Content(path), as_read);

      const std::string own = RefText(route.Entries);
      const std::vector<Shape> own_entries = ParseRef(own).entries;
      EXPECT_EQ(own_entries, route.Entries);
      EXPECT_EQ(RefText(own_entries), own);

      if (!route.Entries.empty()) {
        std::vector<bool> marked(route.Entries.size());
        const size_t k = random() % marked.size();
        marked[k] = true;
        const std::vector<RemovedEntry> removed = route.RemoveEntries(marked);
        route.WriteRef();
        ASSERT_EQ(removed.size(), 1u);
        EXPECT_TRUE(
            HoldsWith(as_read, files.Content(path), platform::Utf8ToUtf16Le(removed[0].text)));
        EXPECT_EQ(route.InsertEntries(removed), 1u);
        route.WriteRef();
        EXPECT_EQ(files.Content(path), as_read);
      }

      Shape added;
      added.AddProp("FileName", "new one.s");
      route.AddEntry(added);
      route.WriteRef();
      const std::string entry = platform::Utf8ToUtf16Le(added.ToRefText());
      const std::string written = files.Content(path);
      // A line break goes before it where the text does not end a line.
      const bool own_line = written.size() == as_read.size() + entry.size();
      EXPECT_EQ(written, as_read + (own_line ? "" : "\r\0\n\0"s) + entry);
      EXPECT_TRUE(own_line || !as_read.ends_with("\n\0"s));
      Route again = Open();
      again.ReadRef();
      EXPECT_EQ(again.Entries, route.Entries);
    }
  }
  // Both outcomes are common, so neither side goes untested.
  EXPECT_GT(refused, 300);
  EXPECT_GT(read, 300);
}

}  // namespace
}  // namespace route
