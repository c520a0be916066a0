// A texture on its own: one mip level at a chosen zoom, its alpha over a
// checkerboard, and what aceinfo tells of it.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/language.h"
#include "formats/ace.h"
#include "platform/file_system.h"

class QComboBox;
class QLabel;

namespace ui {

class TextureViewer : public QDialog {
 public:
  TextureViewer(const platform::FileSystem& files, const core::Language& language,
                const std::string& path, QWidget* parent);

 private:
  void ShowLevel();

  std::string bytes_;
  std::optional<formats::AceTexture> texture_;
  QComboBox* level_;
  QComboBox* zoom_;
  QLabel* image_;
};

}  // namespace ui
