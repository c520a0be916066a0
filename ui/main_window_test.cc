#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "core/error.h"
#include "ui/window_fixture.h"

namespace ui {
namespace {

using core::Msg;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// What a control shows as its caption: a button's or label's text, a
// frame's title, a menu item's text, a page's tab.
QString Caption(QWidget& window, const char* name) {
  if (auto* action = window.findChild<QAction*>(name)) return action->text();
  QWidget* control = window.findChild<QWidget*>(name);
  if (!control) return "<missing " + QString(name) + ">";
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
  auto* tabs = window.findChild<QTabWidget*>("PageControl1");
  return tabs->tabText(tabs->indexOf(control));
}

// A control's value with the states that differ from a plain shown,
// enabled control.
QString State(QWidget* control) {
  QString state;
  if (auto* box = qobject_cast<QAbstractButton*>(control)) {
    state = box->isChecked() ? "checked" : "unchecked";
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    state = "'" + edit->text() + "'";
  } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
    state = "'" + spin->text() + "'";
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    state = "'" + combo->currentText() + "'";
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
    state = "'" + memo->toPlainText() + "'";
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    state = QString::number(list->count()) + " rows";
  }
  if (control->isHidden()) state += " hidden";
  if (!control->isEnabled()) state += " disabled";
  return state.trimmed();
}

struct Captioned {
  const char* name;
  Msg key;
};

// Every caption the message table gives the window.
const Captioned kCaptions[] = {
    {"TabSheet1", Msg::CapTextures}, {"TabSheet2", Msg::CapShapes},
    {"TabSheet4", Msg::CapAddingPage}, {"Clearing", Msg::CapClearing},
    {"TabSheet5", Msg::CapShapesTextures}, {"TabSheet3", Msg::CapSettings},
    {"GroupBox1", Msg::CapTextureConversion}, {"GroupBox2", Msg::CapShapesConversion},
    {"GroupBox4", Msg::CapAddingToRoute}, {"GroupBox7", Msg::CapClearing},
    {"TexBrowse", Msg::CapBrowse}, {"TexOut", Msg::CapBrowse}, {"ShBrowse", Msg::CapBrowse},
    {"Button1", Msg::CapBrowse}, {"MSTSSelect", Msg::CapBrowse},
    {"AddShapeBrowse", Msg::CapBrowse}, {"ShIBrowse", Msg::CapBrowse},
    {"AddTexBrowse", Msg::CapBrowse}, {"ShDir", Msg::CapBrowse},
    {"StaticText1", Msg::CapSourceFile}, {"StaticText2", Msg::CapOutputFile},
    {"StaticText5", Msg::CapOutputFile}, {"ShUnicode", Msg::CapConvertUnicode},
    {"ShCompress", Msg::CapConvertBinary}, {"StaticText3", Msg::CapPaths},
    {"Label1", Msg::CapConverterPath}, {"Label5", Msg::CapMstsRoot},
    {"StaticText10", Msg::CapShapeFile}, {"StaticText11", Msg::CapTextureFile},
    {"StaticText7", Msg::CapRoute}, {"StaticText20", Msg::CapRoute},
    {"StaticText22", Msg::CapRoute}, {"StaticText8", Msg::CapClassName},
    {"StaticText9", Msg::CapDescription}, {"AddProc", Msg::CapAddShape},
    {"AddTexProc", Msg::CapAddTextures}, {"AddAddToRef", Msg::CapAddToRef},
    {"CrSD", Msg::CapCreateSd}, {"StaticText4", Msg::CapSource3ds},
    {"TexCompress", Msg::CapZlib}, {"TexCmpDXT", Msg::CapDxt},
    {"TexNo", Msg::CapNoCompression}, {"TexProc", Msg::CapRun}, {"ShProc", Msg::CapRun},
    {"StaticText14", Msg::CapSourceDir}, {"TexCab", Msg::CapBitmap},
    {"StaticText6", Msg::CapShadow}, {"StaticText17", Msg::CapAlign},
    {"ShMipMap", Msg::CapMipmapping}, {"ShCheckTex", Msg::CapCheckTextures},
    {"Label2", Msg::CapTextureConverter}, {"Label3", Msg::CapShapeConverter},
    {"ClDuplicates", Msg::CapDeleteDuplicates}, {"ClDelete", Msg::CapDeleteSelected},
    {"ClUnused", Msg::CapDeleteUnused}, {"ClDelUnnamed", Msg::CapDeleteNotInRef},
    {"ClDelUnex", Msg::CapDeleteNonexistent}, {"ClPropPr", Msg::CapShow},
    {"StaticText21", Msg::CapProperties}, {"StaticText12", Msg::CapStandardRoutes},
    {"StaticText13", Msg::CapRoutesToCompare}, {"TexTrans", Msg::CapTransparency},
    {"StaticText15", Msg::CapWidth}, {"StaticText16", Msg::CapHeight},
    {"Exit1", Msg::CapExit}, {"Batch1", Msg::CapConvertDir}, {"BtObj1", Msg::CapWithShapes},
    {"BtTex1", Msg::CapWithTextures}, {"CrTex", Msg::CapCheckTexturesCmp},
    {"CrSh", Msg::CapCheckShapes}, {"CrOptBat", Msg::CapCreateBat},
    {"CrOptList", Msg::CapListCommon}, {"CrOptUn", Msg::CapListUnique},
};

const Captioned kHints[] = {
    {"ShCheckTex", Msg::HintCheckTextures}, {"TexCab", Msg::HintBitmap},
    {"ShapeDir", Msg::HintShapeDir}};

const std::pair<const char*, const char*> kFixedCaptions[] = {
    {"This1", "this"}, {"Help1", "?"}, {"Language1", "Language"}, {"Russian1", "Russian"},
    {"English1", "English"}, {"About1", "About.."}, {"CrProc", "Create"},
    {"CrEur1", "Settle - Carlisle"}, {"CrEur2", "Innsbruck - St.Anton"}, {"CrUS1", "NEC"},
    {"CrUS2", "Mariass Pass"}, {"CrJP1", "Tokio - Hakone"}, {"CrJP2", "Hisatsu line"},
    {"LabelESDDL", "ESD Detail Level"}, {"LabelESDAT", "ESD Alternative Texture"},
    {"AddESDB", "ESD Bounding Box"}};

class MainWindowTest : public WindowFixture {};

TEST_F(MainWindowTest, EveryPageStartsWithItsDefaults) {
  const std::pair<const char*, const char*> expected[] = {
      {"TexSource", "''"}, {"TexOutput", "''"}, {"TexTrans", "unchecked"},
      {"TexCab", "unchecked"}, {"GroupBox3", "disabled"}, {"TexWidth", "'0' disabled"},
      {"TexHeight", "'0' disabled"}, {"TexNo", "unchecked"}, {"TexCompress", "checked"},
      {"TexCmpDXT", "unchecked"}, {"ShapeDir", "'C:\\models'"}, {"ShInput", "''"},
      {"ShOutput", "''"}, {"ShUnicode", "checked"}, {"ShCompress", "unchecked"},
      {"ShMipMap", "unchecked"}, {"ShMipMapV", "'0' hidden"}, {"ShCheckTex", "unchecked"},
      {"AddShapeFile", "''"}, {"AddTextures", "''"}, {"AddRoute", "''"},
      {"AddAddToRef", "unchecked"}, {"GroupBox5", "hidden"}, {"AddClass", "''"},
      {"AddShadow", "'NONE'"}, {"AddAlign", "'NONE' hidden"}, {"StaticText17", "hidden"},
      {"CrSD", "unchecked"}, {"GroupBox6", "hidden"}, {"ESDDL", "'0'"}, {"ESDAT", "'0'"},
      {"AddESDB", "unchecked"}, {"ESDBB", "'0 0 0 0 0 0 ' hidden"},
      {"ClRoute", "''"}, {"ClProps", "'description filename'"}, {"ClShapes", "0 rows"},
      {"CrRoute", "''"}, {"CrEur1", "checked"}, {"CrEur2", "unchecked"}, {"CrUS1", "checked"},
      {"CrUS2", "unchecked"}, {"CrJP1", "unchecked"}, {"CrJP2", "unchecked"},
      {"CrSh", "checked"}, {"CrTex", "unchecked"}, {"CrOptBat", "checked"},
      {"CrOptList", "unchecked"}, {"CrOptUn", "unchecked"}, {"CrOut", "''"},
      {"MSTSRoot", "'C:\\MSTS' disabled"}, {"PathUtils", "'C:\\MSTS\\UTILS' disabled"},
      {"ConTexV", "'makeace.exe'"}, {"ConvShV", "'conv3ds.exe'"}, {"Console", "''"},
  };
  for (const auto& [name, state] : expected) {
    EXPECT_EQ(State(Find<QWidget>(name)).toStdString(), state) << name;
  }
  EXPECT_EQ(Window().windowTitle(), "Rastolin - v1.2b");
  EXPECT_EQ(Window().centralWidget()->size(), QSize(623, 488));
  EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 0);
}

TEST_F(MainWindowTest, TheLanguageMenuSwitchesEveryTableCaptionAndStoresTheChoice) {
  for (int number : {core::kRussian, core::kEnglish}) {
    Find<QAction>(number == core::kRussian ? "Russian1" : "English1")->trigger();
    const core::Language texts(number);
    for (const Captioned& caption : kCaptions) {
      EXPECT_EQ(Caption(Window(), caption.name), Q(texts[caption.key])) << caption.name;
    }
    for (const Captioned& hint : kHints) {
      EXPECT_EQ(Find<QWidget>(hint.name)->toolTip(), Q(texts[hint.key])) << hint.name;
    }
    for (const auto& [name, text] : kFixedCaptions) {
      EXPECT_EQ(Caption(Window(), name), text) << name;
    }
    EXPECT_EQ(Main().settings.ReadInteger("INF", "LANGUAGE", -1), number);
  }
  EXPECT_EQ(Find<QLineEdit>("TexSource")->accessibleName(), "Source file");
}

TEST_F(MainWindowTest, AFirstStartWithoutConvIniShowsTheSettingsPage) {
  EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 0);
  test_support::MemoryFileSystem empty("C:\\work");
  core::ConvMain first(empty, processes, ui);
  TConvMainForm window(first, routes, operations);
  EXPECT_EQ(window.findChild<QTabWidget*>("PageControl1")->currentIndex(),
            static_cast<int>(ops::Page::kSettings));
  EXPECT_EQ(Caption(window, "TabSheet3"), "Установки");
  window.findChild<QAbstractButton*>("ShProc")->click();
  EXPECT_EQ(ui.shown, std::vector<std::string>{"Warning: Невозможно найти conv3ds.exe"});
}

TEST_F(MainWindowTest, ConversionButtonsRunWithTheirPagesValues) {
  files.Add("C:\\tex\\a.tga", "image");
  processes.on_run = [this](const test_support::FakeProcesses::Call&) {
    files.Add("C:\\out\\a.ace", "texture");
    return platform::ToolRun{true, ""};
  };
  Type("TexSource", "C:\\tex\\a.tga");
  Type("TexOutput", "C:\\out\\a.ace");
  Click("TexCmpDXT");
  Click("TexTrans");
  Click("TexProc");
  ASSERT_EQ(processes.runs.size(), 1u);
  EXPECT_EQ(processes.runs[0].command_line,
            "C:\\MSTS\\UTILS\\makeace.exe a.tga \"C:\\out\\a.ace\" -trans -dxt");
  EXPECT_EQ(Find<QPlainTextEdit>("Console")->toPlainText(),
            "Texture C:\\tex\\a.tga: conversion successful");

  Click("TexCab");
  EXPECT_TRUE(Find<QWidget>("GroupBox3")->isEnabled());
  Click("ShMipMap");
  EXPECT_FALSE(Find<QWidget>("ShMipMapV")->isHidden());
  Click("ShUnicode");
  EXPECT_FALSE(Find<QWidget>("ShCompress")->isEnabled());

  Type("ConTexV", "mk.exe");
  EXPECT_EQ(Main().tools.MakeaceName, "mk.exe");
  EXPECT_EQ(Main().settings.ReadString("PATHS", "MAKEACE", ""), "mk.exe");
}

TEST_F(MainWindowTest, TypedHostPathsTakeTheirWindowsFormWhenTypingEnds) {
  Type("TexSource", "/tex/a.tga");
  EXPECT_EQ(Main().fields.TexSource, "/tex/a.tga");
  QTest::keyClick(Find<QLineEdit>("TexSource"), Qt::Key_Return);
  Type("AddTextures", "/t/a.ace;C:\\b.ace;");
  QTest::keyClick(Find<QLineEdit>("AddTextures"), Qt::Key_Return);
  EXPECT_EQ(Main().fields.TexSource, "Z:\\tex\\a.tga");
  EXPECT_EQ(Find<QLineEdit>("TexSource")->text(), "Z:\\tex\\a.tga");
  EXPECT_EQ(Main().fields.AddTextures, "Z:\\t\\a.ace;C:\\b.ace;");
}

TEST_F(MainWindowTest, TheAddingPageInstallsAShapeIntoTheChosenRoute) {
  files.Add("C:\\models\\barn.s", "barn shape");
  Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(ops::Page::kAdding));
  auto* route = Find<QComboBox>("AddRoute");
  ASSERT_EQ(route->count(), 1);
  EXPECT_EQ(Find<QComboBox>("CrRoute")->count(), 1);
  route->activated(0);
  EXPECT_EQ(Find<QComboBox>("ClRoute")->currentText(), "Line");
  EXPECT_EQ(Find<QComboBox>("AddClass")->itemText(0), "Houses");
  Type("AddShapeFile", "C:\\models\\barn.s");
  Click("AddAddToRef");
  EXPECT_FALSE(Find<QWidget>("GroupBox5")->isHidden());
  Find<QComboBox>("AddClass")->setEditText("Barns");
  Click("AddProc");
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\Line\\SHAPES\\barn.s"), "barn shape");
  EXPECT_NE(files.Content("C:\\MSTS\\ROUTES\\Line\\Line.ref").find(
                platform::Utf8ToUtf16Le("Class ( Barns )")),
            std::string::npos);
  EXPECT_EQ(Find<QPlainTextEdit>("Console")->toPlainText(),
            "C:\\models\\barn.s: shape succesfully added");
}

TEST_F(MainWindowTest, WithoutAnMstsRootARoutePageLeadsBackToTheSettings) {
  files.Add("C:\\work\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\n");
  auto* pages = Find<QTabWidget>("PageControl1");
  pages->setCurrentIndex(static_cast<int>(ops::Page::kClearing));
  EXPECT_EQ(pages->currentIndex(), static_cast<int>(ops::Page::kSettings));
  EXPECT_EQ(ui.shown, std::vector<std::string>{"Warning: Select MSTS root dir"});
}

TEST_F(MainWindowTest, ClearingAndComparisonButtonsReachTheirOperations) {
  std::vector<std::string> calls;
  operations.ClPropPrClick = [&calls](core::ConvMain& main, ops::RouteState& state) {
    calls.push_back("show " + main.fields.ClProps);
    state.ClShapes = {"Hut - hut.s", "Shed - shed.s", "Barn - barn.s"};
    state.ClShapesSelected.assign(3, false);
    state.ClShapesFocused = 0;
  };
  operations.ClDeleteClick = [&calls](core::ConvMain&, ops::RouteState& state) {
    std::string selected;
    for (bool row : state.ClShapesSelected) selected += row ? '1' : '0';
    calls.push_back("delete " + selected + " focus " + std::to_string(state.ClShapesFocused));
  };
  operations.ClShapesDblClick = [&calls](core::ConvMain&, ops::RouteState& state) {
    calls.push_back("edit " + std::to_string(state.ClShapesFocused));
  };
  operations.CrProcClick = [&calls](core::ConvMain& main, ops::RouteState& state) {
    calls.push_back("compare " + std::to_string(state.CrRouteIndex) + " " +
                    std::to_string(static_cast<int>(main.fields.CrOutput)));
    main.fields.CrOut.push_back("copy \"a\" \"b\"");
  };
  Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(ops::Page::kClearing));
  Find<QComboBox>("ClRoute")->activated(0);
  Type("ClProps", "filename");
  Click("ClPropPr");
  auto* list = Find<QListWidget>("ClShapes");
  ASSERT_EQ(list->count(), 3);
  list->item(1)->setSelected(true);
  list->item(2)->setSelected(true);
  list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
  Click("ClDelete");
  list->itemDoubleClicked(list->item(1));
  Find<QComboBox>("CrRoute")->activated(0);
  Click("CrOptUn");
  Click("CrProc");
  Click("CrProc");
  // Choosing the route fills the list through the route change itself.
  EXPECT_EQ(calls, (std::vector<std::string>{"show filename", "delete 011 focus 2", "edit 1",
                                             "compare 0 2", "compare 0 2"}));
  EXPECT_EQ(Find<QPlainTextEdit>("CrOut")->toPlainText(), "copy \"a\" \"b\"\ncopy \"a\" \"b\"");
  for (const char* unset : {"ClDuplicates", "ClUnused", "ClDelUnnamed", "ClDelUnex"}) {
    EXPECT_FALSE(Find<QWidget>(unset)->isEnabled()) << unset;
  }
}

TEST_F(MainWindowTest, ClosingReleasesTheChosenRouteWithoutWritingItsRef) {
  const std::string ref = files.Content("C:\\MSTS\\ROUTES\\Line\\Line.ref");
  Find<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(ops::Page::kAdding));
  Find<QComboBox>("AddRoute")->activated(0);
  ASSERT_NE(routes.CurrentRoute, nullptr);
  routes.CurrentRoute->Entries.clear();
  Window().close();
  EXPECT_EQ(routes.CurrentRoute, nullptr);
  EXPECT_EQ(files.Content("C:\\MSTS\\ROUTES\\Line\\Line.ref"), ref);
}

TEST_F(MainWindowTest, AnErrorIsReportedAndTheWindowGoesOn) {
  operations.ClPropPrClick = [](core::ConvMain&, ops::RouteState&) {
    throw core::Error("Cannot open file C:\\MSTS\\ROUTES\\Line\\Line.ref");
  };
  Click("ClPropPr");
  Click("TexProc");
  EXPECT_EQ(ui.shown, (std::vector<std::string>{
                          "Error report: Cannot open file C:\\MSTS\\ROUTES\\Line\\Line.ref",
                          "Warning: Select texture source file"}));
}

TEST_F(MainWindowTest, InputGivenDuringLongWorkIsDropped) {
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
  };
  Click("ClPropPr");
  QCoreApplication::processEvents();
  EXPECT_EQ(deletes, 0);
  Click("ClDelete");
  EXPECT_EQ(deletes, 1);
}

}  // namespace
}  // namespace ui
