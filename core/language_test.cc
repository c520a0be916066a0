#include "core/language.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(LanguageTest, EnglishAndRussianTextsWithTheirValues) {
  Language english(kEnglish);
  Language russian(kRussian);
  EXPECT_EQ(english[Msg::CapAddShape], "Add shape");
  EXPECT_EQ(english[Msg::TextureExists], ": texture file already exists. Overwrite?");
  EXPECT_EQ(english[Msg::CapPleaseWait], "Please,wait...");
  EXPECT_EQ(russian[Msg::ShapeAdded], ": шейп успешно добавлен");
  EXPECT_EQ(russian[Msg::CapListUnique], "Список уникальных");
  EXPECT_EQ(english.Format(Msg::UnableToFind, "conv3ds.exe"), "Unable to find conv3ds.exe");
  EXPECT_EQ(english.Format(Msg::DuplicatesDeleted, "3"), "Deleted 3 duplicated entries");
  EXPECT_EQ(english.Format(Msg::ToolNotStarted, "makeace.exe"), "Unable to start makeace.exe");
  EXPECT_EQ(russian.Format(Msg::TextureNoOutput, "a.tga"),
            "Текстура a.tga: ошибка конвертации, конечный файл не создан");
  EXPECT_EQ(russian.Format(Msg::UnicodeFailed, "a.s"), "Шейп a.s: не конвертирован в Юникод");
  // Every text added after the original table exists in both languages.
  for (int key = static_cast<int>(Msg::ToolNotStarted); key < kMessageCount; ++key) {
    EXPECT_NE(english[static_cast<Msg>(key)], "") << key;
    EXPECT_NE(russian[static_cast<Msg>(key)], english[static_cast<Msg>(key)]) << key;
  }
}

TEST(LanguageTest, ConstantsAreTheSameInEveryLanguage) {
  for (int number : {0, 1, 2}) {
    Language language(number);
    EXPECT_EQ(language[Msg::KeyFileName], "FileName");
    EXPECT_EQ(language[Msg::ImageLinePrefix], "\timage ");
    EXPECT_EQ(language[Msg::BackupFolder], "Rastolin_backups\\");
    EXPECT_EQ(language[Msg::SeasonFolders],
              "NIGHT\\ AUTUMN\\ AUTUMNSNOW\\ WINTER\\ WINTERSNOW\\ SPRING\\ SPRINGSNOW\\ SNOW\\");
    EXPECT_EQ(language[Msg::ProgramName], "Rastolin");
  }
}

TEST(LanguageTest, AnUnknownNumberLeavesTheTextsAsTheyAre) {
  EXPECT_EQ(Language(2)[Msg::CapAddShape], "");
  EXPECT_EQ(Language(2).Format(Msg::UnableToFind, "x"), "");
  Language english(kEnglish);
  english.SetTexts(5);
  EXPECT_EQ(english[Msg::CapAddShape], "Add shape");
  english.SetTexts(kRussian);
  EXPECT_EQ(english[Msg::CapAddShape], "Добавить объект");
}

}  // namespace
}  // namespace core
