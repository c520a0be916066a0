#include "ops/unused.h"

#include <gmock/gmock.h>

#include <algorithm>

#include "core/error.h"
#include "ops/clearing_fixture.h"
#include "platform/text.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace ops {
namespace {

using ::testing::ThrowsMessage;

class UnusedTest : public ClearingFixture {
 protected:
  UnusedTest() {
    files.Add(kRoute + "carspawn.dat",
              test_support::UnicodeFile(
                  "SIMISA@@@@@@@@@@JINX0c1t______\r\n\r\n2\r\n"
                  "CarSpawnerItem ( \"car blue.s\" 12 )\r\nCarSpawnerItem ( My Van.s 14 )\r\n"));
    files.Add(
        kRoute + "speedpost.dat",
        test_support::UnicodeFile(
            "SIMISA@@@@@@@@@@JINX0p0t______\r\n\r\n"
            "Speedpost_Set ( Name ( \"Metric\" ) Speed_Sign_Shape ( spd_sign.s 1 0 0 0 0 ) )\r\n"
            "Speedpost_Set ( Milepost_Shape ( milepost.s 1 0 0 0 0 ) )\r\n"));
    files.Add(kRoute + "WORLD\\a.w",
              test_support::UnicodeFile(
                  WorldText({"USED.S", "\"quoted house.s\"", "a_long_shape_name_PLACED.s"})));
  }

  std::vector<std::string> Search() {
    SimisReader reader(main, Route());
    return FindUnused(main, Route(), reader, *ui.ShowProgress());
  }
};

TEST_F(UnusedTest, StaticEntriesThatNothingNamesAreUnused) {
  Choose(
      "Static ( FileName ( used.s ) )\r\nStatic ( FileName ( Unused.s ) )\r\nStatic ( FileName ( "
      "unused.s ) )\r\n"
      "Transfer ( FileName ( t.s ) )\r\nStatic ( FileName ( TELEPOLE.S ) )\r\nStatic ( FileName ( "
      "car blue.s ) )\r\n"
      "Static ( FileName ( my van.s ) )\r\nStatic ( FileName ( spd_sign.s ) )\r\nStatic ( FileName "
      "( milepost.s ) )\r\n"
      "Static ( FileName ( quoted house.s ) )\r\nStatic ( FileName ( zipped.s ) )\r\nStatic ( "
      "FileName ( eight.s ) )\r\n"
      "Static ( FileName ( nomark.s ) )\r\nStatic ( FileName ( tokens.s ) )\r\nStatic ( Class ( "
      "none ) )\r\n"
      "Static ( FileName ( A_Long_Shape_Name_Placed.s ) )\r\nStatic ( FileName ( "
      "a_long_shape_name_placed_not.s ) )\r\n");
  files.Add(kRoute + "WORLD\\b.w", Compressed(test_support::UnicodeFile(WorldText({"zipped.s"}))));
  files.Add(kRoute + "WORLD\\c.w", WorldText({"eight.s"}));
  files.Add(kRoute + "WORLD\\d.w", platform::Utf8ToUtf16Le(WorldText({"nomark.s"})));
  files.Add(kRoute + "WORLD\\e.w", Compressed(kBinary));
  tool_text = WorldText({"tokens.s"});
  EXPECT_EQ(Search(), (Lines{"unused.s", "unused.s", "a_long_shape_name_placed_not.s"}));
  const Lines& shown = ui.progress[0];
  EXPECT_EQ(Lines(shown.begin(), shown.begin() + 7),
            (Lines{"p:5", "l:Search in a.w", "p:100", "step", "step", "step", "p:5"}));
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "step"), 7);
  EXPECT_EQ(Runs(), (Lines{kFfedit + "ffeditc_unicode.exe e.w /u /o:e.w | " + kFfedit}));
  EXPECT_FALSE(files.FileExists(kFfedit + "e.w"));

  // The lists are optional: without them their shapes are unused.
  files.DeleteFile(kRoute + "carspawn.dat");
  files.DeleteFile(kRoute + "speedpost.dat");
  EXPECT_EQ(Search(), (Lines{"unused.s", "unused.s", "car blue.s", "my van.s", "spd_sign.s",
                             "milepost.s", "a_long_shape_name_placed_not.s"}));
}

TEST_F(UnusedTest, AFileThatCannotBeReadStopsTheSearchAndNamesIt) {
  Choose("Static ( FileName ( x.s ) )\r\n");
  const std::string stops =
      " cannot be read as text; the search stops, as its shapes would count as unused";
  const std::pair<std::string, std::string> cases[] = {
      {"WORLD\\b.w", kBinary},  // the tool cannot convert it
      {"WORLD\\b.w", std::string("SIMISA@F\x10\0\0\0@@@@garbage", 23)},
      {"WORLD\\b.w", "not an MSTS file"},
      {"speedpost.dat", Compressed(kBinary)},
  };
  for (const auto& [name, bytes] : cases) {
    files.Add(kRoute + name, bytes);
    EXPECT_THAT([&] { ClUnusedClick(main, routes); },
                ThrowsMessage<core::Error>(kRoute + name + stops));
    files.DeleteFile(kRoute + name);
  }
  files.DeleteFile(kRoute + "WORLD\\a.w");
  EXPECT_THAT([&] { ClUnusedClick(main, routes); },
              ThrowsMessage<core::Error>(
                  kRoute + "WORLD\\ holds no world files; the search stops, as every shape "
                           "would count as unused"));
  ClDelUnnamedClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Objects: 0 rows, Add"}));
  EXPECT_FALSE(files.FolderExists(kBackup));
}

TEST_F(UnusedTest, DeleteUnusedMovesTheChosenShapesAndKeepsTheirEntries) {
  Choose(
      "Static ( FileName ( used.s ) )\r\nStatic ( FileName ( old.s ) )\r\nStatic ( FileName ( "
      "Gone.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\Old.s", test_support::UnicodeFile(ShapeText({"old.ace"})));
  files.Add(kRoute + "TEXTURES\\old.ace", "");
  ui.choose_objects = [](core::ChoiceList& list) { return false; };
  routes.ClShapes = {"stale"};
  ClUnusedClick(main, routes);
  EXPECT_EQ(routes.ClShapes.size(), 3u);
  EXPECT_FALSE(files.FolderExists(kBackup));

  ui.choose_objects = [](core::ChoiceList& list) {
    EXPECT_EQ(list.Name(0), "gone.s");
    list.ClAllClick();
    return true;
  };
  ui.answers = {true, false};
  ClUnusedClick(main, routes);
  EXPECT_EQ(ui.progress[1][0], "r:500");
  EXPECT_EQ(ui.shown, (Lines{"Objects: 2 rows", "Objects: 2 rows", "Ask: Delete shape files?",
                             "Ask: Delete textures, used in shapes?"}));
  EXPECT_EQ(Logged(), (Lines{kRoute + "SHAPES\\gone.s: shape not found",
                             kRoute + "SHAPES\\old.s: shape deleted"}));
  EXPECT_TRUE(files.FileExists(kRoute + "TEXTURES\\old.ace"));
  EXPECT_TRUE(files.FileExists(kBackup + "R1.ref"));
  // Found as old.s, the shape keeps its own name in the backup.
  EXPECT_EQ(files.Find(kBackup + "SHAPES\\*", platform::kAnyAttributes).back().name, "Old.s");
  EXPECT_EQ(FileNames(), (Lines{"used.s", "old.s", "Gone.s"}));
  EXPECT_EQ(files.Content(kRoute + "R.ref"),
            route::UnicodeFileBytes(route::RefText(Route().Entries)));
}

TEST_F(UnusedTest, ShapeFilesWithoutAnEntryAreAddedOrTakenOut) {
  Choose("Static ( FileName ( A.S ) )\r\n");
  for (const char* name : {"MyShape.s", "a.s", "SPD_SIGN.s", "other.s", "other.sd", "yard.s"}) {
    files.Add(kRoute + "SHAPES\\" + name, name);
  }
  std::string after_add;
  ui.choose_objects = [&](core::ChoiceList& list) {
    EXPECT_EQ(list.size(), 2u);
    list.Select(0, true);
    list.ClAddToRefClick();
    after_add = files.Content(kRoute + "R.ref");
    list.Select(0, true);
    return true;
  };
  ui.answers = {true, false};
  ClDelUnnamedClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Objects: 2 rows, Add", "Ask: Delete shape files?",
                             "Ask: Delete textures, used in shapes?"}));
  EXPECT_EQ(ui.progress[0], (Lines{"r:1", "l:other.s", "step"}));
  EXPECT_EQ(Logged(), (Lines{kRoute + "SHAPES\\other.s: shape deleted"}));
  EXPECT_TRUE(files.FileExists(kBackup + "R1.ref"));
  ASSERT_EQ(Route().EntryCount(), 2);
  EXPECT_EQ(Route().Entries[1].ToRefText(),
            "Static (\r\n\tFileName ( MyShape.s )\r\n\tDescription ( MyShape.s )\r\n\tClass ( "
            "Rastolin )\r\n)\r\n");
  EXPECT_EQ(files.Content(kRoute + "R.ref"), after_add);
  EXPECT_EQ(routes.ClShapes.size(), 1u);  // shown at the next refresh
}

}  // namespace
}  // namespace ops
