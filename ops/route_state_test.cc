#include "ops/route_state.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

using Names = std::vector<std::string>;

class RouteStateTest : public OpsFixture {
 protected:
  RouteStateTest() {
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.trk", "");
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\tsection.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Alpha\\Alpha.ref",
              MstsFile("r1", "Static ( Class ( Trees ) )\r\n"));
    files.Add("C:\\MSTS\\ROUTES\\Beta\\carspawn.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Beta\\Beta.ref",
              MstsFile("r1", "Static ( Class ( Buildings ) )\r\nStatic ( FileName ( x.s ) )\r\n"
                             "Static ( Class ( buildings ) )\r\nStatic ( Class ( Bridges ) )\r\n"
                             "Hazard ( Class ( Деревья ) )\r\nStatic ( Class ( ) )\r\n"
                             "Static ( Class ( ДЕРЕВЬЯ ) )\r\nStatic ( Class ( Trees ) )"));
    files.Add("C:\\MSTS\\ROUTES\\Gamma\\speedpost.dat", "");
    files.Add("C:\\MSTS\\ROUTES\\Gamma\\Gamma.ref", "SIMISA@F\x10@@@@x");
    files.Add("C:\\MSTS\\ROUTES\\NotARoute\\NotARoute.ref", MstsFile("r1", ""));
  }
};

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

}  // namespace
}  // namespace ops
