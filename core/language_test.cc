#include "core/language.h"

#include <gtest/gtest.h>

namespace core {
namespace {

// The texts themselves are checked where they are shown, end to end.
TEST(LanguageTest, LaterTextsExistInBothLanguagesAndConstantsInEvery) {
  const Language english(kEnglish), russian(kRussian), none(2);
  for (int key = static_cast<int>(Msg::KeyFileName); key < kMessageCount; ++key) {
    const Msg msg = static_cast<Msg>(key);
    EXPECT_NE(english[msg], "") << key;
    if (key < static_cast<int>(Msg::ToolNotStarted)) {
      EXPECT_EQ(russian[msg], english[msg]) << key;
      EXPECT_EQ(none[msg], english[msg]) << key;
    } else {
      EXPECT_NE(russian[msg], english[msg]) << key;
      EXPECT_EQ(none[msg], "") << key;
    }
  }
}

TEST(LanguageTest, AnUnknownNumberLeavesTheTextsAsTheyAre) {
  Language english(kEnglish);
  english.SetTexts(5);
  EXPECT_EQ(english[Msg::CapAddShape], "Add shape");
  english.SetTexts(kRussian);
  EXPECT_EQ(english[Msg::CapAddShape], "Добавить объект");
}

}  // namespace
}  // namespace core
