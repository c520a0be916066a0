#include <gmock/gmock.h>

#include <functional>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/route_fixture.h"

namespace route {
namespace {

using ::testing::ThrowsMessage;

class RouteAddingTest : public RouteFixture {
 protected:
  RouteAddingTest() {
    files.Add(kRefPath, RefFile("Static ( FileName ( old.s ) )\r\n"));
    files.AddFolder(kRoute + "SHAPES");
    files.AddFolder(kRoute + "TEXTURES");
    files.Add("C:\\work\\barn.s", "barn shape");
    route.ReadRef();
  }

  static Shape Entry() {
    Shape entry;
    entry.AddProp("Class", "Buildings");
    entry.AddProp("Filename", "C:\\work\\barn.s");
    return entry;
  }
  static Shape SdProps() {
    Shape sd;
    sd.AddProp("ESD_Alternative_Texture", "0");
    sd.AddProp("ESD_Detail_Level", "0");
    return sd;
  }

  Route route = Open();
};

// A line break in a value, or a .ref that cannot be replaced or read,
// refuses an entry before any file is copied.
TEST_F(RouteAddingTest, AnEntryThatCannotBeWrittenIsRefusedBeforeCopying) {
  const std::string ref_before = files.Content(kRefPath);
  Shape entry = Entry();
  entry.SetValue("Class", "x\r\nStatic ( FileName ( evil.s ) )");
  EXPECT_THAT([&] { route.AddShape(entry, SdProps(), true, true, true); },
              ThrowsMessage<core::Error>(
                  "The property Class holds a line break and cannot be written"));
  files.FailWritesTo(kRefPath);
  Shape added = Entry();
  EXPECT_THROW(route.AddShape(added, SdProps(), true, true, false), core::Error);
  EXPECT_FALSE(files.FileExists(kRoute + "SHAPES\\barn.s"));
  EXPECT_FALSE(files.FileExists(kRoute + "SHAPES\\barn.sd"));
  EXPECT_EQ(files.Content(kRefPath), ref_before);
  EXPECT_EQ(route.EntryCount(), 1);

  Route broken = Open("Gone");
  files.AddFolder("C:\\MSTS\\ROUTES\\Gone\\SHAPES");
  EXPECT_THROW(broken.ReadRef(), core::Error);
  entry = Entry();
  EXPECT_THROW(broken.AddShape(entry, SdProps(), true, true, false), core::Error);
  EXPECT_FALSE(files.FileExists("C:\\MSTS\\ROUTES\\Gone\\SHAPES\\barn.s"));
  // Without an entry nothing of the .ref file is at stake.
  EXPECT_TRUE(broken.AddShape(entry, SdProps(), false, true, false));
  EXPECT_TRUE(files.FileExists("C:\\MSTS\\ROUTES\\Gone\\SHAPES\\barn.sd"));
}

// Each write of the route against a link planted in it that leads out: the
// write is refused naming the link, and nothing is written anywhere.
TEST_F(RouteAddingTest, NothingIsWrittenThroughALinkOutOfTheRoute) {
  files.Add("C:\\t\\a.ace", "a");
  // A user's file outside that reads as a route file, so the guard is what
  // keeps it.
  const std::string mine = RefFile("Static ( FileName ( m.s ) )\r\n");
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
         Shape entry = Entry();
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
    disk.AddLink(kRoute + c.link, c.target);
    core::ConvMain on_disk{disk, processes, ui};
    on_disk.language.SetTexts(core::kEnglish);
    Route linked(test_support::ServicesOf(on_disk), "R", "C:\\MSTS");
    linked.ReadRef();
    EXPECT_THAT([&] { c.write(linked); },
                ThrowsMessage<core::Error>(kRoute + c.link +
                                           " leads out of the route and is not written"));
    EXPECT_EQ(disk.Content("C:\\Users\\me\\notes.txt"), mine);
    EXPECT_TRUE(disk.Find("C:\\Users\\me\\Outside\\*", platform::kAnyAttributes).empty());
    EXPECT_FALSE(disk.FileExists(kRoute + "TEXTURES\\a.ace"));
    EXPECT_FALSE(disk.FileExists(kRoute + "SHAPES\\barn.s"));
  }
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(RouteAddingTest, LinksThatStayInsideTheRouteAreWrittenThrough) {
  files.AddFolder(kRoute + "Real");
  files.AddLink(kRoute + "SHAPES", kRoute + "Real");
  files.AddFolder("D:\\Disk\\R\\SHAPES");
  files.Add("D:\\Disk\\R\\R.ref", RefFile(""));
  files.AddLink("C:\\MSTS\\ROUTES\\Linked", "D:\\Disk\\R");
  Shape entry = Entry();
  EXPECT_TRUE(route.AddShape(entry, SdProps(), true, true, false));
  EXPECT_TRUE(files.FileExists(kRoute + "Real\\barn.sd"));

  Route linked = Open("Linked");
  linked.ReadRef();
  Shape again = Entry();
  EXPECT_TRUE(linked.AddShape(again, SdProps(), true, false, false));
  EXPECT_EQ(files.Content("D:\\Disk\\R\\SHAPES\\barn.s"), "barn shape");
  Route reread = Open("Linked");
  reread.ReadRef();
  EXPECT_EQ(reread.EntryCount(), 1);
}

}  // namespace
}  // namespace route
