// The whole Clearing flow done with the keyboard alone: every key goes to
// the control that has the focus, or to the open message box, as it would
// for a person who cannot use a mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "tests/support/msts_text.h"
#include "ui/operations.h"
#include "ui/qt_ui.h"
#include "tests/support/window_fixture.h"

namespace ui {
namespace {

const std::string kRoute = "C:\\MSTS\\ROUTES\\Line\\";

// The window fixture's installation, its route holding three shapes, with
// the program's own operations and message boxes.
class KeyboardTest : public WindowFixture {
 protected:
  KeyboardTest() {
    files.Add(kRoute + "Line.ref",
              test_support::MstsFile("r1", "Static ( FileName ( hut.s ) )\r\n"
                                           "Static ( FileName ( shed.s ) )\r\n"
                                           "Static ( FileName ( barn.s ) )\r\n"));
    for (const char* shape : {"shed.s", "barn.s"}) files.Add(kRoute + "SHAPES\\" + shape, shape);
    // The first shape wears a texture: the strip shows, and is in the tab order.
    files.Add(kRoute + "SHAPES\\hut.s",
              test_support::MstsText("s1", "shape ( images ( 1 image ( hut.ace ) ) )\r\n"));
    shows = &message_boxes;
    operations = ProgramOperations();
    message_boxes.Attach(&Window(), &Main().language);
    Window().show();
    QApplication::setActiveWindow(&Window());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window()));
    AnswerBoxes();
  }

  // The key goes where the keyboard's input goes: the open message box, or
  // the control with the focus.
  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::activeModalWidget();
    if (!target) target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    if (QWidget* focus = target->focusWidget()) target = focus;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }
  static QString Focused() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
  }
  // Tab, as a person does, until the focus reaches the control.
  static void TabTo(const char* name) {
    for (int presses = 0; presses < 60 && Focused() != name; ++presses) Press(Qt::Key_Tab);
    ASSERT_EQ(Focused(), name);
  }
  // Every message box that opens is noted and answered with the next key
  // given, or closed with Escape when none is left.
  void AnswerBoxes() {
    auto* timer = new QTimer(&Window());
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box->property("answered").toBool()) return;
      box->setProperty("answered", true);
      boxes.push_back(box->text().toStdString());
      int key = Qt::Key_Escape;
      if (!answers.empty()) {
        key = answers.front();
        answers.erase(answers.begin());
      }
      Press(key);
    });
    timer->start(10);
  }

  QtUi message_boxes{files};
  std::vector<int> answers;
  std::vector<std::string> boxes;
};

TEST_F(KeyboardTest, TheClearingFlowNeedsNoMouse) {
  // The page keys turn the pages whatever control has the focus: a route box
  // keeps Ctrl+Tab no more than a line box keeps Ctrl+PageDown.
  auto* pages = Find<QTabWidget>("PageControl1");
  const int clearing = static_cast<int>(ops::Page::kClearing);
  for (int presses = 0; presses < 6 && pages->currentIndex() != clearing; ++presses) {
    Press(Qt::Key_PageDown, Qt::ControlModifier);
  }
  ASSERT_EQ(pages->currentIndex(), clearing);
  TabTo("ClRoute");
  Press(Qt::Key_Down);  // the first route, which lists its entries
  auto* list = Find<QListWidget>("ClShapes");
  ASSERT_EQ(list->count(), 3);
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages->currentIndex(), clearing + 1);
  Press(Qt::Key_PageUp, Qt::ControlModifier);
  ASSERT_EQ(pages->currentIndex(), clearing);

  TabTo("ClPropPr");
  Press(Qt::Key_Space);  // Show again: the same rows
  ASSERT_EQ(list->count(), 3);

  // Each control once, in the order they stand: the texture strip after the jobs.
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focused(), "ClShapes");
  Press(Qt::Key_Down);
  Press(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(routes.ClShapesSelected, (std::vector<bool>{false, true, true}));

  Press(Qt::Key_Tab);
  ASSERT_EQ(Focused(), "ClDelete");
  answers = {Qt::Key_Return, Qt::Key_Escape};  // files: Yes; textures: No
  Press(Qt::Key_Space);

  EXPECT_EQ(boxes,
            (std::vector<std::string>{"Delete files?", "Delete textures, used in shapes?"}));
  // The selected rows went, their shapes into the backup.
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(files.Content(kRoute + "Rastolin_backups\\SHAPES\\barn.s"), "barn.s");
}

}  // namespace
}  // namespace ui
