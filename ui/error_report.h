// The general error report: an error no operation handled, in a message box.
#pragma once

#include <string>

class QWidget;

namespace ui {

void ShowErrorReport(QWidget* parent, const std::string& text);

}  // namespace ui
