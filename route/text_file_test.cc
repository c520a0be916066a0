#include "route/text_file.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/memory_file_system.h"

namespace route {
namespace {

using namespace std::string_literals;

TEST(FormOfTest, TellsTheFormsOfMstsFilesApart) {
  const std::pair<std::string, TextForm> cases[] = {
      {"\xFF\xFE" "S\0I\0"s, TextForm::kUnicode},
      {"S\0I\0M\0I\0S\0A\0@\0"s, TextForm::kUnicode},
      {"SIMISA@F\x10\0\0\0@@@@x\x9c"s, TextForm::kCompressed},
      {"SIMISA@@@@@@@@@@JINX0s1b______\x41\x00"s, TextForm::kBinary},
      {"SIMISA@@@@@@@@@@JINX0s1t______\r\n", TextForm::kEightBit},
      {"SIMISA@@@@@@@@@@JINX0", TextForm::kEightBit},
      {"", TextForm::kEightBit},
      {"\xFF", TextForm::kEightBit},
  };
  for (const auto& [bytes, form] : cases) EXPECT_EQ(FormOf(bytes), form) << bytes;
}

TEST(ReadTextFileTest, TextComesAsUtf8WhateverItsForm) {
  test_support::MemoryFileSystem files;
  const std::string text = "SIMISA\r\nStatic ( Description ( Дуб большой 🚂 ) )";
  files.Add("C:\\r\\unicode.ref", "\xFF\xFE"s + platform::Utf8ToUtf16Le(text));
  files.Add("C:\\r\\utf8.ref", text);
  files.Add("C:\\r\\mark.ref", "\xEF\xBB\xBF" + text);
  files.Add("C:\\r\\1251.ref", "SIMISA\r\nStatic ( Description ( \xC4\xF3\xE1 \xE1\xEE\xEB\xFC\xF8\xEE\xE9 ) )");
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\unicode.ref").form, TextForm::kUnicode);
  for (const char* name : {"unicode.ref", "utf8.ref", "mark.ref"}) {
    EXPECT_EQ(ReadTextFile(files, std::string("C:\\r\\") + name).text, text) << name;
  }
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\1251.ref").text, "SIMISA\r\nStatic ( Description ( Дуб большой ) )");
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\mark.ref").form, TextForm::kEightBit);
}

TEST(ReadTextFileTest, CompressedAndBinaryFilesGiveNoTextAndAMissingFileIsAnError) {
  test_support::MemoryFileSystem files;
  files.Add("C:\\w\\a.w", "SIMISA@F\x20\0\0\0@@@@\x78\x9c garbled ( FileName ( x.s ) )"s);
  files.Add("C:\\w\\b.w", "SIMISA@@@@@@@@@@JINX0w0b______ FileName ( x.s )");
  EXPECT_EQ(ReadTextFile(files, "C:\\w\\a.w").form, TextForm::kCompressed);
  EXPECT_EQ(ReadUnicodeText(files, "C:\\w\\a.w"), "");
  EXPECT_EQ(ReadTextFile(files, "C:\\w\\b.w").form, TextForm::kBinary);
  EXPECT_EQ(ReadUnicodeText(files, "C:\\w\\b.w"), "");
  try {
    ReadUnicodeText(files, "C:\\nowhere\\x.ref");
    FAIL() << "no error";
  } catch (const core::Error& error) {
    EXPECT_STREQ(error.what(), "Cannot open file C:\\nowhere\\x.ref");
  }
  files.AddFolder("C:\\folder.ref");
  EXPECT_THROW(ReadUnicodeText(files, "C:\\folder.ref"), core::Error);
}

TEST(UnicodeFileBytesTest, MarkThenUtf16WithoutATerminatingZero) {
  EXPECT_EQ(UnicodeFileBytes(""), "\xFF\xFE");
  EXPECT_EQ(UnicodeFileBytes("A\r\nЖ"), "\xFF\xFE" "A\0\r\0\n\0\x16\x04"s);
}

}  // namespace
}  // namespace route
