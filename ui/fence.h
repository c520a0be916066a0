// The progress window over long work: borderless, on top, with a bar, a
// label under it and "Please,wait...".
#pragma once

#include <QWidget>
#include <string>

#include "core/language.h"
#include "core/ui.h"

class QLabel;
class QProgressBar;

namespace ui {

class TFence : public QWidget, public core::Progress {
 public:
  // Centred on `owner` (on the screen without one).
  TFence(const core::Language& texts, QWidget* owner);

  void SetRange(int maximum) override;
  void SetPosition(int position) override;
  void Step() override;
  void SetLabel(const std::string& text) override;
  // Shown with the next label in the bar's hint.
  void SetItem(int number, int count) override;

 private:
  void ShowHint();

  QProgressBar* bar_;
  QLabel* label_;
  QString item_;
};

}  // namespace ui
