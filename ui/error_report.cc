#include "ui/error_report.h"

#include <QMessageBox>

#include "ui/appearance.h"

namespace ui {

void ShowErrorReport(QWidget* parent, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, "Rastolin", QString::fromStdString(text), QMessageBox::Ok,
                  parent);
  box.setObjectName("ErrorReport");
  KeepSystemColours(&box);
  box.exec();
}

}  // namespace ui
