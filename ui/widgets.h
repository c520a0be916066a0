// Small makers of the controls and rows the pages and dialogs are built of.
#pragma once

#include <QPushButton>
#include <QString>
#include <initializer_list>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace ui {

// A text of the engine, for Qt.
inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// A control with its name, as the pages and dialogs make them.
template <typename Control>
Control* Make(QWidget* parent, const char* name) {
  auto* control = new Control(parent);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// A push button with room beside its caption in every font and style: some
// styles leave the text touching the edges, and a font may draw wider than
// it measures (Tahoma under Wine).
class CaptionButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  QSize sizeHint() const override;
};

// A caption that never changes, also as the accessible name.
void FixedCaption(QAbstractButton* button, const QString& text);
// A label whose text never changes, naming `control` for assistive tools.
QLabel* FixedLabel(QWidget* parent, const char* name, const QString& text, QWidget* control);

// A box whose text may be typed freely, not only chosen from `items`.
QComboBox* EditableBox(QWidget* parent, const char* name,
                       const std::vector<std::string>& items = {});

// The default button of `dialog`, which accepts it, and the one that rejects
// it; both keep their captions in every language.
QPushButton* AcceptButton(QDialog* dialog, QWidget* parent, const char* name, const QString& text);
QPushButton* RejectButton(QDialog* dialog, QWidget* parent, const char* name, const QString& text);

// Stands in a row or column for the room left over.
inline QWidget* const kStretch = nullptr;
// Widgets side by side, or one under another, in the order given.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);
QVBoxLayout* Column(std::initializer_list<QWidget*> widgets);

// A line of a form: a label in the first column, what it names in the
// second, and a button beside it when there is one.
void AddLine(QGridLayout* grid, int line, QWidget* label, QWidget* control,
             QWidget* button = nullptr);

}  // namespace ui
