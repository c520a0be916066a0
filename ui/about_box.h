// The about dialog.
#pragma once

#include <QDialog>

namespace ui {

class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace ui
