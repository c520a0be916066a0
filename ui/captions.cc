#include "ui/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

namespace ui {

void Captions::Apply(const core::Language& language) const {
  for (const Entry& entry : entries_) entry.set(QString::fromStdString(language[entry.key]));
}

void Captions::Button(QAbstractButton* button, core::Msg key) {
  entries_.push_back({key, [button](const QString& text) {
                        button->setText(text);
                        button->setAccessibleName(text);
                      }});
}

void Captions::Group(QGroupBox* group, core::Msg key) {
  entries_.push_back({key, [group](const QString& text) {
                        group->setTitle(text);
                        group->setAccessibleName(text);
                      }});
}

void Captions::Tab(QTabWidget* tabs, QWidget* page, core::Msg key) {
  entries_.push_back({key, [tabs, page](const QString& text) {
                        tabs->setTabText(tabs->indexOf(page), text);
                        page->setAccessibleName(text);
                      }});
}

void Captions::Action(QAction* action, core::Msg key) {
  entries_.push_back({key, [action](const QString& text) { action->setText(text); }});
}

void Captions::Hint(QWidget* widget, core::Msg key) {
  entries_.push_back({key, [widget](const QString& text) {
                        widget->setToolTip(text);
                        widget->setAccessibleDescription(text);
                      }});
}

void Captions::Label(QLabel* label, core::Msg key, QWidget* control) {
  if (control) label->setBuddy(control);
  entries_.push_back({key, [label, control](const QString& text) {
                        label->setText(text);
                        if (control) control->setAccessibleName(text);
                      }});
}

void Captions::Name(QWidget* widget, core::Msg key) {
  entries_.push_back({key, [widget](const QString& text) { widget->setAccessibleName(text); }});
}

}  // namespace ui
