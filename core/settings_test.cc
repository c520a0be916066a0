#include "core/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/error.h"
#include "tests/support/memory_file_system.h"

namespace core {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  test_support::MemoryFileSystem files;
  Settings settings{files, "C:\\work\\conv.ini"};
};

TEST_F(SettingsTest, TheFirstWriteMakesTheFileAndReadsIgnoreCaseTrimAndCut) {
  EXPECT_EQ(settings.ReadString("PATHS", "ROOT", "none"), "none");
  settings.WriteInteger("INF", "LANGUAGE", 1);
  EXPECT_EQ(files.Content("C:\\work\\conv.ini"), "[INF]\r\nLANGUAGE=1\r\n");
  files.Add("C:\\work\\conv.ini",
            "[inf]\nlanguage = 1\nA=12x\nB=-3\nC=\nD=english\n[Paths]\n  Root=  C:\\Program Files\\MSTS  \n"
            "LASTDIR=\"C:\\3d\"\nLONG=" + std::string(3000, 'x') + "\n");
  EXPECT_EQ(settings.ReadInteger("INF", "LANGUAGE", 0), 1);
  EXPECT_EQ(settings.ReadString("PATHS", "ROOT", ""), "C:\\Program Files\\MSTS");
  EXPECT_EQ(settings.ReadString("PATHS", "LASTDIR", ""), "C:\\3d");
  EXPECT_EQ(settings.ReadString("PATHS", "LONG", "").size(), 2047u);
  // A missing key, or a value that is not a whole number, reads as the default.
  EXPECT_EQ(settings.ReadInteger("INF", "A", 7), 7);
  EXPECT_EQ(settings.ReadInteger("INF", "B", 7), -3);
}

TEST_F(SettingsTest, WritesReplaceKeysInPlaceAndKeepEverythingElse) {
  files.Add("C:\\work\\conv.ini",
            "; my notes\r\n[INF]\r\nLanguage=0\r\n\r\n[PATHS]\r\nROOT=C:\\MSTS\r\n\r\n[OTHER]\r\nX=1\r\n");
  settings.WriteString("INF", "LANGUAGE", "1");
  settings.WriteString("paths", "UTILS", "C:\\MSTS\\UTILS");
  settings.WriteString("NEW", "K", "v");
  EXPECT_EQ(files.Content("C:\\work\\conv.ini"),
            "; my notes\r\n[INF]\r\nLanguage=1\r\n\r\n[PATHS]\r\nROOT=C:\\MSTS\r\n"
            "UTILS=C:\\MSTS\\UTILS\r\n\r\n[OTHER]\r\nX=1\r\n\r\n[NEW]\r\nK=v\r\n");
  EXPECT_EQ(settings.ReadString("PATHS", "UTILS", ""), "C:\\MSTS\\UTILS");
}

TEST_F(SettingsTest, AFailedWriteReportsThePathAndKeepsTheFile) {
  files.Add("C:\\work\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n");
  files.FailWritesTo("C:\\work\\conv.ini");
  EXPECT_THAT([&] { settings.WriteString("PATHS", "ROOT", "C:\\MSTS"); },
              ::testing::ThrowsMessage<Error>("Unable to write to C:\\work\\conv.ini"));
  EXPECT_EQ(files.Content("C:\\work\\conv.ini"), "[INF]\r\nLANGUAGE=1\r\n");
}

}  // namespace
}  // namespace core
