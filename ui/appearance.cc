#include "ui/appearance.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace ui {

void TakeWorkingColour(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, kWorkingColour);
  palette.setColor(QPalette::WindowText, Qt::white);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  // Boxes that show a value but take no typing stay readable.
  palette.setColor(QPalette::Disabled, QPalette::Base, QColor(236, 236, 236));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(48, 48, 48));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(215, 225, 215));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void KeepSystemColours(QWidget* widget) {
  const QPalette system = QApplication::palette();
  QPalette palette;
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      palette.setColor(g, r, system.color(g, r));
    }
  }
  widget->setPalette(palette);
}

void TakeSwitchColour(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Active, QPalette::WindowText, kSwitchCaption);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, kSwitchCaption);
  widget->setPalette(palette);
}

}  // namespace ui
