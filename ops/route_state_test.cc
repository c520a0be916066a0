#include "ops/route_state.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

using Names = std::vector<std::string>;

std::string RefFile(std::string_view body) {
  return test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n" + std::string(body));
}

class RouteStateTest : public OpsFixture {
 protected:
  RouteStateTest() {
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.trk", "");
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\tsection.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.ref", RefFile("Static ( Class ( Trees ) )\r\n"));
    files.Add("C:\\MSTS\\ROUTES\\Beta\\carspawn.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Beta\\Beta.ref",
              RefFile("Static ( Class ( Buildings ) )\r\nStatic ( FileName ( x.s ) )\r\n"
                      "Static ( Class ( buildings ) )\r\nStatic ( Class ( Bridges ) )\r\n"
                      "Hazard ( Class ( Деревья ) )\r\nStatic ( Class ( ) )\r\n"
                      "Static ( Class ( ДЕРЕВЬЯ ) )\r\nStatic ( Class ( Trees ) )"));
    files.Add("C:\\MSTS\\ROUTES\\Gamma\\speedpost.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Gamma\\Gamma.ref", "SIMISA@F\x10@@@@x");
    files.Add("C:\\MSTS\\ROUTES\\NotARoute\\NotARoute.ref", RefFile(""));
  }
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
  // Each message goes on to say where the root is set.
  const std::string where =
      "\n\nThe MSTS root dir is set on the Settings page (\"Browse...\" beside \"MSTS root dir\").";
  EXPECT_EQ(ui.shown, (Names{"Error: Bad MSTS directory" + where}));
  EXPECT_EQ(main.fields.MSTSRoot, "");
  EXPECT_EQ(ListRoutes(main, routes, Page::kAdding), Page::kSettings);
  EXPECT_EQ(ui.shown, (Names{"Error: Bad MSTS directory" + where,
                             "Warning: Select MSTS root dir" + where}));
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
  EXPECT_EQ(routes.AddClassItems, (Names{"Bridges", "Buildings", "Trees", "Деревья"}));
  // A choice outside the list changes nothing.
  AddRouteChange(main, routes, -1);
  AddRouteChange(main, routes, 3);
  EXPECT_EQ(routes.CurrentRoute->Name, "Beta");
  EXPECT_EQ(routes.AddRouteIndex, 1);
  // One that cannot be read is current, yet unreadable and without classes.
  EXPECT_THROW(AddRouteChange(main, routes, 2), core::Error);
  EXPECT_EQ(routes.CurrentRoute->Name, "Gamma");
  EXPECT_TRUE(routes.CurrentRoute->Unreadable());
  EXPECT_TRUE(routes.AddClassItems.empty());
}

// Only an empty file or blank lines make a route without entries, in
// which every shape would be "not in ref".
TEST_F(RouteStateTest, OnlyAnEmptyOrBlankRefIsARouteWithoutEntries) {
  routes.AddRoute = {"Alpha"};
  const std::string mark = "\xFF\xFE";
  for (const std::string& blank : {std::string(), mark, test_support::UnicodeFile(" \r\n\t")}) {
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.ref", blank);
    AddRouteChange(main, routes, 0);
    EXPECT_EQ(routes.CurrentRoute->EntryCount(), 0);
  }
}

}  // namespace
}  // namespace ops
