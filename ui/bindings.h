// Ties controls to the operation fields. A control writes its field as the
// user changes it; Show() puts every field back into its control after an
// operation has changed them, without firing the controls' handlers.
#pragma once

#include <QAbstractButton>
#include <QSignalBlocker>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QWidget;

namespace ui {

class Bindings {
 public:
  using Handler = std::function<void()>;

  void Show() const;

  // `changed` runs after the field took the typed text.
  void Text(QLineEdit* edit, std::string& field, Handler changed = {});
  // A path box: when the user is done typing, a host path (/home/me/a.tga)
  // takes its Windows form through `from_user`.
  void Path(QLineEdit* edit, std::string& field,
            std::function<std::string(const std::string&)> from_user);
  // The typed text of an editable box.
  void Text(QComboBox* box, std::string& field);
  // A box whose list never changes: the field holds the chosen item's text.
  void Choice(QComboBox* box, std::string& field);
  void Number(QSpinBox* box, std::string& field);
  // One field line per line of the box.
  void Lines(QPlainTextEdit* box, std::vector<std::string>& field);
  // `clicked` runs after the field took the new state.
  void Check(QAbstractButton* box, bool& field, Handler clicked = {});
  // An item list and the chosen index (-1 for none); `chosen` runs when the
  // user picks an item.
  void Items(QComboBox* box, const std::vector<std::string>& items, int& index,
             std::function<void(int)> chosen);
  // The items of an editable box; its text is bound on its own.
  void Items(QComboBox* box, const std::vector<std::string>& items);
  void Visible(QWidget* widget, const bool& field);
  // A control that shows its value its own way.
  void Custom(Handler show) { shows_.push_back(std::move(show)); }
  void Enabled(QWidget* widget, const bool& field);

  // One button of an exclusive choice: checked while the field holds its
  // value. `select(value, checked)` sets the field when the user toggles it.
  template <typename Choice>
  void Radio(QAbstractButton* button, Choice& field, Choice value,
             std::function<void(Choice, bool)> select) {
    QObject::connect(button, &QAbstractButton::toggled, button,
                     [select, value](bool checked) { select(value, checked); });
    shows_.push_back([button, &field, value] {
      if (button->isChecked() == (field == value)) return;
      const QSignalBlocker blocker(button);
      // An exclusive button cannot be unchecked on its own.
      const bool exclusive = button->autoExclusive();
      button->setAutoExclusive(false);
      button->setChecked(field == value);
      button->setAutoExclusive(exclusive);
    });
  }

 private:
  std::vector<Handler> shows_;
};

}  // namespace ui
