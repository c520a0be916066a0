#include "convert/shape_dir.h"

#include "tests/support/convert_fixture.h"

namespace convert {
namespace {

class ShapeDirTest : public ConvertFixture {
 protected:
  ShapeDirTest() {
    for (const char* name : {"wall.3ds", "house2.3ds", "house.3ds", "12.3ds", "house1.3ds"})
      files.Add(std::string("C:\\models\\") + name, "3ds");
    files.Add("C:\\models\\readme.txt", "");
    // A host name Windows cannot hold.
    files.Add("C:\\models\\wall:2.3ds", "3ds");
  }
};

TEST_F(ShapeDirTest, ConvertingStartsAtTheSourceFolderAndOnlyChoosingTheSourceStoresIt) {
  main->fields.ShapeDir = "C:\\models";
  main->fields.ShUnicode = false;
  ui.folders = {std::string("C:\\models"), std::nullopt, std::string("C:\\models"), std::nullopt};
  Convert1Click(*main);
  main->fields.ShapeDir = "C:\\gone";
  Convert1Click(*main);
  EXPECT_EQ(processes.runs.size(), 2u);
  EXPECT_EQ(Logged().front(), "Skipped wall:2.3ds: not a file name Windows can hold");
  EXPECT_EQ(main->settings.ReadString("PATHS", "LASTDIR", "<none>"), "<none>");
  ShDirClick(*main);
  ShDirClick(*main);
  const std::string source = "Folder: Select directory, containing *.3ds-files";
  EXPECT_EQ(ui.shown, (Lines{"Folder: Select convert directory", "Folder: Select convert directory",
                             source, source}));
  EXPECT_EQ(ui.folder_initials, (Lines{"C:\\models", "", "", ""}));
  EXPECT_EQ(main->fields.ShapeDir, "C:\\models");
  EXPECT_EQ(main->fields.dsOpenInitialDir, "C:\\models");
  EXPECT_EQ(main->settings.ReadString("PATHS", "LASTDIR", ""), "C:\\models");
}

}  // namespace
}  // namespace convert
