#include "tools/shape_groups.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

using Groups = std::vector<std::pair<std::string, std::string>>;

Groups GroupsOf(const std::vector<std::string>& names) {
  Groups out;
  for (const ShapeGroup& group : GroupByStem(names)) out.emplace_back(group.stem, group.names);
  return out;
}

// One group of "house.3ds house1.3ds house2.3ds" is checked end to end.
TEST(GroupByStemTest, LetterCaseAdjacencyAndAllDigitNamesSplitGroups) {
  EXPECT_EQ(NumberedStem("a1b2.x.3ds"), "a1b2.x");
  EXPECT_EQ(GroupsOf({"House1.3ds", "house2.3ds"}),
            (Groups{{"House", "House1.3ds "}, {"house", "house2.3ds "}}));
  EXPECT_EQ(GroupsOf({"a1.3ds", "b.3ds", "a2.3ds"}).size(), 3u);
  EXPECT_EQ(GroupsOf({"a1.3ds", "12.3ds", "a2.3ds"}),
            (Groups{{"a", "a1.3ds "}, {"a", "a2.3ds "}}));
}

}  // namespace
}  // namespace tools
