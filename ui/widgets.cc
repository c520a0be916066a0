#include "ui/widgets.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

template <typename Layout>
Layout* Line(std::initializer_list<QWidget*> widgets) {
  auto* line = new Layout;
  for (QWidget* widget : widgets) {
    if (widget == kStretch) {
      line->addStretch();
    } else {
      line->addWidget(widget);
    }
  }
  return line;
}

}  // namespace

QSize CaptionButton::sizeHint() const {
  QSize size = QPushButton::sizeHint();
  size.rwidth() += 2 * fontMetrics().averageCharWidth();
  return size;
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

QComboBox* EditableBox(QWidget* parent, const char* name, const std::vector<std::string>& items) {
  auto* box = Make<QComboBox>(parent, name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& item : items) box->addItem(QString::fromStdString(item));
  return box;
}

QPushButton* AcceptButton(QDialog* dialog, QWidget* parent, const char* name, const QString& text) {
  auto* button = Make<CaptionButton>(parent, name);
  FixedCaption(button, text);
  button->setDefault(true);
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
  return button;
}

QPushButton* RejectButton(QDialog* dialog, QWidget* parent, const char* name, const QString& text) {
  auto* button = Make<CaptionButton>(parent, name);
  FixedCaption(button, text);
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::reject);
  return button;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) { return Line<QHBoxLayout>(widgets); }

QVBoxLayout* Column(std::initializer_list<QWidget*> widgets) { return Line<QVBoxLayout>(widgets); }

void AddLine(QGridLayout* grid, int line, QWidget* label, QWidget* control, QWidget* button) {
  grid->addWidget(label, line, 0);
  grid->addWidget(control, line, 1);
  if (button) grid->addWidget(button, line, 2);
}

}  // namespace ui
