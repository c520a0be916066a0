#include "route/route.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/route_services.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/msts_text.h"

namespace route {
namespace {


const std::string kRefHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n";
const std::string kNotRef =
    " is not a route file (it does not start with the SIMIS header) and is not read";

class RouteTest : public ::testing::Test {
 protected:
  RouteTest() { main.language.SetTexts(core::kEnglish); }

  std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const core::Error& error) {
      return error.what();
    }
    return "<no error>";
  }

  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
};

TEST_F(RouteTest, FolderAndRefPathFollowTheRouteName) {
  files.Add("C:\\MSTS\\ROUTES\\MyRoute\\MyRoute.ref", test_support::UnicodeFile(kRefHeader));
  Route route(test_support::ServicesOf(main), "MyRoute", "C:\\MSTS");
  EXPECT_EQ(route.Name, "MyRoute");
  EXPECT_EQ(route.Folder, "C:\\MSTS\\ROUTES\\MyRoute\\");
  EXPECT_EQ(route.RefPath, "C:\\MSTS\\ROUTES\\MyRoute\\MyRoute.ref");
  EXPECT_EQ(route.EntryCount(), 0);
}

TEST_F(RouteTest, ARefFileOfAnotherNameIsFoundInTheFolder) {
  files.AddFolder("C:\\MSTS\\ROUTES\\MyRoute\\a.ref");  // a folder, not a file
  files.Add("C:\\MSTS\\ROUTES\\MyRoute\\routes.ref", test_support::UnicodeFile(kRefHeader));
  files.Add("C:\\MSTS\\ROUTES\\MyRoute\\zz.ref", test_support::UnicodeFile(kRefHeader));
  EXPECT_EQ(Route(test_support::ServicesOf(main), "MyRoute", "C:\\MSTS").RefPath, "C:\\MSTS\\ROUTES\\MyRoute\\routes.ref");
  files.AddFolder("C:\\MSTS\\ROUTES\\Empty");
  EXPECT_EQ(Route(test_support::ServicesOf(main), "Empty", "C:\\MSTS").RefPath, "C:\\MSTS\\ROUTES\\Empty\\Empty.ref");
}

TEST_F(RouteTest, ReadRefReplacesTheEntries) {
  const std::string path = "C:\\MSTS\\ROUTES\\R\\R.ref";
  files.Add(path, test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\nHazard ( FileName ( b.haz ) )\r\n"));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  ASSERT_EQ(route.EntryCount(), 2);
  EXPECT_EQ(route.Entries[1].BlockType, "Hazard");
  EXPECT_FALSE(route.Unreadable());
  files.Add(path, test_support::UnicodeFile(kRefHeader + "Static ( FileName ( c.s ) )\r\n"));
  route.ReadRef();
  ASSERT_EQ(route.EntryCount(), 1);
  EXPECT_EQ(route.Entries[0].GetValue("filename"), "c.s");
}

TEST_F(RouteTest, AnEightBitRefIsReadAsWindows1251WhenItIsNotUtf8) {
  files.Add("C:\\MSTS\\ROUTES\\R\\R.ref", "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\nStatic ( FileName ( a.s ) "
                                         "Description ( \"\xC4\xF3\xE1 \xE1\xEE\xEB\xFC\xF8\xEE\xE9\" ) )\r\n");
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  ASSERT_EQ(route.EntryCount(), 1);
  EXPECT_EQ(route.Entries[0].GetValue("Description"), "Дуб большой");
}

TEST_F(RouteTest, AMissingRefCannotBeOpenedAndLeavesTheRouteUnreadable) {
  files.AddFolder("C:\\MSTS\\ROUTES\\R");
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  EXPECT_EQ(ErrorOf([&] { route.ReadRef(); }), "Cannot open file C:\\MSTS\\ROUTES\\R\\R.ref");
  EXPECT_TRUE(route.Unreadable());
  EXPECT_EQ(route.EntryCount(), 0);
}

TEST_F(RouteTest, ARefThatIsNoRegularFileIsNotRead) {
  files.AddSpecial("C:\\MSTS\\ROUTES\\R\\R.ref");
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  EXPECT_EQ(ErrorOf([&] { route.ReadRef(); }),
            "C:\\MSTS\\ROUTES\\R\\R.ref is not a regular file and is not read");
  EXPECT_TRUE(route.Unreadable());
}

TEST_F(RouteTest, FilesThatAreNotWholeRefFilesAreRefusedAndNeverOverwritten) {
  using namespace std::string_literals;
  const std::string path = "C:\\MSTS\\ROUTES\\R\\R.ref";
  std::string random_bytes;
  for (int i = 0; i < 300; ++i) random_bytes += static_cast<char>((i * 149 + 71) % 256);
  std::string big_endian = "\xFE\xFF"s;
  for (char c : kRefHeader + "Static ( FileName ( a.s ) )\r\n") big_endian += "\0"s + c;
  const struct {
    std::string bytes;
    std::string error;
  } kCases[] = {
      {"SIMISA@F\x20\0\0\0@@@@\x78\x9c\x01\x02"s, " is stored compressed and cannot be read as text"},
      {"SIMISA@@@@@@@@@@JINX0r1b______\x01\x02"s, " is stored in binary form and cannot be read as text"},
      {random_bytes, kNotRef},
      {big_endian, kNotRef},
      {platform::Utf8ToUtf16Le("Static ( FileName ( a.s ) )\r\n"), kNotRef},
      {test_support::UnicodeFile("Static ( FileName ( a.s ) )\r\n"), kNotRef},
      {"Static ( FileName ( a.s ) )\r\n", kNotRef},
      {test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( b"),
       " ends inside an entry (its last block is not closed) and is not read"},
  };
  for (const auto& test : kCases) {
    files.Add(path, test.bytes);
    Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
    EXPECT_EQ(ErrorOf([&] { route.ReadRef(); }), path + test.error);
    EXPECT_TRUE(route.Unreadable());
    EXPECT_EQ(route.EntryCount(), 0);
    Shape entry;
    entry.AddProp("FileName", "new.s");
    route.AddEntry(entry);
    EXPECT_EQ(ErrorOf([&] { route.WriteRef(); }),
              path + " could not be read, so it is not written: its entries would be lost");
    EXPECT_NE(ErrorOf([&] { route.BackupRef(); }), "<no error>");
    EXPECT_EQ(files.Content(path), test.bytes);
  }
  EXPECT_FALSE(files.FolderExists("C:\\MSTS\\ROUTES\\R\\Rastolin_backups"));
}

TEST_F(RouteTest, AddEntryAppendsAStaticEntrySettingPropertiesOneByOne) {
  files.Add("C:\\MSTS\\ROUTES\\R\\R.ref", test_support::UnicodeFile(kRefHeader + "Hazard ( FileName ( h.haz ) )\r\n"));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  Shape shape;
  shape.BlockType = "Hazard";
  shape.AddProp("FileName", "a.s");
  shape.AddProp("Class", "X");
  shape.AddProp("filename", "b.s");
  route.AddEntry(shape);
  route.AddEntry(shape);
  ASSERT_EQ(route.EntryCount(), 3);
  const Shape& added = route.Entries[1];
  EXPECT_EQ(added.BlockType, "Static");
  ASSERT_EQ(added.PropCount(), 2);
  EXPECT_EQ(added.PropList[0].PropName, "filename");
  EXPECT_EQ(added.PropList[0].PropValue, "b.s");
  EXPECT_EQ(added.PropList[1].PropName, "Class");
  EXPECT_EQ(route.Entries[2].PropCount(), 2);
}

TEST_F(RouteTest, WriteRefWritesTheExactBytesToRefPathOrTheGivenPath) {
  const std::string path = "C:\\MSTS\\ROUTES\\R\\R.ref";
  files.Add(path, test_support::UnicodeFile(kRefHeader));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  route.WriteRef();
  EXPECT_EQ(files.Content(path).size(), 70u);
  Shape shape;
  shape.AddProp("Class", "Buildings");
  shape.AddProp("Filename", "house.s");
  shape.AddProp("Description", "Big house");
  route.AddEntry(shape);
  route.WriteRef("C:\\MSTS\\ROUTES\\R\\copy.ref");
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\R\\copy.ref"),
            test_support::UnicodeFile(kRefHeader +
                        "Static (\r\n\tClass ( Buildings )\r\n\tFilename ( house.s )\r\n"
                        "\tDescription ( \"Big house\" )\r\n)\r\n"));
  EXPECT_EQ(files.Content(path).size(), 70u);
  EXPECT_EQ(ErrorOf([&] { route.WriteRef("C:\\MSTS\\ROUTES\\R\\..\\elsewhere.ref"); }),
            "C:\\MSTS\\ROUTES\\R\\..\\elsewhere.ref leads out of the route and is not written");
  EXPECT_FALSE(files.FileExists("C:\\MSTS\\ROUTES\\elsewhere.ref"));
}

TEST_F(RouteTest, AFailedWriteKeepsTheOldFile) {
  const std::string path = "C:\\MSTS\\ROUTES\\R\\R.ref";
  files.Add(path, test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\n"));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  route.Entries.clear();
  files.FailWritesTo(path);
  EXPECT_EQ(ErrorOf([&] { route.WriteRef(); }), "Cannot create file " + path);
  EXPECT_EQ(files.Content(path), test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\n"));
}

TEST_F(RouteTest, ReadWriteReadWriteGivesIdenticalBytes) {
  const std::string path = "C:\\MSTS\\ROUTES\\R\\R.ref";
  files.Add(path, test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
                              "Static (\r\n\tClass ( \"Жилые дома\" )\r\n\tFileName ( дом.s )\r\n)\r\n"
                              "Pickup (\n  FileName ( water.s )\n  PickupType ( 1 )\n  FileName ( again.s )\n)\n"
                              "Static ( Class ( ) Description ( tab\there ) D ( \"a \"b\" c\" ) )\r\n"
                              "LevelCr ( junk FileName ( lc.s ) tail )"));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  route.WriteRef("C:\\MSTS\\ROUTES\\R\\first.ref");
  Route again(test_support::ServicesOf(main), "R", "C:\\MSTS");
  again.RefPath = "C:\\MSTS\\ROUTES\\R\\first.ref";
  again.ReadRef();
  ASSERT_EQ(again.EntryCount(), 4);
  EXPECT_EQ(again.Entries[0].GetValue("class"), "Жилые дома");
  EXPECT_EQ(again.Entries[1].PropCount(), 3);
  EXPECT_EQ(again.Entries[2].GetValue("Description"), "tab\there");
  EXPECT_EQ(again.Entries[2].GetValue("d"), "a b c");
  EXPECT_EQ(again.Entries[3].PropList[0].PropName, "junk FileName");
  EXPECT_EQ(again.Entries[3].PropList[1].PropValue, "tail");
  again.WriteRef("C:\\MSTS\\ROUTES\\R\\second.ref");
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\R\\second.ref"),
            files.Content("C:\\MSTS\\ROUTES\\R\\first.ref"));
}

TEST_F(RouteTest, BackupsTakeTheFirstFreeNumberInTheirOwnFolder) {
  const std::string folder = "C:\\MSTS\\ROUTES\\MyRoute\\";
  files.Add(folder + "MyRoute.ref", test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\n"));
  Route route(test_support::ServicesOf(main), "MyRoute", "C:\\MSTS");
  route.ReadRef();
  route.BackupRef();
  EXPECT_TRUE(files.FolderExists(folder + "Rastolin_backups"));
  EXPECT_EQ(files.Content(folder + "Rastolin_backups\\MyRoute1.ref"),
            test_support::UnicodeFile(kRefHeader + "Static (\r\n\tFileName ( a.s )\r\n)\r\n"));
  route.BackupRef();
  EXPECT_TRUE(files.FileExists(folder + "Rastolin_backups\\MyRoute2.ref"));
  files.DeleteFile(folder + "Rastolin_backups\\MyRoute1.ref");
  files.Add(folder + "Rastolin_backups\\MyRoute3.ref", "x");
  route.BackupRef();
  EXPECT_NE(files.Content(folder + "Rastolin_backups\\MyRoute1.ref"), "<missing>");
  route.BackupRef();
  EXPECT_TRUE(files.FileExists(folder + "Rastolin_backups\\MyRoute4.ref"));
}

TEST_F(RouteTest, ABackupThatCannotBeWrittenIsAnError) {
  const std::string folder = "C:\\MSTS\\ROUTES\\R\\";
  files.Add(folder + "R.ref", test_support::UnicodeFile(kRefHeader));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  files.FailWritesTo(folder + "Rastolin_backups\\R1.ref");
  EXPECT_EQ(ErrorOf([&] { route.BackupRef(); }),
            "Cannot create file " + folder + "Rastolin_backups\\R1.ref");
}

}  // namespace
}  // namespace route
