#include "route/text_file.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/msts_text.h"

namespace route {
namespace {

using namespace std::string_literals;

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
  // Whatever a compressed file holds, and tokens, are no text.
  files.Add("C:\\r\\zipped.ref", test_support::Compressed(test_support::UnicodeFile(text)));
  files.Add("C:\\r\\tokens.ref", "SIMISA@@@@@@@@@@JINX0r1b______\r\n\x41\x00"s);
  files.Add("C:\\r\\garbage.ref", "SIMISA@@@@@@@@@@\x01\x02"s);
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\zipped.ref").form, TextForm::kCompressed);
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\tokens.ref").form, TextForm::kBinary);
  EXPECT_EQ(ReadTextFile(files, "C:\\r\\garbage.ref").text, "SIMISA@@@@@@@@@@\x01\x02");
}

}  // namespace
}  // namespace route
