// The captions that come from the message table: each control registers the
// text it shows, and Apply() sets them all in the language in force. Fixed
// captions are set once where the control is built and never registered.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "core/language.h"

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QTabWidget;
class QWidget;

namespace ui {

class Captions {
 public:
  void Apply(const core::Language& language) const;

  void Button(QAbstractButton* button, core::Msg key);
  void Group(QGroupBox* group, core::Msg key);
  void Tab(QTabWidget* tabs, QWidget* page, core::Msg key);
  void Action(QAction* action, core::Msg key);
  void Hint(QWidget* widget, core::Msg key);
  // A label and the control it names: the control's accessible name follows
  // the label's text.
  void Label(QLabel* label, core::Msg key, QWidget* control = nullptr);
  // The accessible name alone, for a control without a visible caption.
  void Name(QWidget* widget, core::Msg key);

 private:
  struct Entry {
    core::Msg key;
    std::function<void(const QString&)> set;
  };
  std::vector<Entry> entries_;
};

}  // namespace ui
