#include "route/route.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/route_fixture.h"

namespace route {
namespace {

const std::string kNotRef =
    " is not a route file (it does not start with the SIMIS header) and is not read";

class RouteTest : public RouteFixture {
 protected:
  static std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const core::Error& error) {
      return error.what();
    }
    return "<no error>";
  }
};

TEST_F(RouteTest, TheRefFileIsNamedAfterTheRouteOrElseTheFirstInItsFolder) {
  files.Add("C:\\MSTS\\ROUTES\\MyRoute\\MyRoute.ref", RefFile(""));
  Route route = Open("MyRoute");
  EXPECT_EQ(route.RefPath, "C:\\MSTS\\ROUTES\\MyRoute\\MyRoute.ref");
  files.AddFolder("C:\\MSTS\\ROUTES\\Other\\a.ref");  // a folder, not a file
  files.Add("C:\\MSTS\\ROUTES\\Other\\routes.ref", RefFile(""));
  files.Add("C:\\MSTS\\ROUTES\\Other\\zz.ref", RefFile(""));
  EXPECT_EQ(Open("Other").RefPath, "C:\\MSTS\\ROUTES\\Other\\routes.ref");
}

TEST_F(RouteTest, FilesThatAreNotWholeRefFilesAreRefusedAndNeverOverwritten) {
  using namespace std::string_literals;
  std::string random_bytes;
  for (int i = 0; i < 300; ++i) random_bytes += static_cast<char>((i * 149 + 71) % 256);
  std::string big_endian = "\xFE\xFF"s;
  for (char c : test_support::MstsText("r1", "Static ( FileName ( a.s ) )\r\n")) {
    big_endian += "\0"s + c;
  }
  const struct {
    std::optional<std::string> bytes;  // nothing: a FIFO
    std::string error;
  } kCases[] = {
      {"SIMISA@F\x20\0\0\0@@@@\x78\x9c\x01\x02"s, " is stored compressed and cannot be read as text"},
      {"SIMISA@@@@@@@@@@JINX0r1b______\x01\x02"s, " is stored in binary form and cannot be read as text"},
      {random_bytes, kNotRef},
      {big_endian, kNotRef},
      {platform::Utf8ToUtf16Le("Static ( FileName ( a.s ) )\r\n"), kNotRef},
      // NULs or control characters are no route file, though neither holds an entry.
      {std::string(4096, '\0'), kNotRef},
      {test_support::UnicodeFile("\x01\x1F\r\n"), kNotRef},
      {RefFile("Static ( FileName ( a.s ) )\r\nStatic ( FileName ( b"),
       " ends inside an entry (the block beginning on line 4 is not closed) and is not read"},
      {std::nullopt, " is not a regular file and is not read"},
  };
  files.AddFolder("C:\\MSTS\\ROUTES\\R");
  Route missing = Open();
  EXPECT_EQ(ErrorOf([&] { missing.ReadRef(); }), "Cannot open file " + kRefPath);
  EXPECT_TRUE(missing.Unreadable());
  for (const auto& test : kCases) {
    SCOPED_TRACE("case " + std::to_string(&test - kCases));
    if (test.bytes) {
      files.Add(kRefPath, *test.bytes);
    } else {
      files.DeleteFile(kRefPath);
      files.AddSpecial(kRefPath);
    }
    Route route = Open();
    EXPECT_EQ(ErrorOf([&] { route.ReadRef(); }), kRefPath + test.error);
    EXPECT_EQ(ErrorOf([&] { route.WriteRef(); }),
              kRefPath + " could not be read, so it is not written: its entries would be lost");
    EXPECT_NE(ErrorOf([&] { route.BackupRef(); }), "<no error>");
    EXPECT_EQ(files.Content(kRefPath), test.bytes.value_or("<missing>"));
    EXPECT_FALSE(files.FolderExists("C:\\MSTS\\ROUTES\\R\\Rastolin_backups"));
  }
}

TEST_F(RouteTest, WritesStayInTheRouteAndABackupIsTheFileAsItWas) {
  const std::string before = RefFile("Static ( FileName ( a.s ) )\r\n");
  files.Add(kRefPath, before);
  Route route = Open();
  route.ReadRef();
  route.BackupRef();
  EXPECT_EQ(files.Content(kRoute + "Rastolin_backups\\R1.ref"), before);

  EXPECT_EQ(ErrorOf([&] { route.WriteRef("C:\\MSTS\\ROUTES\\R\\..\\elsewhere.ref"); }),
            "C:\\MSTS\\ROUTES\\R\\..\\elsewhere.ref leads out of the route and is not written");
  EXPECT_FALSE(files.FileExists("C:\\MSTS\\ROUTES\\elsewhere.ref"));
  // A failed write keeps the old file.
  route.Entries.clear();
  files.FailWritesTo(kRefPath);
  EXPECT_EQ(ErrorOf([&] { route.WriteRef(); }), "Cannot create file " + kRefPath);
  EXPECT_EQ(files.Content(kRefPath), before);
}

}  // namespace
}  // namespace route
