#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/language.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_prefix.h"
#include "ui/clear_unused.h"
#include "ui/edit_form.h"
#include "ui/qt_ui.h"
#include "ui/texture_dialog.h"
#include "ui/window_mode.h"

namespace ui {
namespace {

using Names = std::vector<std::string>;

const core::Language kEnglish(core::kEnglish);

template <typename Control>
Control* Find(QWidget& dialog, const QString& name) {
  auto* control = dialog.findChild<Control*>(name);
  EXPECT_NE(control, nullptr) << name.toStdString();
  return control;
}

Names Rows(const QListWidget* list) {
  Names rows;
  for (int row = 0; row < list->count(); ++row) rows.push_back(list->item(row)->text().toStdString());
  return rows;
}

TEST(ClearUnusedTest, SelectsAllOrNoneAndAddsTheSelectedRows) {
  Names added;
  core::ChoiceList list({"shed.s", "Barn.s", "arch.s"},
                        [&added](const Names& names) { added = names; });
  TClearUnused dialog(list, kEnglish, nullptr);
  auto* rows = Find<QListWidget>(dialog, "ClDeleteList");
  EXPECT_EQ(Rows(rows), (Names{"arch.s", "Barn.s", "shed.s"}));
  EXPECT_FALSE(Find<QPushButton>(dialog, "ClAddToRef")->isHidden());

  Find<QPushButton>(dialog, "ClAll")->click();
  EXPECT_EQ(list.SelectedNames(), (Names{"arch.s", "Barn.s", "shed.s"}));
  EXPECT_EQ(rows->selectedItems().size(), 3);
  Find<QPushButton>(dialog, "ClNone")->click();
  EXPECT_TRUE(list.SelectedNames().empty());
  EXPECT_TRUE(rows->selectedItems().empty());

  rows->item(1)->setSelected(true);
  Find<QPushButton>(dialog, "ClAddToRef")->click();
  EXPECT_EQ(added, Names{"Barn.s"});
  EXPECT_EQ(Rows(rows), (Names{"arch.s", "shed.s"}));

  // Restore's jobs keep their order (newest first) under their own caption.
  core::ChoiceList jobs(core::Msg::CapJobsToRestore, {"2024-05-02, b", "2024-05-01, a"});
  TClearUnused plain(jobs, kEnglish, nullptr);
  EXPECT_TRUE(Find<QPushButton>(plain, "ClAddToRef")->isHidden());
  EXPECT_EQ(plain.windowTitle(), "Jobs to restore");
  EXPECT_EQ(Rows(Find<QListWidget>(plain, "ClDeleteList")), (Names{"2024-05-02, b", "2024-05-01, a"}));
}

TEST(EditFormTest, RowsAreAddedDeletedRenumberedAndRenamedByClickOrKeyboard) {
  core::EntryForm form{"Static",
                       {{"FileName", "hut.s"}, {"Description", "Hut"}, {"Class", "Houses"}}};
  TEditForm dialog(form, kEnglish, nullptr);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Find<QPushButton>(dialog, "rfAdd")->click();
  ASSERT_NE(dialog.findChild<QLabel*>("rfName4"), nullptr);

  Find<QPushButton>(dialog, "rfDelete2")->click();
  QTest::qWait(0);
  EXPECT_EQ(dialog.findChild<QLabel*>("rfName4"), nullptr);
  EXPECT_EQ(Find<QLabel>(dialog, "rfName2")->text(), "Class");
  EXPECT_EQ(Find<QLabel>(dialog, "rfName3")->text(), "Property");

  // A click on a name opens the chooser of the known names on it.
  QTest::mouseClick(Find<QLabel>(dialog, "rfName3"), Qt::LeftButton);
  auto* chooser = Find<QComboBox>(dialog, "PropertyChooser");
  EXPECT_EQ(chooser->currentText(), "Property");
  chooser->setCurrentText("Shadow");
  Find<QComboBox>(dialog, "ShapeType")->setEditText("Hazard");
  QTest::keyClicks(Find<QLineEdit>(dialog, "rfValue3"), "ROUND");
  // So do F2 and Space, on another name; Return takes the name typed.
  auto* name = Find<QLabel>(dialog, "rfName2");
  for (Qt::Key key : {Qt::Key_F2, Qt::Key_Space}) {
    name->setFocus();
    QTest::keyClick(name, key);
    chooser = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_TRUE(chooser && chooser->objectName() == "PropertyChooser");
    QTest::keyClicks(chooser->lineEdit(), key == Qt::Key_F2 ? "Align" : "Kind");
    QTest::keyClick(chooser->lineEdit(), Qt::Key_Return);
    QTest::qWait(0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(name->hasFocus());
  }
  EXPECT_EQ(name->text(), "Kind");
  dialog.accept();

  EXPECT_EQ(form.block_type, "Hazard");
  ASSERT_EQ(form.rows.size(), 3u);
  EXPECT_EQ(form.rows[1].name, "Kind");
  EXPECT_EQ(form.rows[2].name, "Shadow");
  EXPECT_EQ(form.rows[2].value, "ValueROUND");
}

TEST(TextureDialogTest, OffersTheNameAndGivesTheChoice) {
  const core::TextureChoice choice{"Texture replace brick.ace", "Textures", "Change on",
                                   {"brick2", "stone"}, "brick"};
  for (bool save : {true, false}) {
    TMMT dialog(choice, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Texture replace brick.ace");
    EXPECT_EQ(Find<QComboBox>(dialog, "ChangeTex")->count(), 2);
    QTimer::singleShot(0, &dialog, [&dialog, save] {
      EXPECT_EQ(Find<QComboBox>(dialog, "ChangeTex")->currentText(), "brick");
      Find<QComboBox>(dialog, "ChangeTex")->setEditText("stone");
      Find<QPushButton>(dialog, save ? "Button1" : "Button2")->click();
    });
    EXPECT_EQ(dialog.Choose(), save ? std::optional<std::string>("stone") : std::nullopt);
  }
}

TEST(FileDialogTest, FiltersTakeQtsForm) {
  EXPECT_EQ(QtFilter("Targa Bitmap(*.tga)|*.tga|Bitmap(*.bmp)|*.bmp"),
            "Targa Bitmap(*.tga);;Bitmap(*.bmp)");
  EXPECT_EQ(QtFilter("ACE File|*.ace"), "ACE File (*.ace)");
}

// No display named, or none that opens; and a program copied away from the
// window's program beside it, which it becomes only for the window.
TEST(WindowModeTest, WhenTheWindowCannotOpenOneLineSaysWhatToDo) {
  test_support::TempPrefix prefix;
  prefix.MakeFolder("C:\\work");
  const std::filesystem::path alone = prefix.Host("C:\\work") / "rastolin";
  std::filesystem::copy_file(test_support::RastolinBinary(), alone);
  // Without a conv.ini, in Russian.
  const core::Language texts(core::kRussian);
  const std::string no_display = texts[core::Msg::NoDisplayForWindow] + "\n";
  const std::filesystem::path window =
      std::filesystem::canonical(alone).parent_path() / "rastolin_window";
  const struct {
    std::filesystem::path program;
    const char* display;
    std::string errors;
  } cases[] = {
      {test_support::RastolinBinary(), "", no_display},
      {test_support::RastolinBinary(), ":97", no_display},
      {alone, "",
       texts.Format(core::Msg::WindowCannotOpen,
                    texts.Format(core::Msg::WindowNotStarted, window.string(),
                                 "No such file or directory")) +
           "\n"},
  };
  for (const auto& start : cases) {
    test_support::ProgramRun run = test_support::RunProgram(
        start.program, {}, prefix.Host("C:\\work"),
        {{"WINEPREFIX", prefix.prefix().string()}, {"DISPLAY", start.display},
         {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}},
        "");
    EXPECT_EQ(run.exit_code, 2) << start.program << start.display;
    EXPECT_EQ(run.errors, start.errors);
    EXPECT_EQ(run.output, "");
  }
}

}  // namespace
}  // namespace ui
