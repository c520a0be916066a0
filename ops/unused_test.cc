#include "ops/unused.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

using ::testing::ThrowsMessage;

class UnusedTest : public ClearingFixture {
 protected:
  UnusedTest() {
    files.Add(kRoute + "carspawn.dat",
              MstsFile("c1", "2\r\nCarSpawnerItem ( \"car blue.s\" 12 )\r\n"
                             "CarSpawnerItem ( My Van.s 14 )\r\n"));
    files.Add(kRoute + "speedpost.dat",
              MstsFile("p0", "Speedpost_Set ( Name ( \"Metric\" ) "
                             "Speed_Sign_Shape ( spd_sign.s 1 0 0 0 0 ) )\r\n"
                             "Speedpost_Set ( Milepost_Shape ( milepost.s 1 0 0 0 0 ) )\r\n"));
    files.Add(kRoute + "WORLD\\a.w", test_support::UnicodeFile(WorldText(
        {"USED.S", "\"quoted house.s\"", "a_long_shape_name_PLACED.s", "STATION_ВОКЗАЛ.S"})));
  }

  std::vector<std::string> Search() {
    SimisReader reader(main, Route());
    return FindUnused(main, Route(), reader, *ui.ShowProgress());
  }
};

TEST_F(UnusedTest, StaticEntriesThatNothingNamesAreUnused) {
  std::string entries;
  for (const char* name :
       {"used.s", "Unused.s", "unused.s", "TELEPOLE.S", "car blue.s", "my van.s", "spd_sign.s",
        "milepost.s", "quoted house.s", "zipped.s", "tokens.s", "A_Long_Shape_Name_Placed.s",
        "a_long_shape_name_placed_not.s", "Station_Вокзал.s"}) {
    entries += "Static ( FileName ( " + std::string(name) + " ) )\r\n";
  }
  Choose(entries + "Transfer ( FileName ( t.s ) )\r\nStatic ( Class ( none ) )\r\n");
  files.Add(kRoute + "WORLD\\b.w", Compressed(test_support::UnicodeFile(WorldText({"zipped.s"}))));
  files.Add(kRoute + "WORLD\\e.w", Compressed(kBinary));
  tool_text = WorldText({"tokens.s"});
  EXPECT_EQ(Search(), (Lines{"unused.s", "unused.s", "a_long_shape_name_placed_not.s"}));
  EXPECT_EQ(Lines(ui.progress[0].begin(), ui.progress[0].begin() + 3),
            (Lines{"p:5", "i:1/3", "l:Search in a.w"}));
  EXPECT_EQ(Runs(),
            (Lines{"\"" + kFfedit + "ffeditc_unicode.exe\" \"e.w\" /u /o:\"e.w\" | " + kFfedit}));
  ClUnusedClick(main, routes);  // the list cancelled: the route is left alone
  EXPECT_FALSE(files.FolderExists(kBackup));

  // The lists are optional: without them their shapes are unused.
  files.DeleteFile(kRoute + "carspawn.dat");
  files.DeleteFile(kRoute + "speedpost.dat");
  EXPECT_EQ(Search(), (Lines{"unused.s", "unused.s", "car blue.s", "my van.s", "spd_sign.s",
                             "milepost.s", "a_long_shape_name_placed_not.s"}));
}

TEST_F(UnusedTest, AFileThatCannotBeReadStopsTheSearchAndNamesIt) {
  Choose("Static ( FileName ( x.s ) )\r\n");
  const std::string stops = "; the search stops, as ";
  const std::string unused = stops + "its shapes would count as unused";
  const std::string not_by_tool = ", and the editor tool did not turn it into text)";
  const std::string cut = " cannot be read (a block runs past the block or file holding it";
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"WORLD\\b.w", kBinary, cut + not_by_tool + unused},  // the tool cannot convert it
      {"speedpost.dat", Compressed(kBinary), cut + not_by_tool + unused},
      // Cut short: the names after the cut are lost.
      {"WORLD\\b.w", test_support::UnicodeFile(WorldText({"x.s"})).substr(0, 120),
       " ends inside a block (it was cut short)" + stops +
           "the shapes after the cut would count as unused"},
      {"WORLD\\b|d.w", test_support::UnicodeFile(WorldText({"x.s"})),
       " is not a file name Windows can hold" + unused},
  };
  for (const auto& [name, bytes, message] : cases) {
    files.Add(kRoute + name, bytes);
    EXPECT_THAT([&] { ClUnusedClick(main, routes); },
                ThrowsMessage<core::Error>(kRoute + name + message));
    files.DeleteFile(kRoute + name);
  }
  files.DeleteFile(kRoute + "WORLD\\a.w");
  EXPECT_THAT([&] { ClUnusedClick(main, routes); },
              ThrowsMessage<core::Error>(
                  kRoute + "WORLD\\ holds no world files; the search stops, as every shape "
                           "would count as unused"));
  EXPECT_FALSE(files.FolderExists(kBackup));
}

}  // namespace
}  // namespace ops
