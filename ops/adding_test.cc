#include "ops/adding.h"

#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

const std::string kHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n";
const std::string kFolder = "C:\\MSTS\\ROUTES\\MyRoute\\";
const std::string kRef = kFolder + "MyRoute.ref";

class AddingTest : public OpsFixture {
 protected:
  AddingTest() {
    files.Add(kFolder + "MyRoute.trk", "");
    files.Add(kFolder + "tsection.dat", "");
    files.Add(kRef, test_support::UnicodeFile(kHeader + "\r\nStatic ( Class ( Trees ) FileName ( oak.s ) )\r\n"));
    files.AddFolder(kFolder + "SHAPES");
    files.AddFolder(kFolder + "TEXTURES");
    files.Add("C:\\work\\barn.s", "barn");
  }

  void ChooseRoute() {
    ListRoutes(main, routes, Page::kAdding);
    AddRouteChange(main, routes, 0);
  }
};

TEST_F(AddingTest, TheThreeChecksStopBeforeAnythingIsTouched) {
  const std::string ref = files.Content(kRef);
  AddProcClick(main, routes);
  main.fields.AddShapeFile = "C:\\work\\none.s";
  AddProcClick(main, routes);
  main.fields.AddShapeFile = "C:\\work\\barn.s";
  AddProcClick(main, routes);
  ChooseRoute();
  main.fields.AddAddToRef = true;
  AddProcClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Warning: Shape file not exists or not specified",
                             "Warning: Shape file not exists or not specified",
                             "Warning: Select route", "Warning: Select class name"}));
  EXPECT_FALSE(files.FileExists(kFolder + "SHAPES\\barn.s"));
  EXPECT_EQ(files.Content(kRef), ref);
  EXPECT_TRUE(main.log.lines().empty());
}

TEST_F(AddingTest, TheEntryAndSdFileCarryThePageFieldsAndAReplacedShapeAddsAnEntry) {
  ChooseRoute();
  core::Fields& fields = main.fields;
  fields.AddShapeFile = "C:\\work\\barn.s";
  fields.AddAddToRef = true;
  fields.AddClass = "Buildings";
  fields.AddDescription = "Old barn";
  fields.AddShadow = "ROUND";
  fields.CrSD = true;
  fields.ESDDL = "2";
  fields.ESDAT = "1";
  fields.AddESDB = true;
  AddProcClick(main, routes);
  AddProcClick(main, routes);  // replacing the shape is declined
  EXPECT_EQ(ui.shown, (Lines{"Ask: Overwrite existing shape file? [" + kFolder + "SHAPES\\barn.s]",
                             "Error:  error while adding file"}));
  EXPECT_EQ(files.Content(kRef),
            test_support::UnicodeFile(kHeader + "\r\nStatic ( Class ( Trees ) FileName ( oak.s ) )\r\n"
                        "Static (\r\n\tClass ( Buildings )\r\n\tDescription ( \"Old barn\" )\r\n"
                        "\tFilename ( barn.s )\r\n\tShadow ( ROUND )\r\n\tAlign ( NONE )\r\n)\r\n"));
  EXPECT_EQ(files.Content(kFolder + "SHAPES\\barn.sd"),
            test_support::UnicodeFile(kHeader + "Shape( barn.s\r\n\tESD_Alternative_Texture ( 1 ) \r\n"
                                  "\tESD_Detail_Level ( 2 ) \r\n"
                                  "\tESD_Bounding_Box ( 0 0 0 0 0 0  ) \r\n)\r\n"));
  EXPECT_EQ(main.log.lines(), (Lines{"C:\\work\\barn.s: shape succesfully added"}));

  // Replacing the shape adds a second entry; its class reaches the class
  // list only when the route is read again.
  ui.answers = {true};
  AddProcClick(main, routes);
  EXPECT_EQ(routes.AddClassItems, (Lines{"Trees"}));
  AddRouteChange(main, routes, 0);
  EXPECT_EQ(routes.AddClassItems, (Lines{"Buildings", "Trees"}));
  EXPECT_EQ(routes.CurrentRoute->EntryCount(), 3);
}

TEST_F(AddingTest, AddTexturesAsksBeforeEachReplacementAndReportsEveryFailure) {
  AddTexProcClick(main, routes);
  ChooseRoute();
  AddTexProcClick(main, routes);
  files.Add("C:\\t\\a.ace", "a");
  files.Add("C:\\t\\b.ace", "b");
  files.Add(kFolder + "TEXTURES\\b.ace", "old b");
  files.AddFolder(kFolder + "TEXTURES\\WINTER");
  main.fields.AddTextures = "C:\\t\\b.ace;C:\\t\\missing.ace;;C:\\t\\a.ace;";
  AddTexProcClick(main, routes);  // b.ace is kept, as answered
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\a.ace"), "a");
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\b.ace"), "old b");
  EXPECT_FALSE(files.FileExists(kFolder + "TEXTURES\\WINTER\\a.ace"));
  main.fields.AddTextures = "C:\\t\\a.ace;C:\\t\\b.ace";
  ui.answers = {true, true};
  AddTexProcClick(main, routes);
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\b.ace"), "b");
  auto asked = [](const std::string& name) {
    return "Ask: " + name + ": texture file already exists. Overwrite? [" + kFolder +
           "TEXTURES\\" + name + "]";
  };
  EXPECT_EQ(ui.shown, (Lines{"Warning: Select route", "Warning: Texture list empty",
                             asked("b.ace"), "Error: Failed to copy file missing.ace",
                             "Error: Failed to copy file ", asked("a.ace"), asked("b.ace")}));
  EXPECT_EQ(main.log.lines(),
            (Lines{"There were errors during adding textures", "All textures added"}));
}

}  // namespace
}  // namespace ops
