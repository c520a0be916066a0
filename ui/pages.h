// The six pages of the main window. Each builder makes its page's controls,
// binds them to the operation fields and registers the captions that follow
// the language.
#pragma once

#include <QRadioButton>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/conv_main.h"
#include "ops/route_state.h"
#include "ui/bindings.h"
#include "ui/captions.h"
#include "ui/operations.h"
#include "ui/texture_images.h"
#include "ui/widgets.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
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
  // The window's thumbnails of textures and images.
  ThumbnailCache& thumbnails;
};

QWidget* BuildTexturesPage(PageContext& context);
QWidget* BuildShapesPage(PageContext& context);
QWidget* BuildAddingPage(PageContext& context);
QWidget* BuildClearingPage(PageContext& context);
QWidget* BuildComparisonPage(PageContext& context);
QWidget* BuildSettingsPage(PageContext& context);

// A page filled by one captioned frame, which holds the page's controls.
struct FramedPage {
  QWidget* page;
  QGroupBox* frame;
};
FramedPage MakeFramedPage(PageContext& context, const char* page, const char* frame,
                          core::Msg caption);
// A bold title at the top of a page.
QLabel* PageTitle(PageContext& context, QWidget* page, const char* name, core::Msg caption);

// Most operations work on the main object alone.
using MainOperation = void (*)(core::ConvMain&);

// A handler that runs `operation` the way the window runs every operation.
Bindings::Handler Runner(PageContext& context, std::function<void()> operation);
Bindings::Handler Runner(PageContext& context, MainOperation operation);
// A button that runs `operation` when pressed.
QPushButton* OperationButton(PageContext& context, QWidget* parent, const char* name,
                             core::Msg caption, std::function<void()> operation);
QPushButton* OperationButton(PageContext& context, QWidget* parent, const char* name,
                             core::Msg caption, MainOperation operation);
// A "Browse..." button.
QPushButton* BrowseButton(PageContext& context, QWidget* parent, const char* name,
                          MainOperation browse);
// A button for a clearing or comparison operation: disabled while the
// operation is not set.
QPushButton* RouteButton(PageContext& context, QWidget* parent, const char* name,
                         const RouteOperations::Handler& handler);

// An edit of a text field; `changed` runs after the field took the typed text.
QLineEdit* Edit(PageContext& context, QWidget* parent, const char* name, std::string& field,
                Bindings::Handler changed = {});
// An edit of a path, or of a list of paths each followed by ";": a host path
// typed by the user takes its Windows form.
QLineEdit* PathEdit(PageContext& context, QWidget* parent, const char* name, std::string& field);
QLineEdit* PathListEdit(PageContext& context, QWidget* parent, const char* name,
                        std::string& field);
// A check box of a switch; `clicked` runs after the field took the new state.
QCheckBox* Switch(PageContext& context, QWidget* parent, const char* name, core::Msg caption,
                  bool& field, Bindings::Handler clicked = {});
// One radio button of an exclusive choice held in `field`.
template <typename Value, typename Select>
QRadioButton* Option(PageContext& context, QWidget* parent, const char* name, core::Msg caption,
                     Value& field, Value value, Select select) {
  auto* button = Make<QRadioButton>(parent, name);
  context.captions.Button(button, caption);
  context.bindings.Radio<Value>(button, field, value, select);
  return button;
}
// The list of routes to choose from, and the chosen one's index.
QComboBox* RouteBox(PageContext& context, QWidget* parent, const char* name,
                    const std::vector<std::string>& routes, int& index,
                    std::function<void(int)> chosen);

// A label made beside `control` that names it in the language in force.
QLabel* CaptionLabel(PageContext& context, const char* name, core::Msg caption, QWidget* control);
// A line of a form under such a label.
QLabel* AddLine(PageContext& context, QGridLayout* grid, int line, const char* label,
                core::Msg caption, QWidget* control, QWidget* button = nullptr);

}  // namespace ui
