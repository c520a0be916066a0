#include "ops/route_state.h"

#include <gtest/gtest.h>

#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

using Names = std::vector<std::string>;

using RouteStateTest = OpsFixture;

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

}  // namespace
}  // namespace ops
