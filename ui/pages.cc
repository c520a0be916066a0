#include "ui/pages.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

std::function<std::string(const std::string&)> FromUserPath(PageContext& context) {
  return [&files = context.main.files](const std::string& text) {
    return files.FromUserPath(text);
  };
}

std::function<std::string(const std::string&)> FromUserPaths(PageContext& context) {
  return [&files = context.main.files](const std::string& text) {
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
  };
}

QPushButton* OperationButton(PageContext& context, QWidget* parent, const char* name,
                             std::function<void()> operation) {
  auto* button = Make<QPushButton>(parent, name);
  QObject::connect(button, &QPushButton::clicked, button,
                   [run = context.run, operation = std::move(operation)] { run(operation); });
  return button;
}

QPushButton* RouteButton(PageContext& context, QWidget* parent, const char* name,
                         const RouteOperations::Handler& handler) {
  QPushButton* button = OperationButton(context, parent, name, [&context, &handler] {
    handler(context.main, context.routes);
  });
  button->setEnabled(static_cast<bool>(handler));
  return button;
}

void FixedCaption(QAbstractButton* button, const QString& text) {
  button->setText(text);
  button->setAccessibleName(text);
}

QLabel* FixedLabel(QWidget* parent, const char* name, const QString& text, QWidget* control) {
  auto* label = Make<QLabel>(parent, name);
  label->setText(text);
  label->setBuddy(control);
  control->setAccessibleName(text);
  return label;
}

}  // namespace ui
