#include <gmock/gmock.h>

#include "core/error.h"
#include "formats/shape_images.h"
#include "tests/support/route_fixture.h"

namespace route {
namespace {

using ::testing::ThrowsMessage;
using Lines = std::vector<std::string>;
const std::string kBackup = kRoute + "Rastolin_backups\\";

std::string ShapeFile(const Lines& images) {
  std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\timages ( 9\r\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
  return test_support::UnicodeFile(text + "\t)\r\n)\r\n");
}

// Reads as the program does, without the editor tool, which is the
// reader's own concern.
class FormatsReader : public ShapeReader {
 public:
  explicit FormatsReader(const platform::FileSystem& files) : files_(files) {}
  std::optional<std::vector<std::string>> ImageNames(const std::string& path,
                                                     std::string& why) override {
    const std::optional<std::string> bytes = files_.ReadFile(path);
    formats::ShapeImages images;
    if (bytes) images = formats::ImageNames(formats::SimisFile(*bytes));
    if (bytes && images.fault == formats::Fault::kNone) return images.names;
    why = "damaged";
    return std::nullopt;
  }

 private:
  const platform::FileSystem& files_;
};

class RouteClearingTest : public RouteFixture {
 protected:
  RouteClearingTest() { Entries("Static ( )\r\n"); }
  void Entries(const std::string& entries) {
    files.Add(kRefPath, RefFile(entries));
    route.ReadRef();
  }
  const Lines& Logged() const { return main.log.lines(); }

  Route route = Open();
  FormatsReader reader{files};
};

// What a later restore needs: a shape and its .sd under one number, a
// texture under its own folder, and a name taken by anything at all, a
// link that leads nowhere too, passed over rather than failed on.
TEST_F(RouteClearingTest, BackupNamesKeepAShapeWithItsSdAndATextureInItsFolder) {
  files.Add(kRoute + "SHAPES\\shed.s", ShapeFile({"DAY\\window.ace", "NIGHT\\window.ace"}));
  files.Add(kRoute + "SHAPES\\shed.sd", "");
  files.Add(kRoute + "SHAPES\\oak.s", ShapeFile({}));
  files.Add(kRoute + "SHAPES\\oak.sd", "oak sd");
  files.Add(kRoute + "TEXTURES\\DAY\\window.ace", "day");
  files.Add(kRoute + "TEXTURES\\NIGHT\\window.ace", "night");
  files.Add(kBackup + "SHAPES\\shed.s", "");
  files.Add(kBackup + "SHAPES\\shed_1.sd", "");
  files.AddLink(kBackup + "SHAPES\\oak.s", "C:\\nowhere");
  files.AddSpecial(kBackup + "SHAPES\\oak_1.sd");
  files.AddFolder(kBackup + "SHAPES\\oak_2.thm");
  files.AddLink(kBackup + "R1.ref", "C:\\nowhere");
  route.BackupRef();
  route.DeleteEntry("shed.s", true, true, reader);
  route.DeleteEntry("oak.s", true, false, reader);
  const std::string kept = ": an earlier backup has that name)";
  EXPECT_EQ(Logged(), (Lines{kRoute + "SHAPES\\shed.s: shape deleted (kept as shed_2.s" + kept,
                             kRoute + "SHAPES\\shed.sd (kept as shed_2.sd" + kept,
                             "DAY\\window.ace: texture deleted", "NIGHT\\window.ace: texture deleted",
                             kRoute + "SHAPES\\oak.s: shape deleted (kept as oak_3.s" + kept,
                             kRoute + "SHAPES\\oak.sd (kept as oak_3.sd" + kept}));
  EXPECT_EQ(files.Content(kBackup + "SHAPES\\oak_3.sd"), "oak sd");
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\DAY\\window.ace"), "day");
  EXPECT_EQ(files.Content(kBackup + "TEXTURES\\NIGHT\\window.ace"), "night");
  EXPECT_TRUE(files.FileExists(kBackup + "R2.ref"));
}

TEST_F(RouteClearingTest, AShapeOrTextureThatIsALinkStaysAndSoDoesItsEntry) {
  Entries("Static ( FileName ( linked.s ) )\r\nStatic ( FileName ( shed.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\real.s", ShapeFile({"own.ace"}));
  files.AddLink(kRoute + "SHAPES\\linked.s", kRoute + "SHAPES\\real.s");
  files.Add(kRoute + "SHAPES\\shed.s", ShapeFile({"linked.ace"}));
  files.Add(kRoute + "TEXTURES\\own.ace", "own");
  files.Add(kRoute + "TEXTURES\\real.ace", "real");
  files.AddLink(kRoute + "TEXTURES\\linked.ace", kRoute + "TEXTURES\\real.ace");
  const Route::Removed removed = route.DeleteEntries({true, true}, true, true, reader);
  EXPECT_EQ(removed, (Route::Removed{false, true}));
  EXPECT_EQ(Logged(), (Lines{kRoute + "SHAPES\\linked.s is a link and stays in the route",
                             kRoute + "SHAPES\\shed.s: shape deleted",
                             "linked.ace is a link and stays in the route"}));
  for (const char* kept : {"SHAPES\\real.s", "TEXTURES\\own.ace", "TEXTURES\\real.ace"})
    EXPECT_TRUE(files.FileExists(kRoute + kept)) << kept;
}

// Each link planted higher up than the one before: the first met is named.
TEST_F(RouteClearingTest, NoFolderIsMadeThroughALinkOutOfTheRoute) {
  files.Add(kRoute + "SHAPES\\shed.s", ShapeFile({"brick.ace"}));
  files.Add(kRoute + "TEXTURES\\brick.ace", "brick");
  files.AddFolder(kBackup + "TEXTURES");
  files.AddFolder("C:\\Elsewhere");
  for (const char* link : {"Rastolin_backups\\TEXTURES\\WINTER", "Rastolin_backups\\TEXTURES",
                           "Rastolin_backups"}) {
    files.AddLink(kRoute + link, "C:\\Elsewhere");
    EXPECT_THAT([&] { route.DeleteEntry("shed.s", true, true, reader); },
                ThrowsMessage<core::Error>(kRoute + link + " leads out of the route and is not written"));
  }
  EXPECT_TRUE(files.Find("C:\\Elsewhere\\*", platform::kAnyAttributes).empty());
  EXPECT_TRUE(files.FileExists(kRoute + "SHAPES\\shed.s"));
  EXPECT_TRUE(files.FileExists(kRoute + "TEXTURES\\brick.ace"));
}

TEST_F(RouteClearingTest, NamesLeadingOutOfTheRouteMoveNothing) {
  const Lines outside = {"C:\\MSTS\\ROUTES\\x.s", "C:\\x.s", "C:\\x.s.sd", "C:\\tex.ace",
                         "C:\\MSTS\\ROUTES\\tex.ace", "C:\\Users\\me\\y.s"};
  for (const std::string& file : outside) files.Add(file, "keep");
  files.AddLink(kRoute + "SHAPES\\linked", "C:\\Users\\me");
  files.Add(kRoute + "SHAPES\\in.s",
            ShapeFile({"..\\..\\tex.ace", "C:\\tex.ace", "\\tex.ace", "..\\R.ref"}));
  const Lines hostile = {"..\\..\\x.s", "C:\\x.s", "\\x.s", "/x.s", "..\\R.ref", "linked\\y.s"};
  for (const std::string& name : hostile) EXPECT_FALSE(route.DeleteEntry(name, true, true, reader));
  route.DeleteEntry("in.s", true, true, reader);
  Lines expected;
  for (const char* name : {"..\\..\\x.s", "C:\\x.s", "\\x.s", "/x.s", "..\\R.ref", "linked\\y.s"})
    expected.push_back(std::string(name) + ": the name leads out of the route, nothing is moved");
  expected.push_back(kRoute + "SHAPES\\in.s: shape deleted");
  for (const char* name : {"..\\..\\tex.ace", "C:\\tex.ace", "\\tex.ace", "..\\R.ref"})
    expected.push_back(std::string(name) + ": the name leads out of the route, nothing is moved");
  EXPECT_EQ(Logged(), expected);
  for (const std::string& file : outside) EXPECT_EQ(files.Content(file), "keep") << file;
  EXPECT_TRUE(files.FileExists(kRoute + "R.ref"));
}

}  // namespace
}  // namespace route
