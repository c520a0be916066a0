#include "convert/shape_dir.h"

#include "tests/support/convert_fixture.h"

namespace convert {
namespace {

// Grouping a folder's models is checked end to end; here the two buttons.
class ShapeDirTest : public ConvertFixture {};

TEST_F(ShapeDirTest, ConvertingStartsAtTheSourceFolderAndOnlyChoosingTheSourceStoresIt) {
  files.Add("C:\\models\\wall.3ds", "3ds");
  files.Add("C:\\models\\wall:2.3ds", "3ds");  // a host name Windows cannot hold
  main->fields.ShapeDir = "C:\\models";
  ui.folders = {std::string("C:\\models"), std::nullopt, std::string("C:\\models"), std::nullopt};
  Convert1Click(*main);
  main->fields.ShapeDir = "C:\\gone";
  Convert1Click(*main);
  EXPECT_EQ(Logged().front(), "Skipped wall:2.3ds: not a file name Windows can hold");
  EXPECT_EQ(main->settings.ReadString("PATHS", "LASTDIR", "<none>"), "<none>");
  ShDirClick(*main);
  ShDirClick(*main);
  const std::string source = "Folder: Select directory, containing *.3ds-files";
  EXPECT_EQ(ui.shown, (Lines{"Folder: Select convert directory", "Folder: Select convert directory",
                             source, source}));
  EXPECT_EQ(ui.folder_initials, (Lines{"C:\\models", "", "", ""}));
  EXPECT_EQ(main->fields.dsOpenInitialDir, "C:\\models");
  EXPECT_EQ(main->settings.ReadString("PATHS", "LASTDIR", ""), "C:\\models");
}

}  // namespace
}  // namespace convert
