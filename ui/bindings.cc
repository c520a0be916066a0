#include "ui/bindings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "core/strings.h"
#include "ui/widgets.h"

namespace ui {
namespace {

QStringList ToList(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.append(Q(item));
  return list;
}

bool SameItems(const QComboBox* box, const QStringList& items) {
  if (box->count() != items.size()) return false;
  for (int i = 0; i < box->count(); ++i) {
    if (box->itemText(i) != items[i]) return false;
  }
  return true;
}

void ReplaceItems(QComboBox* box, const QStringList& items) {
  if (SameItems(box, items)) return;
  box->clear();
  box->addItems(items);
}

}  // namespace

void Bindings::Show() const {
  for (const Handler& show : shows_) show();
}

void Bindings::Text(QLineEdit* edit, std::string& field, Handler changed) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [&field, changed](const QString& text) {
    field = text.toStdString();
    if (changed) changed();
  });
  shows_.push_back([edit, &field] {
    const QString text = Q(field);
    if (edit->text() == text) return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
  });
}

void Bindings::Path(QLineEdit* edit, std::string& field,
                    std::function<std::string(const std::string&)> from_user) {
  Text(edit, field);
  QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, &field, from_user] {
    const std::string converted = from_user(field);
    if (converted == field) return;
    field = converted;
    const QSignalBlocker blocker(edit);
    edit->setText(Q(field));
  });
}

void Bindings::Text(QComboBox* box, std::string& field) {
  QObject::connect(box, &QComboBox::editTextChanged, box,
                   [&field](const QString& text) { field = text.toStdString(); });
  shows_.push_back([box, &field] {
    const QString text = Q(field);
    if (box->currentText() == text) return;
    const QSignalBlocker blocker(box);
    box->setEditText(text);
  });
}

void Bindings::Choice(QComboBox* box, std::string& field) {
  QObject::connect(box, &QComboBox::currentTextChanged, box,
                   [&field](const QString& text) { field = text.toStdString(); });
  shows_.push_back([box, &field] {
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(box->findText(Q(field)));
  });
}

void Bindings::Number(QSpinBox* box, std::string& field) {
  QObject::connect(box, &QSpinBox::textChanged, box,
                   [&field](const QString& text) { field = text.toStdString(); });
  shows_.push_back([box, &field] {
    if (box->text() == Q(field)) return;
    const QSignalBlocker blocker(box);
    box->setValue(Q(field).toInt());
  });
}

void Bindings::Lines(QPlainTextEdit* box, std::vector<std::string>& field) {
  QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, &field] {
    const std::string text = box->toPlainText().toStdString();
    field = text.empty() ? std::vector<std::string>{} : core::SplitText(text, '\n');
  });
  shows_.push_back([box, &field] {
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
      if (i) text += '\n';
      text += field[i];
    }
    if (box->toPlainText().toStdString() == text) return;
    const QSignalBlocker blocker(box);
    box->setPlainText(Q(text));
  });
}

void Bindings::Check(QAbstractButton* box, bool& field, Handler clicked) {
  QObject::connect(box, &QAbstractButton::clicked, box, [&field, clicked](bool checked) {
    field = checked;
    if (clicked) clicked();
  });
  shows_.push_back([box, &field] {
    const QSignalBlocker blocker(box);
    box->setChecked(field);
  });
}

void Bindings::Items(QComboBox* box, const std::vector<std::string>& items, int& index,
                     std::function<void(int)> chosen) {
  QObject::connect(box, &QComboBox::activated, box, [chosen](int picked) { chosen(picked); });
  shows_.push_back([box, &items, &index] {
    const QSignalBlocker blocker(box);
    ReplaceItems(box, ToList(items));
    box->setCurrentIndex(index);
  });
}

void Bindings::Items(QComboBox* box, const std::vector<std::string>& items) {
  shows_.push_back([box, &items] {
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    ReplaceItems(box, ToList(items));
    box->setEditText(text);
  });
}

void Bindings::Visible(QWidget* widget, const bool& field) {
  shows_.push_back([widget, &field] { widget->setVisible(field); });
}

void Bindings::Enabled(QWidget* widget, const bool& field) {
  shows_.push_back([widget, &field] { widget->setEnabled(field); });
}

}  // namespace ui
