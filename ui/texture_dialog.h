// The texture replacement dialog: a new name for a texture the shape names
// but its source folder lacks.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/ui.h"

class QComboBox;

namespace ui {

class TMMT : public QDialog {
 public:
  TMMT(const core::TextureChoice& choice, QWidget* parent);

  // The chosen name, or nothing on Cancel.
  std::optional<std::string> Choose();

 private:
  QComboBox* change_tex_;
};

}  // namespace ui
