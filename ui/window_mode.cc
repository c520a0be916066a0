#include "ui/window_mode.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "tools/msts_search.h"
#include "ui/main_window.h"
#include "ui/operations.h"
#include "ui/qt_ui.h"

namespace ui {

namespace {

// Qt's messages while it connects to the display are held back: they are
// shown if it succeeds, and replaced by the one clear line if it fails.
QStringList held_messages;
// That line, in the language of the settings.
std::string no_display;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    held_messages.append(message);
    return;
  }
  std::fprintf(stderr, "%s\n", no_display.c_str());
  std::fflush(stderr);
  std::_Exit(2);
}

}  // namespace

int RunWindow(platform::Host& host, int& argc, char** argv) {
  no_display = core::Language(core::StoredLanguage(*host.files))[core::Msg::NoDisplayForWindow];
  if (!platform::DisplayNamed()) {
    std::fprintf(stderr, "%s\n", no_display.c_str());
    return 2;
  }
  const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
  QApplication application(argc, argv);
  qInstallMessageHandler(previous);
  for (const QString& message : held_messages) qWarning("%s", qUtf8Printable(message));
  held_messages.clear();

  QtUi ui(*host.files);
  std::optional<core::ConvMain> main;
  try {
    main.emplace(*host.files, *host.processes, ui);
  } catch (const std::exception& failure) {
    ui.ReportError(failure.what());
    return 0;
  }
  // Found before the window is made, its Settings page shows the root.
  tools::FindMstsRoot(*main, *host.registry);
  ops::RouteState routes;
  TConvMainForm window(*main, routes, ProgramOperations());
  ui.Attach(&window, &main->language, &window.thumbnails());
  window.CenterOnScreen();
  window.show();
  platform::WindowShown();
  application.exec();
  return 0;
}

}  // namespace ui
