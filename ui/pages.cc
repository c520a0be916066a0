#include "ui/pages.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

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
