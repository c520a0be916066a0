#include "ops/unused.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "ops/ops_fixture.h"

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
  std::string entries;
  for (const char* name :
       {"used.s", "Unused.s", "unused.s", "TELEPOLE.S", "car blue.s", "my van.s", "spd_sign.s",
        "milepost.s", "quoted house.s", "zipped.s", "tokens.s", "A_Long_Shape_Name_Placed.s",
        "a_long_shape_name_placed_not.s"}) {
    entries += "Static ( FileName ( " + std::string(name) + " ) )\r\n";
  }
  Choose(entries + "Transfer ( FileName ( t.s ) )\r\nStatic ( Class ( none ) )\r\n");
  files.Add(kRoute + "WORLD\\b.w", Compressed(test_support::UnicodeFile(WorldText({"zipped.s"}))));
  files.Add(kRoute + "WORLD\\e.w", Compressed(kBinary));
  tool_text = WorldText({"tokens.s"});
  EXPECT_EQ(Search(), (Lines{"unused.s", "unused.s", "a_long_shape_name_placed_not.s"}));
  EXPECT_EQ(Lines(ui.progress[0].begin(), ui.progress[0].begin() + 3),
            (Lines{"p:5", "i:1/3", "l:Search in a.w"}));
  EXPECT_EQ(Runs(), (Lines{kFfedit + "ffeditc_unicode.exe e.w /u /o:e.w | " + kFfedit}));
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
  const std::string stops =
      " cannot be read as text; the search stops, as its shapes would count as unused";
  const std::pair<std::string, std::string> cases[] = {
      {"WORLD\\b.w", kBinary},  // the tool cannot convert it
      {"WORLD\\b.w", std::string("SIMISA@F\x10\0\0\0@@@@garbage", 23)},
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
  EXPECT_FALSE(files.FolderExists(kBackup));
}

}  // namespace
}  // namespace ops
