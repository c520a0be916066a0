#include "ops/route_state.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace ops {
namespace {

using Names = std::vector<std::string>;

std::string RefFile(std::string_view body) {
  return "\xFF\xFE" + platform::Utf8ToUtf16Le("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n" + std::string(body));
}

class RouteStateTest : public ::testing::Test {
 protected:
  RouteStateTest() {
    main.language.SetTexts(core::kEnglish);
    main.fields.MSTSRoot = "C:\\MSTS";
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.trk", "");
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\tsection.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.ref", RefFile("Static ( Class ( Trees ) )\r\n"));
    files.Add("C:\\MSTS\\ROUTES\\Beta\\carspawn.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Beta\\Beta.ref",
              RefFile("Static ( Class ( Buildings ) )\r\nStatic ( FileName ( x.s ) )\r\n"
                      "Static ( Class ( buildings ) )\r\nStatic ( Class ( Bridges ) )\r\n"
                      "Hazard ( Class ( Trees ) )"));
    files.Add("C:\\MSTS\\ROUTES\\Gamma\\speedpost.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Gamma\\Gamma.ref", "SIMISA@F\x10@@@@x");
    files.Add("C:\\MSTS\\ROUTES\\NotARoute\\NotARoute.ref", RefFile(""));
  }

  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  RouteState routes;
};

TEST_F(RouteStateTest, TheRoutePagesListTheRoutesOnce) {
  EXPECT_EQ(ListRoutes(main, routes, Page::kShapes), Page::kShapes);
  EXPECT_EQ(ListRoutes(main, routes, Page::kSettings), Page::kSettings);
  EXPECT_TRUE(routes.AddRoute.empty());
  EXPECT_EQ(ListRoutes(main, routes, Page::kComparison), Page::kComparison);
  const Names expected{"Alpha", "Beta", "Gamma"};
  EXPECT_EQ(routes.AddRoute, expected);
  EXPECT_EQ(routes.ClRoute, expected);
  EXPECT_EQ(routes.CrRoute, expected);
  files.Add("C:\\MSTS\\ROUTES\\Delta\\x.dat", "");
  EXPECT_EQ(ListRoutes(main, routes, Page::kAdding), Page::kAdding);
  EXPECT_EQ(routes.AddRoute, expected);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(RouteStateTest, AMissingOrBadRootLeadsBackToTheSettings) {
  main.fields.MSTSRoot = "C:\\Games";
  EXPECT_EQ(ListRoutes(main, routes, Page::kClearing), Page::kSettings);
  EXPECT_EQ(ui.shown, (Names{"Error: Bad MSTS directory"}));
  EXPECT_EQ(main.fields.MSTSRoot, "");
  EXPECT_EQ(ListRoutes(main, routes, Page::kAdding), Page::kSettings);
  EXPECT_EQ(ui.shown, (Names{"Error: Bad MSTS directory", "Warning: Select MSTS root dir"}));
  EXPECT_TRUE(routes.AddRoute.empty());
}

TEST_F(RouteStateTest, ChoosingARouteSelectsItInBothBoxesAndListsItsClasses) {
  ListRoutes(main, routes, Page::kClearing);
  routes.CrRouteIndex = 0;
  AddRouteChange(main, routes, 1);
  EXPECT_EQ(routes.AddRouteIndex, 1);
  EXPECT_EQ(routes.ClRouteIndex, 1);
  EXPECT_EQ(routes.CrRouteIndex, 0);
  ASSERT_NE(routes.CurrentRoute, nullptr);
  EXPECT_EQ(routes.CurrentRoute->Name, "Beta");
  EXPECT_EQ(routes.CurrentRoute->Folder, "C:\\MSTS\\ROUTES\\Beta\\");
  EXPECT_EQ(routes.CurrentRoute->EntryCount(), 5);
  EXPECT_EQ(routes.AddClassItems, (Names{"Bridges", "Buildings", "Trees"}));

  AddRouteChange(main, routes, 0);
  EXPECT_EQ(routes.CurrentRoute->Name, "Alpha");
  EXPECT_EQ(routes.AddClassItems, (Names{"Trees"}));
  // A choice outside the list changes nothing.
  AddRouteChange(main, routes, -1);
  AddRouteChange(main, routes, 3);
  EXPECT_EQ(routes.CurrentRoute->Name, "Alpha");
  EXPECT_EQ(routes.AddRouteIndex, 0);
}

TEST_F(RouteStateTest, ARouteThatCannotBeReadStaysCurrentButUnreadable) {
  ListRoutes(main, routes, Page::kAdding);
  AddRouteChange(main, routes, 1);
  EXPECT_THROW(AddRouteChange(main, routes, 2), core::Error);
  ASSERT_NE(routes.CurrentRoute, nullptr);
  EXPECT_EQ(routes.CurrentRoute->Name, "Gamma");
  EXPECT_TRUE(routes.CurrentRoute->Unreadable());
  EXPECT_TRUE(routes.AddClassItems.empty());
  EXPECT_EQ(routes.AddRouteIndex, 2);
}

}  // namespace
}  // namespace ops
