#include "ops/name_set.h"

#include <gtest/gtest.h>

namespace ops {
namespace {

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
