#include "core/language.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(LanguageTest, TableHoldsTheTextsThenTheNineConstants) {
  EXPECT_EQ(static_cast<int>(Msg::UnableToFind), 0);
  EXPECT_EQ(static_cast<int>(Msg::CapListUnique), 107);
  EXPECT_EQ(static_cast<int>(Msg::KeyFileName), 108);
  EXPECT_EQ(static_cast<int>(Msg::ProgramName), 116);
}

TEST(LanguageTest, EnglishAndRussianTexts) {
  Language english(kEnglish);
  EXPECT_EQ(english[Msg::CapAddShape], "Add shape");
  EXPECT_EQ(english[Msg::SelectRoute], "Select route");
  EXPECT_EQ(english[Msg::TextureExists], ": texture file already exists. Overwrite?");
  EXPECT_EQ(english[Msg::CopyFailed], "Failed to copy file ");
  EXPECT_EQ(english[Msg::CapPleaseWait], "Please,wait...");
  Language russian(kRussian);
  EXPECT_EQ(russian[Msg::ShapeAdded], ": шейп успешно добавлен");
  EXPECT_EQ(russian[Msg::CapListUnique], "Список уникальных");
  EXPECT_EQ(russian[Msg::UnableToFind], "Невозможно найти %s");
}

TEST(LanguageTest, TextsAddedLaterFollowTheConstantsInBothLanguages) {
  EXPECT_EQ(static_cast<int>(Msg::ToolNotStarted), 117);
  Language english(kEnglish);
  EXPECT_EQ(english.Format(Msg::TextureNoOutput, "C:\\tex\\a.tga"),
            "Texture C:\\tex\\a.tga: conversion failed, no output file");
  EXPECT_EQ(english.Format(Msg::ToolNotStarted, "makeace.exe"), "Unable to start makeace.exe");
  Language russian(kRussian);
  EXPECT_EQ(russian.Format(Msg::UnicodeFailed, "a.s"), "Шейп a.s: не конвертирован в Юникод");
  EXPECT_EQ(english.Format(Msg::FileCompressed, "C:\\r.ref"),
            "C:\\r.ref is stored compressed and cannot be read as text");
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
  Language unknown(2);
  EXPECT_EQ(unknown[Msg::CapAddShape], "");
  EXPECT_EQ(unknown[Msg::UnableToFind], "");
  Language english(kEnglish);
  english.SetTexts(5);
  EXPECT_EQ(english[Msg::CapAddShape], "Add shape");
  english.SetTexts(kRussian);
  EXPECT_EQ(english[Msg::CapAddShape], "Добавить объект");
}

TEST(LanguageTest, FormatPutsTheValueInPlaceOfPercentS) {
  Language english(kEnglish);
  EXPECT_EQ(english.Format(Msg::UnableToFind, "conv3ds.exe"), "Unable to find conv3ds.exe");
  EXPECT_EQ(english.Format(Msg::DuplicatesDeleted, "3"), "Deleted 3 duplicated entries");
  EXPECT_EQ(Language(2).Format(Msg::UnableToFind, "x"), "");
}

}  // namespace
}  // namespace core
