#include "core/language.h"

#include <gtest/gtest.h>

namespace core {
namespace {

// Constants read the same in every language; the texts after them exist in
// both, and a value formatted into one has its place in the other. The texts
// themselves are checked where they are shown, end to end.
TEST(LanguageTest, EveryTextExistsInBothLanguagesAndTakesTheSameValues) {
  const Language english(kEnglish), russian(kRussian), none(2);
  const auto places = [](const std::string& text) {
    size_t count = 0;
    for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2)) ++count;
    return count;
  };
  for (int key = 0; key < kMessageCount; ++key) {
    const Msg msg = static_cast<Msg>(key);
    EXPECT_EQ(places(russian[msg]), places(english[msg])) << english[msg];
    if (key < static_cast<int>(Msg::KeyFileName)) continue;
    const bool constant = key < static_cast<int>(Msg::ToolNotStarted);
    EXPECT_NE(english[msg], "") << key;
    EXPECT_EQ(russian[msg] == english[msg], constant) << key;
    EXPECT_EQ(none[msg], constant ? english[msg] : "") << key;
  }
  EXPECT_EQ(english.Format(Msg::JobCounts, "%s", "2"), "%s entries, 2 files");
}

}  // namespace
}  // namespace core
