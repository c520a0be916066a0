// The six pages of the main window. Each builder makes its page's controls,
// binds them to the operation fields and registers the captions that follow
// the language.
#pragma once

#include <QString>
#include <functional>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "ui/bindings.h"
#include "ui/captions.h"
#include "ui/operations.h"

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

namespace ui {

struct PageContext {
  core::ConvMain& main;
  ops::RouteState& routes;
  const RouteOperations& operations;
  Bindings& bindings;
  Captions& captions;
  // Runs an operation: its errors go to the error report and the fields
  // are shown again afterwards.
  std::function<void(const std::function<void()>&)> run;
  // A choice in the adding or clearing page's route box.
  std::function<void(int)> choose_route;
};

QWidget* BuildTexturesPage(PageContext& context);
QWidget* BuildShapesPage(PageContext& context);
QWidget* BuildAddingPage(PageContext& context);
QWidget* BuildClearingPage(PageContext& context);
QWidget* BuildComparisonPage(PageContext& context);
QWidget* BuildSettingsPage(PageContext& context);

// A control with its name, as the pages and dialogs make them.
template <typename Control>
Control* Make(QWidget* parent, const char* name) {
  auto* control = new Control(parent);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// A host path typed by the user in its Windows form; in a list of paths
// (each followed by ";") every one of them.
std::function<std::string(const std::string&)> FromUserPath(PageContext& context);
std::function<std::string(const std::string&)> FromUserPaths(PageContext& context);

// A button that runs `operation` when pressed.
QPushButton* OperationButton(PageContext& context, QWidget* parent, const char* name,
                             std::function<void()> operation);
// A button for a clearing or comparison operation: disabled while the
// operation is not set.
QPushButton* RouteButton(PageContext& context, QWidget* parent, const char* name,
                         const RouteOperations::Handler& handler);
// A caption that never changes, also as the accessible name.
void FixedCaption(QAbstractButton* button, const QString& text);
// A label whose text never changes, naming `control` for assistive tools.
QLabel* FixedLabel(QWidget* parent, const char* name, const QString& text, QWidget* control);

}  // namespace ui
