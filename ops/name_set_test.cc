#include "ops/name_set.h"

#include <gtest/gtest.h>

namespace ops {
namespace {

TEST(NameSetTest, NamesKeepTheirNumbersAsTheTableGrows) {
  // Short names live in their slots, long ones (sharing a long start) beside.
  auto name = [](int i) {
    return i % 2 ? "shape_" + std::to_string(i) + ".s"
                 : "a_long_shared_start_of_names_" + std::to_string(i) + ".s";
  };
  NameSet names;
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(names.Insert(name(i)), static_cast<size_t>(i));
  EXPECT_EQ(names.Insert(name(7)), 7u);
  EXPECT_EQ(names.size(), 1000u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(names.Find(name(i)), static_cast<size_t>(i)) << name(i);
  for (const char* absent :
       {"shape_1000.s", "a_long_shared_start_of_names_1000.s", "", "shape_1.S"}) {
    EXPECT_FALSE(names.Contains(absent)) << absent;
  }
}

// Names of one hash and one length are told apart by every byte.
TEST(NameSetTest, NamesOfOneHashDifferingInAnyByteAreDistinct) {
  for (size_t length = 1; length <= 30; ++length) {
    NameSet names;
    const std::string name(length, 'a');
    names.Insert(name, 7);
    EXPECT_EQ(names.Find(name, 7), 0u);
    for (size_t at = 0; at < length; ++at) {
      std::string other = name;
      other[at] = 'b';
      EXPECT_EQ(names.Find(other, 7), NameSet::npos) << length << " " << at;
    }
  }
}

}  // namespace
}  // namespace ops
