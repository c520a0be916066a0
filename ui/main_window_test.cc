#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <set>

#include "core/error.h"
#include "ui/clear_unused.h"
#include "ui/edit_form.h"
#include "ui/texture_dialog.h"
#include "tests/support/window_fixture.h"

namespace ui {
namespace {

using core::Msg;

class MainWindowTest : public WindowFixture {};

// Every text the window shows a person, and with `heard`, a screen reader.
std::set<QString> Shown(QWidget& window, bool heard) {
  std::set<QString> shown;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    shown.insert(control->toolTip());
    if (heard) shown.insert(control->accessibleName());
    if (auto* button = qobject_cast<QAbstractButton*>(control)) shown.insert(button->text());
    if (auto* label = qobject_cast<QLabel*>(control)) shown.insert(label->text());
    if (auto* group = qobject_cast<QGroupBox*>(control)) shown.insert(group->title());
    if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
      for (int page = 0; page < tabs->count(); ++page) shown.insert(tabs->tabText(page));
    }
  }
  for (QAction* action : window.findChildren<QAction*>()) shown.insert(action->text());
  return shown;
}

// The controls showing a caption narrower than it needs (a push button
// a character's width beside it on either side), the page tabs that do not
// all fit their bar, and a list of objects or jobs narrower than its rows.
std::vector<std::string> Clipped(QWidget& top) {
  std::vector<std::string> clipped;
  for (QWidget* control : top.findChildren<QWidget*>()) {
    if (!control->isVisible()) continue;
    QString text;
    int needed = control->sizeHint().width();
    if (auto* push = qobject_cast<QPushButton*>(control)) {
      text = push->text();
      const QFontMetrics metrics = push->fontMetrics();
      needed = metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      text = button->text();
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      text = label->text();
    } else if (auto* tabs = qobject_cast<QTabBar*>(control)) {
      text = tabs->tabText(tabs->count() - 1);
      needed = tabs->tabRect(tabs->count() - 1).right() + 1;
    } else if (auto* list = qobject_cast<QListWidget*>(control);
               list && list->objectName() == "ClDeleteList" && list->count() > 0) {
      text = list->item(0)->text();
      needed = list->sizeHintForColumn(0);
      control = list->viewport();
    }
    if (!text.isEmpty() && control->width() < needed) {
      clipped.push_back(text.toStdString() + ": " + std::to_string(control->width()) + " < " +
                        std::to_string(needed));
    }
  }
  return clipped;
}

// In both languages, with the Linux fonts and with Tahoma, the font of
// Windows' dialogs (Wine's own, package fonts-wine): the language menu
// leaves no text of the other language anywhere and stores the choice, Qt's
// own buttons and file dialogs follow, no caption of a page or of a dialog
// is cut, and the restore list shows its job lines whole.
TEST_F(MainWindowTest, TheLanguageMenuSwitchesEveryCaptionAndEachFitsInEitherFont) {
  const int tahoma = QFontDatabase::addApplicationFont("/usr/share/wine/fonts/tahoma.ttf");
  ASSERT_GE(tahoma, 0) << "Wine's Tahoma (package fonts-wine) is missing";
  const QFont linux_font = QApplication::font();
  const QFont windows_font(QFontDatabase::applicationFontFamilies(tahoma)[0], 8);
  // One control of each kind of caption: tab, frame, button, box, label,
  // menu item and hint.
  const Msg captions[] = {Msg::CapTextures,   Msg::CapClearing,       Msg::CapDeleteNotInRef,
                          Msg::CapRoute,      Msg::CapConvertUnicode, Msg::CapListUnique,
                          Msg::CapConvertDir, Msg::HintShapeDir};
  for (const QFont& font : {linux_font, windows_font}) {
    QApplication::setFont(font);
    TConvMainForm window(Main(), routes, operations);
    window.findChild<QAbstractButton*>("AddAddToRef")->click();  // its fields shown
    window.show();
    for (int number : {core::kRussian, core::kEnglish}) {
      const std::string where = font.family().toStdString() + (number ? ", English" : ", Russian");
      window.findChild<QAction*>(number == core::kRussian ? "Russian1" : "English1")->trigger();
      const core::Language texts(number);
      const core::Language other(1 - number);
      const std::set<QString> seen = Shown(window, false);
      for (Msg key : captions) EXPECT_TRUE(seen.contains(Q(texts[key]))) << where << texts[key];
      const std::set<QString> shown = Shown(window, true);
      for (int key = 0; key < core::kMessageCount; ++key) {
        const QString stale = Q(other[static_cast<Msg>(key)]);
        if (stale == Q(texts[static_cast<Msg>(key)])) continue;
        EXPECT_FALSE(shown.contains(stale)) << where << ": " << stale.toStdString();
      }
      EXPECT_EQ(Main().settings.ReadInteger("INF", "LANGUAGE", -1), number);
      QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
      EXPECT_EQ(box.button(QMessageBox::No)->text(), number == core::kRussian ? "&Нет" : "&No");
      EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"),
                number == core::kRussian ? "Перейти к:" : "Look in:");

      auto* pages = window.findChild<QTabWidget*>("PageControl1");
      for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        EXPECT_EQ(Clipped(window), std::vector<std::string>{}) << where << ", page " << page;
      }
      const std::string job = "2024-06-01 10:16:48, " + texts[Msg::CapDeleteNotInRef] + ", " +
                              texts.Format(Msg::JobCounts, "120", "1375") + texts[Msg::JobCutShort];
      core::ChoiceList jobs(Msg::CapJobsToRestore, {job});
      TClearUnused restore(jobs, texts, &window);
      core::EntryForm entry{"Static", {{"FileName", "barn.s"}}};
      TEditForm editor(entry, texts, &window);
      TMMT texture({texts[Msg::CapTextureReplace] + "brick.ace", texts[Msg::CapTextures],
                    texts[Msg::CapChangeOn], {"brick2"}, "brick"},
                   &window);
      for (QDialog* dialog : std::initializer_list<QDialog*>{&restore, &editor, &texture}) {
        dialog->show();
        QApplication::processEvents();
        EXPECT_EQ(Clipped(*dialog), std::vector<std::string>{})
            << where << ", " << dialog->objectName().toStdString();
        dialog->hide();
      }
    }
  }
  QApplication::setFont(linux_font);
}

TEST_F(MainWindowTest, AFirstStartWithoutConvIniShowsTheSettingsPageAndRoutePagesLeadBackToIt) {
  ASSERT_TRUE(files.DeleteFile("C:\\work\\conv.ini"));
  auto* pages = Find<QTabWidget>("PageControl1");
  EXPECT_EQ(pages->currentIndex(), static_cast<int>(ops::Page::kSettings));
  Click("ShProc");
  pages->setCurrentIndex(static_cast<int>(ops::Page::kClearing));  // no MSTS root yet
  EXPECT_EQ(pages->currentIndex(), static_cast<int>(ops::Page::kSettings));
  EXPECT_EQ(ui.shown, (std::vector<std::string>{
                          "Warning: Невозможно найти conv3ds.exe",
                          "Warning: Выберите директорию MSTS\n\nДиректория MSTS задаётся на "
                          "странице \"Установки\" (\"Обзор...\" рядом с \"Директория MSTS\")."}));
}

// A path typed in the host's form takes its Windows form when typing ends.
TEST_F(MainWindowTest, ConversionButtonsRunWithTheirPagesValuesTypedInEitherForm) {
  files.Add("Z:\\tex\\a.tga", "image");
  processes.on_run = [this](const test_support::FakeProcesses::Call&) {
    files.Add("C:\\out\\a.ace", "texture");
    return platform::ToolRun{true, ""};
  };
  Type("TexSource", "/tex/a.tga");
  EXPECT_EQ(Main().fields.TexSource, "/tex/a.tga");
  QTest::keyClick(Find<QLineEdit>("TexSource"), Qt::Key_Return);
  EXPECT_EQ(Find<QLineEdit>("TexSource")->text(), "Z:\\tex\\a.tga");
  Type("TexOutput", "C:\\out\\a.ace");
  Click("TexCmpDXT");
  Click("TexTrans");
  Click("TexProc");
  ASSERT_EQ(processes.runs.size(), 1u);
  EXPECT_EQ(processes.runs[0].command_line,
            "C:\\MSTS\\UTILS\\makeace.exe a.tga \"C:\\out\\a.ace\" -trans -dxt");

  Click("TexCab");
  EXPECT_TRUE(Find<QWidget>("GroupBox3")->isEnabled());

  Type("AddTextures", "/t/a.ace;C:\\b.ace;");
  QTest::keyClick(Find<QLineEdit>("AddTextures"), Qt::Key_Return);
  EXPECT_EQ(Main().fields.AddTextures, "Z:\\t\\a.ace;C:\\b.ace;");

  Type("ConTexV", "mk.exe");
  EXPECT_EQ(Main().settings.ReadString("PATHS", "MAKEACE", ""), "mk.exe");
}

TEST_F(MainWindowTest, TheAddingPageInstallsAShapeAndClosingReleasesTheRouteWritingNothing) {
  files.Add("C:\\models\\barn.s", "barn shape");
  Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(ops::Page::kAdding));
  auto* route = Find<QComboBox>("AddRoute");
  ASSERT_EQ(route->count(), 1);
  route->activated(0);
  EXPECT_EQ(Find<QComboBox>("ClRoute")->currentText(), "Line");
  EXPECT_EQ(Find<QComboBox>("AddClass")->itemText(0), "Houses");
  Type("AddShapeFile", "C:\\models\\barn.s");
  Click("AddAddToRef");
  Find<QComboBox>("AddClass")->setEditText("Barns");
  Click("AddProc");
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\Line\\SHAPES\\barn.s"), "barn shape");
  EXPECT_NE(files.Content("C:\\MSTS\\ROUTES\\Line\\Line.ref").find(
                platform::Utf8ToUtf16Le("Class ( Barns )")),
            std::string::npos);
  EXPECT_EQ(Find<QPlainTextEdit>("Console")->toPlainText(),
            "C:\\models\\barn.s: shape succesfully added");

  const std::string ref = files.Content("C:\\MSTS\\ROUTES\\Line\\Line.ref");
  ASSERT_NE(routes.CurrentRoute, nullptr);
  routes.CurrentRoute->Entries.clear();
  Window().close();
  EXPECT_EQ(routes.CurrentRoute, nullptr);
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\Line\\Line.ref"), ref);
}

TEST_F(MainWindowTest, EachClearingButtonAndCreateDoTheirOwnJob) {
  const std::string route = "C:\\MSTS\\ROUTES\\Line\\";
  files.Add(route + "Line.ref", test_support::MstsFile("r1", "Static ( FileName ( hut.s ) )\r\n"
                                                            "Static ( FileName ( HUT.S ) )\r\n"
                                                            "Static ( FileName ( gone.s ) )\r\n"
                                                            "Static ( FileName ( shed.s ) )\r\n"));
  for (const char* shape : {"hut.s", "shed.s", "orphan.s"})
    files.Add(route + "SHAPES\\" + shape, "");
  files.Add(route + "WORLD\\w.w",
            test_support::MstsFile("w0", "Tr_Worldfile ( Static ( FileName ( hut.s ) ) )\r\n"));
  files.Add("C:\\MSTS\\ROUTES\\EUROPE1\\SHAPES\\hut.s", "");
  operations = ProgramOperations();
  Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(ops::Page::kClearing));
  Find<QComboBox>("ClRoute")->activated(0);
  // Each shows its own choice list (always cancelled here), question or
  // log line.
  const std::pair<const char*, const char*> presses[] = {
      {"ClCheck", "Ask: Save the report to a file?"},
      {"ClUnused", "Objects: 2 rows"},
      {"ClDelUnnamed", "Objects: 1 rows, Add"},
      {"ClDuplicates", "Deleted 1 duplicated entries"},
      {"ClDelUnex", "Deleted 1 unexisting file entries"},
      {"ClRestore", "Objects: 2 rows"},
  };
  for (const auto& [button, result] : presses) {
    const size_t shown = ui.shown.size();
    Click(button);
    EXPECT_EQ(ui.shown.size() > shown ? ui.shown.back() : Main().log.lines().back(), result)
        << button;
  }
  auto* list = Find<QListWidget>("ClShapes");
  ASSERT_EQ(list->count(), 2);
  // A double click edits the entry of its row.
  std::string edited;
  ui.edit_entry = [&edited](core::EntryForm& form) {
    edited = form.rows.at(0).value;
    return false;
  };
  list->itemDoubleClicked(list->item(1));
  EXPECT_EQ(edited, "shed.s");

  Find<QComboBox>("CrRoute")->activated(0);
  // The batch lines stand alone in the box that is saved.
  Click("CrOptBat");
  Click("CrProc");
  EXPECT_EQ(ui.shown.back(), "Save: *.*|*.*");
  EXPECT_EQ(Find<QPlainTextEdit>("CrOut")->toPlainText(),
            "copy \"EUROPE1\\SHAPES\\hut.s\" \"Line\\SHAPES\\hut.s\"");
}

// Long work that ends in an error: the error is reported, a click given
// meanwhile is dropped, not acted on after it, and the window goes on.
TEST_F(MainWindowTest, AnErrorIsReportedInputGivenDuringLongWorkDroppedAndTheWindowGoesOn) {
  int deletes = 0;
  operations.ClDeleteClick = [&deletes](core::ConvMain&, ops::RouteState&) { ++deletes; };
  operations.ClPropPrClick = [this](core::ConvMain&, ops::RouteState&) {
    // A click that waits in the queue until the work is done.
    QPushButton* button = Find<QPushButton>("ClDelete");
    const QPointF centre = QRectF(button->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(button, new QMouseEvent(type, centre, button->mapToGlobal(centre),
                                                          Qt::LeftButton, Qt::LeftButton,
                                                          Qt::NoModifier));
    }
    QTest::qSleep(400);
    throw core::Error("Cannot open file C:\\MSTS\\ROUTES\\Line\\Line.ref");
  };
  Click("ClPropPr");
  QCoreApplication::processEvents();
  EXPECT_EQ(deletes, 0);
  EXPECT_EQ(ui.shown, (std::vector<std::string>{
                          "Error report: Cannot open file C:\\MSTS\\ROUTES\\Line\\Line.ref"}));
  Click("ClDelete");
  EXPECT_EQ(deletes, 1);
}

}  // namespace
}  // namespace ui
