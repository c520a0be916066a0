// The .ref entry editor over a core::EntryForm: the block type, and one row
// per property (its name on a label, its value in a box, an "X" that
// deletes it). Clicking a name, or Space or F2 on it, opens a chooser of
// the usual property names; Return takes the chosen one.
#pragma once

#include <QDialog>
#include <vector>

#include "core/entry_form.h"
#include "core/language.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class TEditForm : public QDialog {
 public:
  TEditForm(core::EntryForm& form, const core::Language& texts, QWidget* parent);

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QLabel* label;
    QLineEdit* value;
    QPushButton* remove;
  };

  void rfAddClick();
  void DeleteRow(size_t index);
  // Makes the rows' controls anew from the form, numbered from 1.
  void ShowRows();
  void OpenChooser(size_t index);
  // Takes the chooser's text as the row's name and closes it.
  void CloseChooser();

  core::EntryForm& form_;
  const core::Language& texts_;
  QWidget* content_;
  QGridLayout* grid_;
  QPushButton* ok_;
  std::vector<Row> rows_;
  QComboBox* chooser_ = nullptr;
  size_t chooser_row_ = 0;
};

}  // namespace ui
