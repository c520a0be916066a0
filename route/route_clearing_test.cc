#include <gtest/gtest.h>

#include "route/route_fixture.h"
#include "route/text_file.h"

namespace route {
namespace {

using Lines = std::vector<std::string>;
const std::string kRoute = "C:\\MSTS\\ROUTES\\R\\";
const std::string kBackup = kRoute + "Rastolin_backups\\";

std::string ShapeFile(const Lines& images) {
  std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\timages ( 9\r\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
  return test_support::UnicodeFile(text + "\t)\r\n)\r\n");
}

// Unicode shapes only: the other forms are the reader's own concern.
class UnicodeReader : public TextReader {
 public:
  explicit UnicodeReader(const platform::FileSystem& files) : files_(files) {}
  std::optional<std::string> ReadText(const std::string& path) override {
    TextFile file = ReadTextFile(files_, path);
    return file.form == TextForm::kUnicode ? std::optional(file.text) : std::nullopt;
  }

 private:
  const platform::FileSystem& files_;
};

class RouteClearingTest : public RouteFixture {
 protected:
  RouteClearingTest() {
    files.Add(kRoute + "R.ref",
              test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\nStatic ( )\r\n"));
    route.ReadRef();
  }
  const Lines& Logged() const { return main.log.lines(); }

  Route route = Open();
  UnicodeReader reader{files};
};

TEST_F(RouteClearingTest, EachTextureLeavesOnceWithItsSeasonsWhateverTheWayItIsNamed) {
  files.Add(kRoute + "SHAPES\\shed.s",
            ShapeFile({"brick.ace", "BRICK.ACE", "\"old tin.ace\"", "lost.ace"}));
  for (const char* file : {"TEXTURES\\brick.ace", "TEXTURES\\NIGHT\\brick.ace", "TEXTURES\\old tin.ace"})
    files.Add(kRoute + file, file);
  route.DeleteEntry("shed.s", false, true, reader);
  EXPECT_EQ(Logged(), (Lines{"brick.ace: texture deleted", "NIGHT\\brick.ace: texture deleted",
                             "old tin.ace: texture deleted", "lost.ace: texture not found"}));
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\old tin.ace"), "TEXTURES\\old tin.ace");
  EXPECT_TRUE(files.FileExists(kRoute + "SHAPES\\shed.s"));  // the shape files stay, as answered
  EXPECT_EQ(route.EntryCount(), 1);  // the by-name form leaves the entries
}

TEST_F(RouteClearingTest, AnEarlierBackupOfTheSameNameIsKept) {
  files.Add(kRoute + "SHAPES\\shed.s", ShapeFile({"brick.ace"}));
  files.Add(kRoute + "SHAPES\\shed.sd", "new sd");
  files.Add(kRoute + "TEXTURES\\brick.ace", "new brick");
  for (const char* earlier :
       {"SHAPES\\shed.s", "SHAPES\\shed_1.s", "SHAPES\\shed.sd", "TEXTURES\\brick.ace"}) {
    files.Add(kBackup + earlier, earlier);
  }
  route.DeleteEntry("shed.s", true, true, reader);
  const std::string kept = ": an earlier backup has that name)";
  EXPECT_EQ(Logged(), (Lines{"brick.ace: texture deleted (kept as brick_1.ace" + kept,
                             kRoute + "SHAPES\\shed.s: shape deleted (kept as shed_2.s" + kept,
                             kRoute + "SHAPES\\shed.sd (kept as shed_1.sd" + kept}));
  for (const char* earlier :
       {"SHAPES\\shed.s", "SHAPES\\shed_1.s", "SHAPES\\shed.sd", "TEXTURES\\brick.ace"}) {
    EXPECT_EQ(files.Content(kBackup + earlier), earlier);
  }
  EXPECT_EQ(files.Content(kBackup + "SHAPES\\shed_1.sd"), "new sd");
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\brick_1.ace"), "new brick");
}

TEST_F(RouteClearingTest, NamesLeadingOutOfTheRouteMoveNothing) {
  const Lines outside = {"C:\\MSTS\\ROUTES\\x.s", "C:\\x.s", "C:\\x.s.sd", "C:\\tex.ace",
                         "C:\\MSTS\\ROUTES\\tex.ace", "C:\\Users\\me\\y.s"};
  for (const std::string& file : outside) files.Add(file, "keep");
  files.AddLink(kRoute + "SHAPES\\linked", "C:\\Users\\me");
  files.Add(kRoute + "SHAPES\\in.s",
            ShapeFile({"..\\..\\tex.ace", "C:\\tex.ace", "\\tex.ace", "..\\R.ref"}));
  const Lines hostile = {"..\\..\\x.s", "C:\\x.s", "\\x.s", "/x.s", "..\\R.ref", "linked\\y.s"};
  for (const std::string& name : hostile) route.DeleteEntry(name, true, true, reader);
  route.DeleteEntry("in.s", true, true, reader);
  Lines expected;
  for (const char* name : {"..\\..\\x.s", "C:\\x.s", "\\x.s", "/x.s", "..\\R.ref", "linked\\y.s",
                           "..\\..\\tex.ace", "C:\\tex.ace", "\\tex.ace", "..\\R.ref"}) {
    expected.push_back(std::string(name) + ": the name leads out of the route, nothing is moved");
  }
  expected.push_back(kRoute + "SHAPES\\in.s: shape deleted");
  EXPECT_EQ(Logged(), expected);
  for (const std::string& file : outside) EXPECT_EQ(files.Content(file), "keep") << file;
  EXPECT_TRUE(files.FileExists(kRoute + "R.ref"));
}

TEST_F(RouteClearingTest, OddShapesAreHandledAsFarAsTheyCanBe) {
  for (const char* name :
       {"shed", "shed.sd", "shed.thm", "sub.dir\\hut", "sub.dir\\hut.sd", "sub.sd"}) {
    files.Add(kRoute + "SHAPES\\" + name, name);
  }
  files.Add(kRoute + "SHAPES\\bin.s", "SIMISA@@@@@@@@@@JINX0s1b______tokens");
  files.Add(kRoute + "SHAPES\\Own.S", ShapeFile({}));
  for (const char* name : {"shed", "sub.dir\\hut", "gone.s", "bin.s", "", "own.s"})
    route.DeleteEntry(name, true, true, reader);
  // The backup keeps the name the file has on disk.
  EXPECT_EQ(files.Find(kBackup + "SHAPES\\own.s", platform::kAnyAttributes).at(0).name, "Own.S");
  // Without a dot of its own a name keeps it whole for its companions.
  for (const char* moved : {"shed", "shed.sd", "hut", "hut.sd"})
    EXPECT_TRUE(files.FileExists(kBackup + "SHAPES\\" + moved));
  EXPECT_FALSE(files.FileExists(kRoute + "SHAPES\\shed.thm"));
  EXPECT_EQ(files.Content(kRoute + "SHAPES\\sub.sd"), "sub.sd");
  EXPECT_EQ(
      Lines(Logged().begin() + 4, Logged().end()),
      (Lines{kRoute + "SHAPES\\gone.s: shape not found",
             kRoute + "SHAPES\\bin.s cannot be read as text, so its textures stay in the route",
             kRoute + "SHAPES\\bin.s: shape deleted", kRoute + "SHAPES\\own.s: shape deleted"}));
}

}  // namespace
}  // namespace route
