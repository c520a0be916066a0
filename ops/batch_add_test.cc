#include "ops/batch_add.h"

#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

const std::string kRefHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n";
const std::string kFolder = "C:\\MSTS\\ROUTES\\MyRoute\\";
const std::string kRef = kFolder + "MyRoute.ref";

const std::string kGeneratedSd(const std::string& name) {
  return test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0t1t______\r\nShape( " + name +
                     "\r\n\tESD_Alternative_Texture ( 0 ) \r\n\tESD_Detail_Level ( 0 ) \r\n)\r\n");
}

class BatchAddTest : public OpsFixture {
 protected:
  BatchAddTest() {
    files.Add(kRef, test_support::UnicodeFile(kRefHeader));
    files.AddFolder(kFolder + "SHAPES");
    files.AddFolder(kFolder + "TEXTURES");
    files.Add("C:\\new\\a.s", "a");
    files.Add("C:\\new\\b.s", "b");
    files.Add("C:\\new\\b.sd", "own b.sd");
    files.Add("C:\\new\\x.ace", "x");
  }
};

TEST_F(BatchAddTest, OverReplacesTheSdFilesWithoutAsking) {
  BatchAdd(main, "MyRoute", "C:\\new", "", false, false, false);
  EXPECT_FALSE(files.FileExists(kFolder + "TEXTURES\\x.ace"));
  files.Add("C:\\new\\b.sd", "own b.sd 2");
  files.Add(kFolder + "SHAPES\\a.sd", "edited");
  BatchAdd(main, "MyRoute", "C:\\new", "", false, true, false);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(files.Content(kFolder + "SHAPES\\b.sd"), "own b.sd 2");
  EXPECT_EQ(files.Content(kFolder + "SHAPES\\a.sd"), kGeneratedSd("a.s"));
}

TEST_F(BatchAddTest, AFileThatFailsToCopyIsSkippedAndTheRunGoesOn) {
  for (const char* file : {"SHAPES\\a.s", "SHAPES\\b.s", "TEXTURES\\x.ace"})
    files.FailWritesTo(kFolder + file);
  BatchAdd(main, "MyRoute", "C:\\new", "", false, false, true);
  EXPECT_EQ(ui.shown, (Lines{"Error: Failed to copy file a.s", "Error: Failed to copy file b.s"}));
  EXPECT_EQ(main.log.lines(),
            (Lines{"Skipped shape a.s", "Skipped shape b.s", "Skipped texture x.ace"}));
  EXPECT_EQ(files.Content(kRef), test_support::UnicodeFile(kRefHeader));
  // Neither .sd file, made or the shape's own, follows a shape that was not added.
  EXPECT_FALSE(files.FileExists(kFolder + "SHAPES\\a.sd"));
  EXPECT_FALSE(files.FileExists(kFolder + "SHAPES\\b.sd"));
}

}  // namespace
}  // namespace ops
