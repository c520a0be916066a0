#include "ops/adding.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/msts_text.h"

namespace ops {
namespace {

using Lines = std::vector<std::string>;


const std::string kHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n";
const std::string kFolder = "C:\\MSTS\\ROUTES\\MyRoute\\";
const std::string kRef = kFolder + "MyRoute.ref";

class AddingTest : public ::testing::Test {
 protected:
  AddingTest() {
    main.language.SetTexts(core::kEnglish);
    main.fields.MSTSRoot = "C:\\MSTS";
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

  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RouteState routes;
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

TEST_F(AddingTest, WithOnlyCreateSdTheShapeAndItsSdFileAreAddedAndTheRefIsLeftAlone) {
  ChooseRoute();
  const std::string ref = files.Content(kRef);
  main.fields.AddShapeFile = "C:\\work\\barn.s";
  main.fields.CrSD = true;
  AddProcClick(main, routes);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(files.Content(kFolder + "SHAPES\\barn.s"), "barn");
  EXPECT_EQ(files.Content(kFolder + "SHAPES\\barn.sd"),
            test_support::UnicodeFile(kHeader + "Shape( barn.s\r\n\tESD_Alternative_Texture ( 0 ) \r\n"
                                  "\tESD_Detail_Level ( 0 ) \r\n)\r\n"));
  EXPECT_EQ(files.Content(kRef), ref);
  EXPECT_EQ(main.log.lines(), (Lines{"C:\\work\\barn.s: shape succesfully added"}));
}

TEST_F(AddingTest, TheEntryAndSdFileCarryThePageFields) {
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
            test_support::UnicodeFile(kHeader + "\r\nStatic (\r\n\tClass ( Trees )\r\n\tFileName ( oak.s )\r\n)\r\n"
                        "Static (\r\n\tClass ( Buildings )\r\n\tDescription ( \"Old barn\" )\r\n"
                        "\tFilename ( barn.s )\r\n\tShadow ( ROUND )\r\n\tAlign ( NONE )\r\n)\r\n"));
  EXPECT_EQ(files.Content(kFolder + "SHAPES\\barn.sd"),
            test_support::UnicodeFile(kHeader + "Shape( barn.s\r\n\tESD_Alternative_Texture ( 1 ) \r\n"
                                  "\tESD_Detail_Level ( 2 ) \r\n"
                                  "\tESD_Bounding_Box ( 0 0 0 0 0 0  ) \r\n)\r\n"));
  EXPECT_EQ(main.log.lines(), (Lines{"C:\\work\\barn.s: shape succesfully added"}));
}

TEST_F(AddingTest, ReplacingAShapeAddsASecondEntry) {
  ChooseRoute();
  main.fields.AddShapeFile = "C:\\work\\barn.s";
  main.fields.AddAddToRef = true;
  main.fields.AddClass = "Sheds";
  AddProcClick(main, routes);
  ui.answers = {true};
  AddProcClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Ask: Overwrite existing shape file? [" + kFolder + "SHAPES\\barn.s]"}));
  EXPECT_EQ(routes.CurrentRoute->EntryCount(), 3);
  // The new class reaches the class list only when the route is read again.
  EXPECT_EQ(routes.AddClassItems, (Lines{"Trees"}));
  AddRouteChange(main, routes, 0);
  EXPECT_EQ(routes.AddClassItems, (Lines{"Sheds", "Trees"}));
  EXPECT_EQ(routes.CurrentRoute->EntryCount(), 3);
}

TEST_F(AddingTest, AFailedCopyIsReportedTwiceAndAddsNothing) {
  ChooseRoute();
  const std::string ref = files.Content(kRef);
  files.FailWritesTo(kFolder + "SHAPES\\barn.s");
  main.fields.AddShapeFile = "C:\\work\\barn.s";
  main.fields.AddAddToRef = true;
  main.fields.AddClass = "Sheds";
  main.fields.CrSD = true;
  AddProcClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Error: Failed to copy file barn.s", "Error:  error while adding file"}));
  EXPECT_EQ(files.Content(kRef), ref);
  EXPECT_FALSE(files.FileExists(kFolder + "SHAPES\\barn.sd"));
  EXPECT_TRUE(main.log.lines().empty());
}

TEST_F(AddingTest, BrowseButtonsFillTheirFieldsUnlessCancelled) {
  ui.opened = {{"C:\\work\\barn.s"}, {}, {"C:\\t\\a.ace", "C:\\t\\b.ace"}, {}};
  AddShapeBrowseClick(main);
  AddShapeBrowseClick(main);
  AddTexBrowseClick(main);
  AddTexBrowseClick(main);
  EXPECT_EQ(main.fields.AddShapeFile, "C:\\work\\barn.s");
  EXPECT_EQ(main.fields.AddTextures, "C:\\t\\a.ace;C:\\t\\b.ace;");
  EXPECT_EQ(ui.shown, (Lines{"Open: Shape File(*.s)|*.s", "Open: Shape File(*.s)|*.s",
                             "Open: ACE File|*.ace", "Open: ACE File|*.ace"}));
}

TEST_F(AddingTest, AddTexturesWarnsThenCopiesAndSummarises) {
  AddTexProcClick(main, routes);
  ChooseRoute();
  AddTexProcClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Warning: Select route", "Warning: Texture list empty"}));
  files.Add("C:\\t\\a.ace", "a");
  main.fields.AddTextures = "C:\\t\\a.ace;C:\\t\\b.ace;";
  AddTexProcClick(main, routes);
  main.fields.AddTextures = "C:\\t\\a.ace;";
  ui.answers = {true};
  AddTexProcClick(main, routes);
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\a.ace"), "a");
  EXPECT_EQ(main.log.lines(), (Lines{"There were errors during adding textures", "All textures added"}));
  EXPECT_EQ(main.fields.AddTextures, "C:\\t\\a.ace;");
}

}  // namespace
}  // namespace ops
