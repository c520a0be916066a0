// Renders every page of the main window, in English and in Russian, and the
// dialogs, to PNG files, so that a person can look at them all. Run it in a
// folder holding a conv.ini (the demo installation's Samples folder) with
// QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QListWidget>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "platform/host.h"
#include "ui/about_box.h"
#include "ui/main_window.h"
#include "ui/operations.h"
#include "ui/qt_ui.h"
#include "ui/texture_viewer.h"

namespace {

class Camera {
 public:
  explicit Camera(QString folder) : folder_(std::move(folder)) {}

  void Take(QWidget& widget, const QString& name) {
    const QString path = folder_ + "/" + name + ".png";
    if (!widget.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  }

  // Opens a modal dialog, takes it once it has shown for `wait`
  // milliseconds, and closes it.
  void TakeModal(const QString& name, const std::function<void()>& open, int wait = 200) {
    QTimer::singleShot(wait, [this, name] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      Take(*dialog, name);
      dialog->close();
    });
    open();
  }

 private:
  QString folder_;
};

void Click(QWidget& window, const char* name) {
  window.findChild<QAbstractButton*>(name)->click();
}

// Lets the thumbnails being made arrive.
void Settle() {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 1500) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: rastolin-screenshots <output folder>\n", stderr);
    return 2;
  }
  QApplication application(argc, argv);
  std::string error;
  std::optional<platform::Host> host = platform::OpenHost(error);
  if (!host) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  QDir().mkpath(argv[1]);
  Camera camera(QString::fromLocal8Bit(argv[1]));

  ui::QtUi qt_ui(*host->files);
  core::ConvMain main(*host->files, *host->processes, qt_ui);
  ops::RouteState routes;
  ui::TConvMainForm window(main, routes, ui::ProgramOperations());
  qt_ui.Attach(&window, &main.language, &window.thumbnails());
  window.show();
  auto* pages = window.findChild<QTabWidget*>("PageControl1");

  // A route chosen, so that the adding and clearing pages show one, the
  // first entry's textures under its entries; the Textures page shows a
  // source and the texture made of it.
  pages->setCurrentIndex(static_cast<int>(ops::Page::kClearing));
  window.findChild<QComboBox*>("ClRoute")->activated(0);
  main.fields.TexSource = "C:\\Samples\\textures\\brick.tga";
  main.fields.TexOutput = "C:\\Samples\\models\\brick.ace";
  const std::string route_folder = routes.CurrentRoute ? routes.CurrentRoute->Folder : "";

  const char* const page_names[] = {"textures", "shapes", "adding", "clearing", "comparison",
                                    "settings"};
  // With RASTOLIN_SCREENSHOT_FONT=tahoma in the font Windows' dialogs use.
  if (const QByteArray font = qgetenv("RASTOLIN_SCREENSHOT_FONT"); font == "tahoma") {
    const int tahoma = QFontDatabase::addApplicationFont("/usr/share/wine/fonts/tahoma.ttf");
    if (tahoma >= 0) {
      QApplication::setFont(QFont(QFontDatabase::applicationFontFamilies(tahoma).front(), 8));
    }
  }
  for (int number : {core::kEnglish, core::kRussian}) {
    window.Russian1Click(number);
    const QString language = number == core::kEnglish ? "en" : "ru";
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      Settle();
      camera.Take(window, language + "-" + QString::number(page + 1) + "-" + page_names[page]);
    }
    // The water tower's textures: one cut short, and a farm house's that
    // is missing.
    pages->setCurrentIndex(static_cast<int>(ops::Page::kClearing));
    auto* entries = window.findChild<QListWidget*>("ClShapes");
    for (int row : {12, 1}) {
      entries->setCurrentRow(row);
      Settle();
      camera.Take(window, language + "-4-clearing-" + QString::number(row + 1));
    }
    entries->setCurrentRow(0);
    // The adding page with every group open and a route chosen.
    pages->setCurrentIndex(static_cast<int>(ops::Page::kAdding));
    window.findChild<QComboBox*>("AddRoute")->activated(0);
    for (const char* box : {"AddAddToRef", "CrSD", "AddESDB"}) Click(window, box);
    camera.Take(window, language + "-3-adding-open");
    for (const char* box : {"AddAddToRef", "CrSD", "AddESDB"}) Click(window, box);

    camera.TakeModal(language + "-about", [&window] { window.About1Click(); });
    camera.TakeModal(language + "-warning", [&] {
      qt_ui.Message("Warning", main.language[core::Msg::SelectMstsRoot]);
    });
    camera.TakeModal(language + "-question", [&] {
      qt_ui.Ask(main.language[core::Msg::DeleteFilesQuestion], "C:\\MSTS\\ROUTES\\X\\a.s");
    });
    camera.TakeModal(language + "-texture", [&] {
      qt_ui.ChooseTexture({main.language[core::Msg::CapTextureReplace] + "brick.ace",
                           main.language[core::Msg::CapTextures],
                           main.language[core::Msg::CapChangeOn],
                           {"brick", "roof", "window"},
                           "brick"});
    });
    camera.TakeModal(
        language + "-objects",
        [&] {
          core::ChoiceList list({"Cottage.s", "Orphan_Hut.s", "WaterTower.s"},
                                [](const std::vector<std::string>&) {});
          list.route_folder = route_folder;
          list.Select(1, true);
          qt_ui.ChooseObjects(list);
        },
        1500);
    camera.TakeModal(language + "-viewer", [&] {
      ui::TextureViewer(main.files, main.language, route_folder + "TEXTURES\\oak.ace", &window)
          .exec();
    });
    camera.TakeModal(language + "-restore", [&] {
      const core::Language& texts = main.language;
      const std::string counts = texts.Format(core::Msg::JobCounts, "120", "1375");
      core::ChoiceList list(core::Msg::CapJobsToRestore,
                            {"2024-06-01 10:16:48, " + texts[core::Msg::CapDeleteNotInRef] + ", " +
                                 counts + texts[core::Msg::JobCutShort],
                             "2024-06-01 10:15:42, " + texts[core::Msg::CapDeleteUnused] + ", " +
                                 counts});
      qt_ui.ChooseObjects(list);
    });
    camera.TakeModal(language + "-entry", [&] {
      core::EntryForm form;
      form.block_type = "Static";
      form.rows = {{"Class", "Houses"}, {"FileName", "hut.s"}, {"Description", "Hut"},
                   {"Shadow", "ROUND"}};
      qt_ui.EditEntry(form);
    });
    camera.TakeModal(language + "-open", [&] {
      qt_ui.OpenFiles({"", "Targa Bitmap(*.tga)|*.tga|Bitmap(*.bmp)|*.bmp", "", "C:\\Samples",
                       false, false});
    });
    {
      std::unique_ptr<core::Progress> progress = qt_ui.ShowProgress();
      progress->SetPosition(200);
      progress->SetLabel(main.language[core::Msg::SearchIn] + "w-012345+014567.w");
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "Fence") camera.Take(*widget, language + "-progress");
      }
    }
  }
  return 0;
}
