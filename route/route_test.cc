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
const std::string kPath = "C:\\MSTS\\ROUTES\\R\\R.ref";
const std::string kNotRef =
    " is not a route file (it does not start with the SIMIS header) and is not read";

class RouteTest : public ::testing::Test {
 protected:
  RouteTest() { main.language.SetTexts(core::kEnglish); }

  Route Open(const std::string& name = "R") {
    return Route(test_support::ServicesOf(main), name, "C:\\MSTS");
  }
  static std::string ErrorOf(const std::function<void()>& action) {
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

TEST_F(RouteTest, TheRefFileIsNamedAfterTheRouteOrElseTheFirstInItsFolder) {
  files.Add("C:\\MSTS\\ROUTES\\MyRoute\\MyRoute.ref", test_support::UnicodeFile(kRefHeader));
  Route route = Open("MyRoute");
  EXPECT_EQ(route.Folder, "C:\\MSTS\\ROUTES\\MyRoute\\");
  EXPECT_EQ(route.RefPath, "C:\\MSTS\\ROUTES\\MyRoute\\MyRoute.ref");
  files.AddFolder("C:\\MSTS\\ROUTES\\Other\\a.ref");  // a folder, not a file
  files.Add("C:\\MSTS\\ROUTES\\Other\\routes.ref", test_support::UnicodeFile(kRefHeader));
  files.Add("C:\\MSTS\\ROUTES\\Other\\zz.ref", test_support::UnicodeFile(kRefHeader));
  EXPECT_EQ(Open("Other").RefPath, "C:\\MSTS\\ROUTES\\Other\\routes.ref");
  files.AddFolder("C:\\MSTS\\ROUTES\\Empty");
  EXPECT_EQ(Open("Empty").RefPath, "C:\\MSTS\\ROUTES\\Empty\\Empty.ref");
}

TEST_F(RouteTest, ReadRefReplacesTheEntries) {
  files.Add(kPath, test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\nHazard ( FileName ( b.haz ) )\r\n"));
  Route route = Open();
  EXPECT_TRUE(route.Unreadable());
  route.ReadRef();
  ASSERT_EQ(route.EntryCount(), 2);
  EXPECT_EQ(route.Entries[1].BlockType, "Hazard");
  EXPECT_FALSE(route.Unreadable());
  files.Add(kPath, test_support::UnicodeFile(kRefHeader + "Static ( FileName ( c.s ) )\r\n"));
  route.ReadRef();
  ASSERT_EQ(route.EntryCount(), 1);
  EXPECT_EQ(route.Entries[0].GetValue("filename"), "c.s");
}

TEST_F(RouteTest, FilesThatAreNotWholeRefFilesAreRefusedAndNeverOverwritten) {
  using namespace std::string_literals;
  std::string random_bytes;
  for (int i = 0; i < 300; ++i) random_bytes += static_cast<char>((i * 149 + 71) % 256);
  std::string big_endian = "\xFE\xFF"s;
  for (char c : kRefHeader + "Static ( FileName ( a.s ) )\r\n") big_endian += "\0"s + c;
  const struct {
    std::optional<std::string> bytes;  // nothing: a FIFO
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
      {std::nullopt, " is not a regular file and is not read"},
  };
  for (const auto& test : kCases) {
    test_support::MemoryFileSystem disk;
    if (test.bytes) {
      disk.Add(kPath, *test.bytes);
    } else {
      disk.AddSpecial(kPath);
    }
    core::ConvMain on_disk{disk, processes, ui};
    on_disk.language.SetTexts(core::kEnglish);
    Route route(test_support::ServicesOf(on_disk), "R", "C:\\MSTS");
    EXPECT_EQ(ErrorOf([&] { route.ReadRef(); }), kPath + test.error);
    EXPECT_TRUE(route.Unreadable());
    EXPECT_EQ(route.EntryCount(), 0);
    Shape entry;
    entry.AddProp("FileName", "new.s");
    route.AddEntry(entry);
    EXPECT_EQ(ErrorOf([&] { route.WriteRef(); }),
              kPath + " could not be read, so it is not written: its entries would be lost");
    EXPECT_NE(ErrorOf([&] { route.BackupRef(); }), "<no error>");
    EXPECT_EQ(disk.Content(kPath), test.bytes.value_or("<missing>"));
    EXPECT_FALSE(disk.FolderExists("C:\\MSTS\\ROUTES\\R\\Rastolin_backups"));
  }
  files.AddFolder("C:\\MSTS\\ROUTES\\R");
  Route missing = Open();
  EXPECT_EQ(ErrorOf([&] { missing.ReadRef(); }), "Cannot open file " + kPath);
  EXPECT_TRUE(missing.Unreadable());
}

TEST_F(RouteTest, AddEntryAppendsAStaticEntrySettingPropertiesOneByOne) {
  files.Add(kPath, test_support::UnicodeFile(kRefHeader + "Hazard ( FileName ( h.haz ) )\r\n"));
  Route route = Open();
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

TEST_F(RouteTest, WriteRefWritesToRefPathOrTheGivenPathInsideTheRoute) {
  const std::string before = test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\n");
  files.Add(kPath, before);
  Route route = Open();
  route.ReadRef();
  route.Entries.clear();
  route.WriteRef("C:\\MSTS\\ROUTES\\R\\copy.ref");
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\R\\copy.ref"), test_support::UnicodeFile(kRefHeader));
  EXPECT_EQ(files.Content(kPath), before);
  EXPECT_EQ(ErrorOf([&] { route.WriteRef("C:\\MSTS\\ROUTES\\R\\..\\elsewhere.ref"); }),
            "C:\\MSTS\\ROUTES\\R\\..\\elsewhere.ref leads out of the route and is not written");
  EXPECT_FALSE(files.FileExists("C:\\MSTS\\ROUTES\\elsewhere.ref"));
  // A failed write keeps the old file.
  files.FailWritesTo(kPath);
  EXPECT_EQ(ErrorOf([&] { route.WriteRef(); }), "Cannot create file " + kPath);
  EXPECT_EQ(files.Content(kPath), before);
}

TEST_F(RouteTest, BackupsTakeTheFirstFreeNumberInTheirOwnFolder) {
  const std::string folder = "C:\\MSTS\\ROUTES\\MyRoute\\";
  files.Add(folder + "MyRoute.ref", test_support::UnicodeFile(kRefHeader + "Static ( FileName ( a.s ) )\r\n"));
  Route route = Open("MyRoute");
  route.ReadRef();
  route.BackupRef();
  EXPECT_EQ(files.Content(folder + "Rastolin_backups\\MyRoute1.ref"),
            test_support::UnicodeFile(kRefHeader + "Static (\r\n\tFileName ( a.s )\r\n)\r\n"));
  route.BackupRef();
  EXPECT_TRUE(files.FileExists(folder + "Rastolin_backups\\MyRoute2.ref"));
  files.DeleteFile(folder + "Rastolin_backups\\MyRoute1.ref");
  files.Add(folder + "Rastolin_backups\\MyRoute3.ref", "x");
  route.BackupRef();
  EXPECT_TRUE(files.FileExists(folder + "Rastolin_backups\\MyRoute1.ref"));
  files.FailWritesTo(folder + "Rastolin_backups\\MyRoute4.ref");
  EXPECT_EQ(ErrorOf([&] { route.BackupRef(); }),
            "Cannot create file " + folder + "Rastolin_backups\\MyRoute4.ref");
}

}  // namespace
}  // namespace route
