#include "route/text_file.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "platform/text.h"
#include "tests/support/memory_file_system.h"

namespace route {
namespace {

using namespace std::string_literals;

TEST(FormOfTest, TellsTheFormsOfMstsFilesApart) {
  EXPECT_EQ(FormOf("\xFF\xFE" "S\0I\0"s), TextForm::kUnicode);
  EXPECT_EQ(FormOf("S\0I\0M\0I\0S\0A\0@\0"s), TextForm::kUnicode);
  EXPECT_EQ(FormOf("SIMISA@F\x10\0\0\0@@@@x\x9c"s), TextForm::kCompressed);
  EXPECT_EQ(FormOf("SIMISA@@@@@@@@@@JINX0s1b______\x41\x00"s), TextForm::kBinary);
  EXPECT_EQ(FormOf("SIMISA@@@@@@@@@@JINX0s1t______\r\n"), TextForm::kEightBit);
  EXPECT_EQ(FormOf("SIMISA@@@@@@@@@@JINX0"), TextForm::kEightBit);
  EXPECT_EQ(FormOf(""), TextForm::kEightBit);
  EXPECT_EQ(FormOf("\xFF"), TextForm::kEightBit);
}

class ReadTextFileTest : public ::testing::Test {
 protected:
  test_support::MemoryFileSystem files;
};

TEST_F(ReadTextFileTest, UnicodeTextBecomesUtf8WithoutTheMark) {
  files.Add("C:\\r\\a.ref", "\xFF\xFE"s + platform::Utf8ToUtf16Le("SIMISA\r\nДом 🚂\r\n"));
  TextFile file = ReadTextFile(files, "C:\\r\\a.ref");
  EXPECT_EQ(file.form, TextForm::kUnicode);
  EXPECT_EQ(file.text, "SIMISA\r\nДом 🚂\r\n");
}

TEST_F(ReadTextFileTest, EightBitTextIsUtf8OrElseWindows1251) {
  files.Add("C:\\r\\a.ref", "SIMISA\r\nStatic ( Description ( \xC4\xF3\xE1 \xE1\xEE\xEB\xFC\xF8\xEE\xE9 ) )");
  files.Add("C:\\r\\b.ref", "SIMISA\r\nStatic ( Description ( Дуб большой ) )");
  files.Add("C:\\r\\c.ref", "\xEF\xBB\xBFSIMISA\r\nStatic ( Description ( Дуб большой ) )");
  for (const char* name : {"a.ref", "b.ref", "c.ref"}) {
    TextFile file = ReadTextFile(files, std::string("C:\\r\\") + name);
    EXPECT_EQ(file.form, TextForm::kEightBit);
    EXPECT_EQ(file.text, "SIMISA\r\nStatic ( Description ( Дуб большой ) )") << name;
  }
}

TEST_F(ReadTextFileTest, CompressedAndBinaryFilesGiveNoText) {
  files.Add("C:\\w\\a.w", "SIMISA@F\x20\0\0\0@@@@\x78\x9c garbled ( FileName ( x.s ) )"s);
  files.Add("C:\\w\\b.w", "SIMISA@@@@@@@@@@JINX0w0b______ FileName ( x.s )");
  EXPECT_EQ(ReadTextFile(files, "C:\\w\\a.w").form, TextForm::kCompressed);
  EXPECT_EQ(ReadUnicodeText(files, "C:\\w\\a.w"), "");
  EXPECT_EQ(ReadTextFile(files, "C:\\w\\b.w").form, TextForm::kBinary);
  EXPECT_EQ(ReadUnicodeText(files, "C:\\w\\b.w"), "");
}

TEST_F(ReadTextFileTest, AFileThatCannotBeOpenedIsAnError) {
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
