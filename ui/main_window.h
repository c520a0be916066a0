// The main window: six pages over the log, the menus, and the handlers the
// window itself owns (creation, language switch, page change, close).
#pragma once

#include <QMainWindow>
#include <QTranslator>
#include <functional>
#include <memory>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "ui/about_box.h"
#include "ui/bindings.h"
#include "ui/captions.h"
#include "ui/operations.h"
#include "ui/pages.h"

class QPlainTextEdit;
class QTabWidget;

namespace ui {

class TConvMainForm : public QMainWindow {
 public:
  TConvMainForm(core::ConvMain& main, ops::RouteState& routes, RouteOperations operations);

  // Colours and captions in the language in force; the settings page first
  // while the utilities folder is unknown.
  void FormCreate();
  // The Language menu: switches the texts, stores the choice in conv.ini
  // and sets every caption anew.
  void Russian1Click(int number);
  void PageControl1Change(int index);
  void About1Click();
  void CenterOnScreen();
  ThumbnailCache& thumbnails() { return thumbnails_; }

 protected:
  // FormClose: a chosen route is released without writing its .ref file.
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  // Ctrl+Tab and Ctrl+PageDown (with Shift, Ctrl+PageUp: back) turn the
  // pages from whatever control has the focus, a route box included.
  void BuildPageKeys();
  void ChooseRoute(int index);
  // Runs an operation: while it runs the window repaints but takes no
  // input; an error it raises goes to the error report; the fields are
  // shown again when it ends.
  void Run(const std::function<void()>& operation);
  // Puts every field into its control.
  void ShowFields();
  // Qt's own texts (standard buttons, file dialogs) in the language in force.
  void UseQtTexts();

  core::ConvMain& main_;
  ops::RouteState& routes_;
  const RouteOperations operations_;
  Bindings bindings_;
  Captions captions_;
  ThumbnailCache thumbnails_;
  PageContext context_;
  QTabWidget* pages_;
  QPlainTextEdit* console_;
  TAboutBox* about_;
  QTranslator qt_texts_;
  bool busy_ = false;
};

}  // namespace ui
