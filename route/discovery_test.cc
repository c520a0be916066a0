#include "route/discovery.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"

namespace route {
namespace {

using Names = std::vector<std::string>;

TEST(FindRoutesTest, FoldersHoldingADatFileAreRoutesInListingOrder) {
  test_support::MemoryFileSystem files;
  files.Add("C:\\MSTS\\ROUTES\\zeta\\tsection.dat", "");
  files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.trk", "");
  files.Add("C:\\MSTS\\ROUTES\\Alpha\\carspawn.dat", "");
  files.Add("C:\\MSTS\\ROUTES\\NoDat\\NoDat.ref", "");
  files.Add("C:\\MSTS\\ROUTES\\NoDat\\WORLD\\x.dat", "");
  files.Add("C:\\MSTS\\ROUTES\\readme.dat", "");
  files.Add("C:\\MSTS\\ROUTES\\odd:name\\tsection.dat", "");
  EXPECT_EQ(FindRoutes(files, "C:\\MSTS"), (Names{"Alpha", "zeta"}));
  EXPECT_EQ(FindRoutes(files, "C:\\Nowhere"), Names{});
}

TEST(RouteNameTest, OnlyAPlainFolderNameOfRoutesOpensARoute) {
  for (const char* name : {"DemoLine", "my route", "v1.2", "Дорога"}) EXPECT_TRUE(IsRouteName(name)) << name;
  for (const char* name : {"", ".", "..", "..\\..\\outside", "a/b", "c:\\msts\\routes\\demoline",
                           "x:", "a*", "a..b", "line.", "line "}) {
    EXPECT_FALSE(IsRouteName(name)) << name;
  }
}

}  // namespace
}  // namespace route
