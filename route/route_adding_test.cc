#include <gtest/gtest.h>

#include <functional>

#include "core/error.h"
#include "platform/text.h"
#include "route/route.h"
#include "tests/support/route_services.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/msts_text.h"

namespace route {
namespace {

using Lines = std::vector<std::string>;


const std::string kRefHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n";
const std::string kFolder = "C:\\MSTS\\ROUTES\\R\\";
const std::string kRef = kFolder + "R.ref";

class RouteAddingTest : public ::testing::Test {
 protected:
  RouteAddingTest() {
    main.language.SetTexts(core::kEnglish);
    files.Add(kRef, test_support::UnicodeFile(kRefHeader + "Static ( FileName ( old.s ) )\r\n"));
    files.AddFolder(kFolder + "SHAPES");
    files.AddFolder(kFolder + "TEXTURES\\WINTER");
    files.Add("C:\\work\\barn.s", "barn shape");
    route.ReadRef();
  }

  static Shape Entry(const std::string& file) {
    Shape entry;
    entry.AddProp("Class", "Buildings");
    entry.AddProp("Description", "Old barn");
    entry.AddProp("Filename", file);
    entry.AddProp("Shadow", "NONE");
    entry.AddProp("Align", "NONE");
    return entry;
  }
  static Shape SdProps() {
    Shape sd;
    sd.AddProp("ESD_Alternative_Texture", "0");
    sd.AddProp("ESD_Detail_Level", "0");
    return sd;
  }

  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  Route route{test_support::ServicesOf(main), "R", "C:\\MSTS"};
};

const std::string kBarnSd = test_support::UnicodeFile(
    "SIMISA@@@@@@@@@@JINX0t1t______\r\nShape( barn.s\r\n"
    "\tESD_Alternative_Texture ( 0 ) \r\n\tESD_Detail_Level ( 0 ) \r\n)\r\n");

TEST_F(RouteAddingTest, AnUnreadableRouteRefusesAnEntryBeforeCopying) {
  Route broken(test_support::ServicesOf(main), "Gone", "C:\\MSTS");
  files.AddFolder("C:\\MSTS\\ROUTES\\Gone\\SHAPES");
  EXPECT_THROW(broken.ReadRef(), core::Error);
  Shape entry = Entry("C:\\work\\barn.s");
  EXPECT_THROW(broken.AddShape(entry, SdProps(), true, true, false), core::Error);
  EXPECT_FALSE(files.FileExists("C:\\MSTS\\ROUTES\\Gone\\SHAPES\\barn.s"));
  EXPECT_FALSE(files.FileExists("C:\\MSTS\\ROUTES\\Gone\\Gone.ref"));
  // Without an entry nothing of the .ref file is at stake.
  EXPECT_TRUE(broken.AddShape(entry, SdProps(), false, true, false));
  EXPECT_TRUE(files.FileExists("C:\\MSTS\\ROUTES\\Gone\\SHAPES\\barn.sd"));
}

TEST_F(RouteAddingTest, ALineBreakInAnEntryOrSdValueIsRefusedBeforeCopying) {
  const std::string ref_before = files.Content(kRef);
  Shape entry = Entry("C:\\work\\barn.s");
  entry.SetValue("Class", "x\r\nStatic ( FileName ( evil.s ) )");
  Shape sd = SdProps();
  sd.AddProp("ESD_Bounding_Box", "0 0 0\n0 0 0");
  try {
    route.AddShape(entry, SdProps(), true, true, true);
    ADD_FAILURE() << "no error";
  } catch (const core::Error& error) {
    EXPECT_STREQ(error.what(), "The property Class holds a line break and cannot be written");
  }
  Shape clean = Entry("C:\\work\\barn.s");
  EXPECT_THROW(route.AddShape(clean, sd, true, true, true), core::Error);
  EXPECT_FALSE(files.FileExists(kFolder + "SHAPES\\barn.s"));
  EXPECT_FALSE(files.FileExists(kFolder + "SHAPES\\barn.sd"));
  EXPECT_EQ(files.Content(kRef), ref_before);
  EXPECT_EQ(route.EntryCount(), 1);
}

TEST_F(RouteAddingTest, TheSdFileIsNamedAfterTheTextBeforeTheLastDot) {
  route.WriteSd("my.house.s", SdProps(), false);
  route.WriteSd("noext", SdProps(), false);
  EXPECT_TRUE(files.FileExists(kFolder + "SHAPES\\my.house.sd"));
  EXPECT_TRUE(files.FileExists(kFolder + "SHAPES\\noext.sd"));
}

TEST_F(RouteAddingTest, ASdFileThatCannotBeWrittenIsAnErrorAfterTheShapeWasAdded) {
  files.FailWritesTo(kFolder + "SHAPES\\barn.sd");
  Shape entry = Entry("C:\\work\\barn.s");
  EXPECT_THROW(route.AddShape(entry, SdProps(), true, true, false), core::Error);
  EXPECT_TRUE(files.FileExists(kFolder + "SHAPES\\barn.s"));
  EXPECT_EQ(route.EntryCount(), 2);
}

TEST_F(RouteAddingTest, CopyTexturesCopiesEveryPathAndAsksBeforeReplacing) {
  files.Add("C:\\t\\a.ace", "a");
  files.Add("C:\\t\\b.ace", "b");
  files.Add("C:\\t\\c.ace", "c");
  files.Add(kFolder + "TEXTURES\\b.ace", "old b");
  ui.answers = {false};
  EXPECT_FALSE(route.CopyTextures("C:\\t\\a.ace;C:\\t\\b.ace;C:\\t\\c.ace"));
  EXPECT_EQ(ui.shown, (Lines{"Ask: b.ace: texture file already exists. Overwrite? [" + kFolder +
                             "TEXTURES\\b.ace]"}));
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\a.ace"), "a");
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\b.ace"), "old b");
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\c.ace"), "c");
  EXPECT_FALSE(files.FileExists(kFolder + "TEXTURES\\WINTER\\a.ace"));

  ui.shown.clear();
  ui.answers = {true, true, true};
  EXPECT_TRUE(route.CopyTextures("C:\\t\\a.ace;C:\\t\\b.ace;C:\\t\\c.ace;"));
  EXPECT_EQ(ui.shown.size(), 3u);
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\b.ace"), "b");

  // Every failure is reported and the run goes on.
  ui.shown.clear();
  files.Add("C:\\t\\d.ace", "d");
  EXPECT_FALSE(route.CopyTextures("C:\\t\\missing.ace;;C:\\t\\d.ace;"));
  EXPECT_EQ(ui.shown, (Lines{"Error: Failed to copy file missing.ace", "Error: Failed to copy file "}));
  EXPECT_EQ(files.Content(kFolder + "TEXTURES\\d.ace"), "d");
}

// Each write of the route against a link planted in it that leads out: the
// write is refused naming the link, and nothing is written anywhere.
TEST_F(RouteAddingTest, NothingIsWrittenThroughALinkOutOfTheRoute) {
  files.Add("C:\\t\\a.ace", "a");
  // A user's file outside that reads as a route file, so the guard is what
  // keeps it.
  const std::string mine = test_support::UnicodeFile(kRefHeader + "Static ( FileName ( m.s ) )\r\n");
  files.Add("C:\\Users\\me\\notes.txt", mine);
  files.AddFolder("C:\\Users\\me\\Outside");
  const struct {
    const char* link;
    const char* target;
    std::function<void(Route&)> write;
  } cases[] = {
      {"R.ref", "C:\\Users\\me\\notes.txt", [](Route& r) { r.WriteRef(); }},
      {"Rastolin_backups", "C:\\Users\\me\\Outside", [](Route& r) { r.BackupRef(); }},
      {"SHAPES", "C:\\Users\\me\\Outside",
       [](Route& r) {
         Shape entry = Entry("C:\\work\\barn.s");
         r.AddShape(entry, SdProps(), true, true, true);
       }},
      {"SHAPES\\barn.sd", "C:\\Users\\me\\notes.txt",
       [](Route& r) { r.WriteSd("barn.s", SdProps(), true); }},
      {"TEXTURES\\b.ace", "C:\\Users\\me\\notes.txt",
       [](Route& r) { r.CopyTextures("C:\\t\\a.ace;C:\\t\\b.ace"); }},
      {"TEXTURES", "C:\\Users\\me\\Outside",
       [](Route& r) { r.CopyIntoRoute("C:\\t\\a.ace", "TEXTURES\\", true); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    test_support::MemoryFileSystem disk = files;
    disk.AddLink(kFolder + c.link, c.target);
    core::ConvMain on_disk{disk, processes, ui};
    on_disk.language.SetTexts(core::kEnglish);
    Route linked(test_support::ServicesOf(on_disk), "R", "C:\\MSTS");
    linked.ReadRef();
    try {
      c.write(linked);
      ADD_FAILURE() << "written";
    } catch (const core::Error& error) {
      EXPECT_EQ(std::string(error.what()), kFolder + c.link + " leads out of the route and is not written");
    }
    EXPECT_EQ(disk.Content("C:\\Users\\me\\notes.txt"), mine);
    EXPECT_TRUE(disk.Find("C:\\Users\\me\\Outside\\*", platform::kAnyAttributes).empty());
    EXPECT_FALSE(disk.FileExists(kFolder + "TEXTURES\\a.ace"));
    EXPECT_FALSE(disk.FileExists(kFolder + "SHAPES\\barn.s"));
  }
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(RouteAddingTest, LinksThatStayInsideTheRouteAreWrittenThrough) {
  files.AddFolder(kFolder + "Real");
  files.AddLink(kFolder + "SHAPES", kFolder + "Real");
  files.AddFolder("D:\\Disk\\R\\SHAPES");
  files.Add("D:\\Disk\\R\\R.ref", test_support::UnicodeFile(kRefHeader));
  files.AddLink("C:\\MSTS\\ROUTES\\Linked", "D:\\Disk\\R");
  Shape entry = Entry("C:\\work\\barn.s");
  EXPECT_TRUE(route.AddShape(entry, SdProps(), true, true, false));
  EXPECT_EQ(files.Content(kFolder + "Real\\barn.sd"), kBarnSd);

  Route linked(test_support::ServicesOf(main), "Linked", "C:\\MSTS");
  linked.ReadRef();
  Shape again = Entry("C:\\work\\barn.s");
  EXPECT_TRUE(linked.AddShape(again, SdProps(), true, false, false));
  EXPECT_EQ(files.Content("D:\\Disk\\R\\SHAPES\\barn.s"), "barn shape");
  Route reread(test_support::ServicesOf(main), "Linked", "C:\\MSTS");
  reread.ReadRef();
  EXPECT_EQ(reread.EntryCount(), 1);
}

}  // namespace
}  // namespace route
