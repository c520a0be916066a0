#include "route/discovery.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/route_services.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

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

TEST(GatherClassesTest, EachClassOnceInOrderOfFirstAppearance) {
  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main(files, processes, ui);
  files.Add("C:\\MSTS\\ROUTES\\R\\R.ref",
            "\xFF\xFE" + platform::Utf8ToUtf16Le(
                             "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
                             "Static ( Class ( Buildings ) )\r\nStatic ( FileName ( x.s ) )\r\n"
                             "Static ( CLASS ( buildings ) )\r\nHazard ( class ( Деревья ) )\r\n"
                             "Static ( Class ( ) )\r\nStatic ( Class ( ДЕРЕВЬЯ ) )\r\n"
                             "Static ( Class ( Trees ) )"));
  Route route(test_support::ServicesOf(main), "R", "C:\\MSTS");
  route.ReadRef();
  EXPECT_EQ(GatherClasses(route), (Names{"Buildings", "Деревья", "Trees"}));
}

}  // namespace
}  // namespace route
