#include "route/text_file.h"

#include <gtest/gtest.h>

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
  for (const char* name : {"unicode.ref", "utf8.ref", "mark.ref"}) {
    EXPECT_EQ(ReadTextFile(files, std::string("C:\\r\\") + name).text, text) << name;
  }
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\mark.ref").form, TextForm::kEightBit);
}

}  // namespace
}  // namespace route
