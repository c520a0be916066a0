// The choice list of objects to delete, over a core::ChoiceList: the rows
// the user selects are selected in the list, and "Add" (shown only when the
// list has an add action) hands them to it.
#pragma once

#include <QDialog>

#include "core/choice_list.h"
#include "core/language.h"

class QListWidget;

namespace ui {

class TClearUnused : public QDialog {
 public:
  TClearUnused(core::ChoiceList& list, const core::Language& texts, QWidget* parent);

 private:
  void ShowRows();
  void ClAddToRefClick();

  core::ChoiceList& list_;
  QListWidget* rows_;
};

}  // namespace ui
