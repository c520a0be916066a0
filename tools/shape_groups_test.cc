#include "tools/shape_groups.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

TEST(NumberedStemTest, DropsTheExtensionAndTrailingDigits) {
  EXPECT_EQ(NumberedStem("house12.3ds"), "house");
  EXPECT_EQ(NumberedStem("house.3ds"), "house");
  EXPECT_EQ(NumberedStem("12.3ds"), "");
  EXPECT_EQ(NumberedStem("a1b2.x.3ds"), "a1b2.x");
}

std::vector<std::pair<std::string, std::string>> Groups(const std::vector<std::string>& names) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const ShapeGroup& group : GroupByStem(names)) out.emplace_back(group.stem, group.names);
  return out;
}

TEST(GroupByStemTest, AdjacentNumberedModelsFormOneGroup) {
  EXPECT_EQ(Groups({"house.3ds", "house1.3ds", "house2.3ds", "wall.3ds"}),
            (std::vector<std::pair<std::string, std::string>>{
                {"house", "house.3ds house1.3ds house2.3ds "}, {"wall", "wall.3ds "}}));
}

TEST(GroupByStemTest, LetterCaseAndAdjacencyDecide) {
  EXPECT_EQ(Groups({"House1.3ds", "house2.3ds"}),
            (std::vector<std::pair<std::string, std::string>>{{"House", "House1.3ds "},
                                                               {"house", "house2.3ds "}}));
  EXPECT_EQ(Groups({"a1.3ds", "b.3ds", "a2.3ds"}).size(), 3u);
}

TEST(GroupByStemTest, AllDigitNamesAreNeverConverted) {
  EXPECT_EQ(Groups({"12.3ds", "13.3ds"}).size(), 0u);
  EXPECT_EQ(Groups({"a1.3ds", "12.3ds", "a2.3ds"}),
            (std::vector<std::pair<std::string, std::string>>{{"a", "a1.3ds "}, {"a", "a2.3ds "}}));
}

}  // namespace
}  // namespace tools
