#include "ui/texture_strip.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>

#include "demo/ace_writer.h"
#include "tests/support/window_fixture.h"

namespace ui {
namespace {

class TextureStripTest : public WindowFixture {};

// What the strip says of each texture: its accessible name.
QStringList Items(QListWidget& strip) {
  QStringList items;
  for (int row = 0; row < strip.count(); ++row) {
    items.append(strip.item(row)->data(Qt::AccessibleTextRole).toString());
  }
  return items;
}

// The focused entry's textures, each thumbnail made off the interface
// thread: a missing one, a damaged one, a seasonal copy, a name leading out
// of the route; a shape that cannot be read, or names none, is one line.
TEST_F(TextureStripTest, TheFocusedEntrysTexturesShowWithTheirSizeOrWhyNot) {
  const std::string route = "C:\\MSTS\\ROUTES\\Line\\";
  files.Add(route + "Line.ref",
            test_support::MstsFile("r1", "Static ( FileName ( hut.s ) )\r\n"
                                         "Static ( FileName ( gone.s ) )\r\n"
                                         "Static ( FileName ( bare.s ) )\r\n"
                                         "Transfer ( FileName ( edge.ace ) )\r\n"));
  files.Add(route + "SHAPES\\hut.s",
            test_support::MstsFile("s1", "shape ( images ( 5 image ( Brick.ace ) "
                                         "image ( porch.ace ) image ( iron.ace ) "
                                         "image ( ..\\..\\x.ace ) image ( brick.ace ) ) )\r\n"));
  files.Add(route + "SHAPES\\bare.s", test_support::MstsFile("s1", "shape ( )\r\n"));
  const std::string texture =
      standin::WriteAce(standin::MakeImage(8, 4, [](int, int) { return 0x804020FFu; }), {});
  files.Add(route + "TEXTURES\\brick.ace", texture);
  files.Add(route + "TEXTURES\\SNOW\\brick.ace", texture);
  files.Add(route + "TEXTURES\\edge.ace", texture);
  files.Add(route + "TEXTURES\\iron.ace", texture.substr(0, texture.size() - 1));
  operations = ProgramOperations();
  Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(ops::Page::kClearing));
  Find<QComboBox>("ClRoute")->activated(0);

  struct Row {
    QStringList items;
    QString line;
  };
  const Row rows[] = {
      {{QString::fromUtf8("Brick.ace, 8×4"), QString::fromUtf8("SNOW\\Brick.ace, 8×4"),
        "porch.ace, missing", "iron.ace, damaged", "..\\..\\x.ace, outside the route"},
       ""},
      {{}, "gone.s: shape not found"},
      {{}, "bare.s names no texture"},
      {{QString::fromUtf8("edge.ace, 8×4")}, ""},
  };
  auto* entries = Find<QListWidget>("ClShapes");
  auto* strip = Find<QListWidget>("ClTexturesItems");
  auto* line = Find<QLabel>("ClTexturesProblem");
  for (int row = 0; row < 4; ++row) {
    entries->setCurrentRow(row);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Items(*strip) == rows[row].items; }, 5000))
        << row << ": " << Items(*strip).join(" | ").toStdString();
    EXPECT_EQ(line->isVisibleTo(strip->parentWidget()), !rows[row].line.isEmpty()) << row;
    EXPECT_EQ(line->text(), rows[row].line) << row;
  }

  // A double click shows the texture in the viewer, a level at a time.
  ASSERT_EQ(strip->count(), 1);  // the last entry's edge.ace
  QStringList levels;
  QTimer::singleShot(0, [&levels] {
    QWidget* viewer = QApplication::activeModalWidget();
    if (!viewer || viewer->objectName() != "TextureViewer") return;
    auto* chooser = viewer->findChild<QComboBox*>("ViewerLevel");
    for (int level = 0; level < chooser->count(); ++level) levels.append(chooser->itemText(level));
    viewer->close();
  });
  strip->itemDoubleClicked(strip->item(0));
  EXPECT_EQ(levels, (QStringList{QString::fromUtf8("0: 8×4"), QString::fromUtf8("1: 4×2"),
                                 QString::fromUtf8("2: 2×1"), QString::fromUtf8("3: 1×1")}));
}

}  // namespace
}  // namespace ui
