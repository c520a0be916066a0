#include "ui/pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

std::function<void()> OnMain(PageContext& context, MainOperation operation) {
  return [&main = context.main, operation] { operation(main); };
}

}  // namespace

FramedPage MakeFramedPage(PageContext& context, const char* page, const char* frame,
                          core::Msg caption) {
  FramedPage made{Make<QWidget>(nullptr, page), nullptr};
  made.frame = Make<QGroupBox>(made.page, frame);
  context.captions.Group(made.frame, caption);
  (new QVBoxLayout(made.page))->addWidget(made.frame);
  return made;
}

QLabel* PageTitle(PageContext& context, QWidget* page, const char* name, core::Msg caption) {
  auto* title = Make<QLabel>(page, name);
  context.captions.Label(title, caption);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  return title;
}

Bindings::Handler Runner(PageContext& context, std::function<void()> operation) {
  return [run = context.run, operation = std::move(operation)] { run(operation); };
}

Bindings::Handler Runner(PageContext& context, MainOperation operation) {
  return Runner(context, OnMain(context, operation));
}

QPushButton* OperationButton(PageContext& context, QWidget* parent, const char* name,
                             core::Msg caption, std::function<void()> operation) {
  auto* button = Make<CaptionButton>(parent, name);
  context.captions.Button(button, caption);
  QObject::connect(button, &QPushButton::clicked, button, Runner(context, std::move(operation)));
  return button;
}

QPushButton* OperationButton(PageContext& context, QWidget* parent, const char* name,
                             core::Msg caption, MainOperation operation) {
  return OperationButton(context, parent, name, caption, OnMain(context, operation));
}

QPushButton* BrowseButton(PageContext& context, QWidget* parent, const char* name,
                          MainOperation browse) {
  return OperationButton(context, parent, name, core::Msg::CapBrowse, browse);
}

QPushButton* RouteButton(PageContext& context, QWidget* parent, const char* name,
                         const RouteOperations::Handler& handler) {
  auto* button = Make<CaptionButton>(parent, name);
  QObject::connect(button, &QPushButton::clicked, button, Runner(context, [&context, &handler] {
                     handler(context.main, context.routes);
                   }));
  button->setEnabled(static_cast<bool>(handler));
  return button;
}

QLineEdit* Edit(PageContext& context, QWidget* parent, const char* name, std::string& field,
                Bindings::Handler changed) {
  auto* edit = Make<QLineEdit>(parent, name);
  context.bindings.Text(edit, field, std::move(changed));
  return edit;
}

QLineEdit* PathEdit(PageContext& context, QWidget* parent, const char* name, std::string& field) {
  auto* edit = Make<QLineEdit>(parent, name);
  context.bindings.Path(edit, field, [&files = context.main.files](const std::string& text) {
    return files.FromUserPath(text);
  });
  return edit;
}

QLineEdit* PathListEdit(PageContext& context, QWidget* parent, const char* name,
                        std::string& field) {
  auto* edit = Make<QLineEdit>(parent, name);
  context.bindings.Path(edit, field, [&files = context.main.files](const std::string& text) {
    std::string converted;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(';', start);
      const bool last = end == std::string::npos;
      if (last) end = text.size();
      converted += files.FromUserPath(text.substr(start, end - start));
      if (!last) converted += ';';
      start = end + 1;
    }
    return converted;
  });
  return edit;
}

QCheckBox* Switch(PageContext& context, QWidget* parent, const char* name, core::Msg caption,
                  bool& field, Bindings::Handler clicked) {
  auto* box = Make<QCheckBox>(parent, name);
  context.captions.Button(box, caption);
  context.bindings.Check(box, field, std::move(clicked));
  return box;
}

QComboBox* RouteBox(PageContext& context, QWidget* parent, const char* name,
                    const std::vector<std::string>& routes, int& index,
                    std::function<void(int)> chosen) {
  auto* box = Make<QComboBox>(parent, name);
  box->setMaxVisibleItems(12);
  context.bindings.Items(box, routes, index, std::move(chosen));
  return box;
}

QLabel* CaptionLabel(PageContext& context, const char* name, core::Msg caption, QWidget* control) {
  auto* label = Make<QLabel>(control->parentWidget(), name);
  context.captions.Label(label, caption, control);
  return label;
}

QLabel* AddLine(PageContext& context, QGridLayout* grid, int line, const char* label,
                core::Msg caption, QWidget* control, QWidget* button) {
  QLabel* made = CaptionLabel(context, label, caption, control);
  AddLine(grid, line, made, control, button);
  return made;
}

}  // namespace ui
